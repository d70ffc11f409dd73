// A file that cannot be written is never shown as done: the user is told with a beep, the
// partial file goes, the progress bar is reset and the polyline writer's window closed.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "export/finscrivilinee.h"
#include "tests/export/exportsetup.h"

namespace {

using namespace exporttest;
using terraintest::SetBounds;
using terraintest::SetGrid;
using terraintest::SetPoints;

// While it lives, files of this process cannot grow beyond the limit: a write past it fails as
// on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

class WriteFailure : public ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        SetBounds(-12.5, 12.5, -3.0, 40.0, -1.0, 1.0);
        SetGrid(20, 20, [](int i, int j) { return 0.123456789 * i - 0.987654321 * j; });
        std::vector<terraintest::Point> points;
        for (int k = 0; k < 300; ++k)
            points.push_back({k * 1.0625, -k * 3.125, 0.0});
        SetPoints(points);
        SetTable({{0, 299}});
    }
    // A path whose file cannot be created, whoever runs the test: under a regular file.
    std::string Unwritable(const std::string& name) {
        std::ofstream(Path("plain")) << "x";
        return (Path("plain") / name).string();
    }
    // Runs the command in the working mode on the path; expects the failure reported, nothing left.
    void ExpectFailure(const char* item, std::int32_t mode, const std::string& path) {
        SCOPED_TRACE(std::string(item) + " in mode " + std::to_string(mode));
        Inizio::ambiente = mode;
        panel.progress.clear();
        const std::int32_t beeps = NewBeeps();
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerSave(path);
        dialogs.AnswerMessage();
        Choose(item);
        ASSERT_EQ(dialogs.Requests().size(), 2U);
        EXPECT_EQ(dialogs.Requests()[1].text, "Can't write the file!\r\rNon posso scrivere il file!");
        EXPECT_EQ(NewBeeps(), beeps + 1);
        EXPECT_FALSE(std::filesystem::exists(path));
        EXPECT_TRUE(panel.progress.empty() || panel.progress.back() == 0);
        EXPECT_EQ(rt::OpenInstance<finscrivilinee>(), nullptr);
    }
    const std::vector<std::pair<const char*, std::int32_t>> commands_ = {
        {"ExportTextXYZ", 2}, {"ExportTextGDL", 2}, {"ExportQD3D", 2}, {"ExportDXF", 2}, {"ExportDXF", 1}};
};

TEST_F(WriteFailure, AFileThatCannotBeCreatedOrFillsTheDiskIsReportedAndThePartialFileRemoved) {
    for (const auto& [item, mode] : commands_) {
        ExpectFailure(item, mode, Unwritable("out.txt"));
        const FileSizeLimit limit(2048);
        ExpectFailure(item, mode, Path("full.txt").string());
        EXPECT_FALSE(panel.progress.empty() && mode == 2) << "the writer never reported progress";
    }
}

TEST_F(WriteFailure, CopyGdlTextLeavesTheClipboardAsItWasWhenTheTemporaryFileFails) {
    const std::filesystem::path temporary = rt::GetFolderItem("GDLTEMP.TXT").Path();
    std::filesystem::create_directory(temporary);
    rt::SetClipboardText("kept");
    rt::ScriptedDialogs dialogs;
    dialogs.AnswerMessage();
    Choose("ExportCopyGDLText");
    std::filesystem::remove(temporary);
    EXPECT_EQ(dialogs.PendingAnswers(), 0U);
    EXPECT_EQ(rt::ClipboardText(), "kept");
    EXPECT_EQ(NewBeeps(), 1);
}

} // namespace
