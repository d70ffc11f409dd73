#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "rt/dialogs.h"

namespace {

// Restores the test main's failure handler after a test that watches failures itself.
class CapturedFailures {
public:
    CapturedFailures() {
        rt::ScriptedDialogs::SetFailureHandler([this](const std::string& what) { reports.push_back(what); });
    }
    ~CapturedFailures() {
        rt::ScriptedDialogs::SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
    }
    std::vector<std::string> reports;
};

TEST(ScriptedDialogsTest, AnswersComeFromTheQueueInnerScriptsFirstAndRequestsAreRecorded) {
    rt::ScriptedDialogs outer;
    outer.AnswerOpen(std::string("/outer"));
    {
        rt::ScriptedDialogs script;
        script.AnswerColor(rt::Color{0x336699});
        rt::Color color = 0x999999;
        EXPECT_TRUE(rt::SelectColor(color, "Mesh colour"));
        EXPECT_EQ(color, 0x336699u);
        ASSERT_EQ(script.Requests().size(), 1u);
        EXPECT_EQ(script.Requests()[0].color, 0x999999u);
    }
    EXPECT_EQ(rt::GetOpenFolderItem("text/plain")->Path(), "/outer");
}

TEST(ScriptedDialogsTest, UnscriptedDialogIsReportedAndAnsweredAsCancelled) {
    CapturedFailures failures;
    rt::ScriptedDialogs script;
    script.AnswerMessage();
    rt::Color color = 0x123456;
    EXPECT_FALSE(rt::SelectColor(color, "pick"));
    EXPECT_EQ(color, 0x123456u);
    EXPECT_EQ(script.PendingAnswers(), 1u) << "an answer of another kind stays for its own dialog";
    EXPECT_EQ(failures.reports.size(), 1u);
}

} // namespace
