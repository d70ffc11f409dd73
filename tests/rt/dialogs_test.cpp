#include "rt/dialogs.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(ScriptedDialogsTest, InnerScriptsAnswerFirstAndAnUnscriptedDialogIsReportedAndCancelled) {
    std::vector<std::string> reports;
    rt::ScriptedDialogs::SetFailureHandler([&](const std::string& what) { reports.push_back(what); });
    rt::ScriptedDialogs outer;
    outer.AnswerOpen(std::string("/outer"));
    {
        rt::ScriptedDialogs script;
        script.AnswerMessage();
        rt::Color color = 0x123456;
        EXPECT_FALSE(rt::SelectColor(color, "pick"));
        EXPECT_EQ(color, 0x123456u);
        EXPECT_EQ(script.PendingAnswers(), 1u) << "an answer of another kind stays for its own dialog";
        rt::MsgBox("done");
    }
    EXPECT_EQ(rt::GetOpenFolderItem("text/plain")->Path(), "/outer");
    rt::ScriptedDialogs::SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
    EXPECT_EQ(reports.size(), 1u);
}

TEST(FileDialogsTest, TypedDialogsAlsoListEveryFileAndASaveDialogFirstListsItsDefaultNamesExtension) {
    rt::RegisterFileType({"text/plain", ".txt", "TEXT", "pTmS"});
    rt::ScriptedDialogs script;
    script.AnswerOpen(std::nullopt);
    script.AnswerSave(std::nullopt);
    script.AnswerSave(std::nullopt);
    rt::GetOpenFolderItem("text/plain");
    rt::GetSaveFolderItem("text/plain", "curve.dxf");
    rt::GetSaveFolderItem("text/plain", "MESH_XYZ.TXT");
    const std::vector<std::string> text{"text/plain (*.txt *.TXT)", "All Files (*)"};
    EXPECT_EQ(script.Requests()[0].filters, text);
    EXPECT_EQ(script.Requests()[1].filters,
              (std::vector<std::string>{"DXF (*.dxf *.DXF)", "text/plain (*.txt *.TXT)", "All Files (*)"}));
    EXPECT_EQ(script.Requests()[2].filters, text);
}

} // namespace
