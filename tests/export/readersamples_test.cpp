// Writes sample files with the writers, each with a JSON note of what it holds, for the
// independent readers of tests/data/check_dxf_readers.py. Runs only when that check asks for it
// (AMBRELIX_EXPORT_SAMPLES names the folder).

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "rt/conv.h"
#include "tests/export/exportsetup.h"

namespace {

using namespace exporttest;

class ReaderSamples : public ExportTest {
protected:
    void SetUp() override {
        const char* folder = std::getenv("AMBRELIX_EXPORT_SAMPLES");
        if (folder == nullptr)
            GTEST_SKIP() << "AMBRELIX_EXPORT_SAMPLES is not set";
        folder_ = folder;
        ExportTest::SetUp();
    }
    void Write(const char* item, std::int32_t mode, const std::string& name, const std::string& note) {
        Inizio::ambiente = mode;
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerSave(folder_ + "/" + name);
        Choose(item);
        std::ofstream(folder_ + "/" + name + ".json") << note;
    }
    std::string folder_;
};

std::string Node(int i, int j, bool withHeight = true) {
    return "[" + rt::Str(globali::mx(i, j)) + ", " + rt::Str(globali::my(i, j)) +
           (withHeight ? ", " + rt::Str(globali::mz(i, j)) : "") + "]";
}

TEST_F(ReaderSamples, WriteTheMeshPolylineAndGridFiles) {
    terraintest::SetBounds(-7.5, 4.5, -2.25, 10.25, -3.0, 6.0);
    terraintest::SetGrid(3, 5, [](int i, int j) { return 1.5 * i - 0.75 * j + 0.125; });
    std::string faces;
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 3; ++i)
            for (const bool faceA : {true, false})
                faces += std::string(faces.empty() ? "" : ", ") + "[" + Node(i, j) + ", " +
                         Node(faceA ? i : i + 1, faceA ? j + 1 : j) + ", " + Node(i + 1, j + 1) + "]";
    Write("ExportDXF", 2, "mesh.dxf", "{\"kind\": \"faces\", \"faces\": [" + faces + "]}");
    Write("ExportTextXYZ", 2, "grid.xyz",
          "{\"kind\": \"grid\", \"columns\": 4, \"rows\": 6, \"low\": -3.625, \"high\": 4.625}");
    terraintest::SetPoints(
        {{3, 4, 0}, {-10.5, 2.25, 1}, {-8, 7.75, 1}, {-3.5, 12, 1}, {9, -4, 2}, {20, 1.5, 2}, {0, 0, 0}});
    SetTable({{0, 0}, {1, 2}, {4, 1}, {6, 0}});
    const std::string polylines = "[[[-10.5, 2.25], [-8, 7.75], [-3.5, 12]], [[9, -4], [20, 1.5]]]";
    Write("ExportDXF", 1, "curve.dxf", "{\"kind\": \"polylines\", \"polylines\": " + polylines + "}");
    SetTable({{0, 0}});
    Write("ExportDXF", 1, "lonepoints.dxf", "{\"kind\": \"polylines\", \"polylines\": []}");
}

} // namespace
