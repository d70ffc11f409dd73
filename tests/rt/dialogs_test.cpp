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

TEST(ScriptedDialogsTest, AnswersComeFromTheQueueAndRequestsAreRecorded) {
    rt::ScriptedDialogs script;
    script.AnswerOpen(std::string("/tmp/points.txt"));
    script.AnswerSave(std::nullopt);
    script.AnswerMessage();
    script.AnswerColor(rt::Color{0x336699});

    EXPECT_EQ(rt::GetOpenFolderItem("text/plain").value_or(rt::FolderItem("")).Path(), "/tmp/points.txt");
    EXPECT_FALSE(rt::GetSaveFolderItem("qd3d/3dmf", "mesh.3mf").has_value());
    rt::MsgBox("Too few points");
    rt::Color color = 0x999999;
    EXPECT_TRUE(rt::SelectColor(color, "Mesh colour"));
    EXPECT_EQ(color, 0x336699u);

    const auto& requests = script.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].fileType, "text/plain");
    EXPECT_EQ(requests[1].defaultName, "mesh.3mf");
    EXPECT_EQ(requests[2].text, "Too few points");
    EXPECT_EQ(requests[3].color, 0x999999u);
    EXPECT_EQ(script.PendingAnswers(), 0u);
}

TEST(ScriptedDialogsTest, UnscriptedDialogIsReportedAndAnsweredAsCancelled) {
    CapturedFailures failures;
    rt::ScriptedDialogs script;
    script.AnswerMessage();
    rt::Color color = 0x123456;
    EXPECT_FALSE(rt::SelectColor(color, "pick"));
    EXPECT_EQ(color, 0x123456u);
    EXPECT_EQ(script.PendingAnswers(), 1u) << "an answer of another kind stays for its own dialog";
    rt::MsgBox("done");
    EXPECT_FALSE(rt::GetOpenFolderItem("special/any").has_value());
    ASSERT_EQ(failures.reports.size(), 2u);
    EXPECT_NE(failures.reports[0].find("colour"), std::string::npos);
    EXPECT_NE(failures.reports[1].find("special/any"), std::string::npos);
}

TEST(ScriptedDialogsTest, InnerScriptAnswersUntilItEnds) {
    rt::ScriptedDialogs outer;
    outer.AnswerOpen(std::string("/outer"));
    {
        rt::ScriptedDialogs inner;
        inner.AnswerOpen(std::string("/inner"));
        EXPECT_EQ(rt::ScriptedDialogs::Active(), &inner);
        EXPECT_EQ(rt::GetOpenFolderItem("text/plain")->Path(), "/inner");
    }
    EXPECT_EQ(rt::ScriptedDialogs::Active(), &outer);
    EXPECT_EQ(rt::GetOpenFolderItem("text/plain")->Path(), "/outer");
}

} // namespace
