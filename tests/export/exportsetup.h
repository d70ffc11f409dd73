#pragma once
// Shared set-up for the writer tests: the application with its menu commands bound, the 3D
// working mode with a height grid put straight into the shared arrays, a control panel that
// records its progress reports, and a temporary folder for the files.

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/startup.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/dialogs.h"
#include "rt/runtime.h"
#include "rt/window.h"
#include "tests/model/terrainsetup.h"
#include "tests/support/userfolder.h"

namespace exporttest {

using testsupport::ReadFile;
// The lines of a text written with "|" between them, each followed by the line end.
inline std::string Lines(const std::string& bars, const std::string& end) {
    std::string text = bars;
    for (std::size_t at = text.find('|'); at != std::string::npos; at = text.find('|', at + end.size()))
        text.replace(at, 1, end);
    return text + end;
}

// Rows 1.. of the polyline table: (first point, count - 1).
inline void SetTable(const std::vector<std::pair<std::int32_t, std::int32_t>>& rows) {
    modulodxf::dxfcounter = static_cast<std::int32_t>(rows.size());
    modulodxf::dxfpn.Redim(modulodxf::dxfcounter, 1);
    for (std::int32_t k = 1; k <= modulodxf::dxfcounter; ++k) {
        modulodxf::dxfpn(k, 0) = rows[static_cast<std::size_t>(k - 1)].first;
        modulodxf::dxfpn(k, 1) = rows[static_cast<std::size_t>(k - 1)].second;
    }
}

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ambrelix::InitFileTypes();
        ambrelix::NewAppInstance();
        rt::WindowRegistry::RunDeferredOpenings();
        previous_ = TerrainPanel::Install(&panel);
        ASSERT_TRUE(folder_.isValid());
        Inizio::ambiente = 2;
        globali::celamesh = true;
        beeps_ = rt::BeepCount();
    }
    void TearDown() override {
        TerrainPanel::Install(previous_);
        ambrelix::DiscardAppInstance();
        Inizio::ambiente = 0;
        globali::celamesh = false;
    }
    std::filesystem::path Path(const std::string& name) const {
        return std::filesystem::path(folder_.path().toStdString()) / name;
    }
    void Choose(const char* item) {
        const auto handler = App().MenuHandler(item);
        ASSERT_TRUE(handler) << item << " is not bound";
        EXPECT_FALSE(handler());
    }
    // Chooses the item with the save dialog answered by a file of the folder; returns its content.
    std::string Export(const char* item, const std::string& name) {
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerSave(Path(name).string());
        Choose(item);
        EXPECT_EQ(dialogs.PendingAnswers(), 0U) << item << " asked for no file";
        return ReadFile(Path(name));
    }
    std::int32_t NewBeeps() const { return rt::BeepCount() - beeps_; }
    terraintest::RecordingPanel panel;

private:
    QTemporaryDir folder_;
    TerrainPanel* previous_ = nullptr;
    std::int32_t beeps_ = 0;
};

} // namespace exporttest
