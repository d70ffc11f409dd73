#include "export/writesupport.h"

#include "model/contours.h"
#include "model/globali.h"
#include "model/terrainpanel.h"
#include "rt/dialogs.h"
#include "rt/runtime.h"

namespace exportfile {

bool GridComplete() {
    using namespace globali;
    return contours::GridCovers(mx, mxtot, mytot) && contours::GridCovers(my, mxtot, mytot) &&
           contours::GridCovers(mz, mxtot, mytot);
}

bool MeshReady() {
    return globali::celamesh && GridComplete();
}

std::int32_t Percent(std::int64_t part, std::int32_t rows, double base) {
    if (rows <= 0)
        return rt::conv(base);
    return rt::conv(base + static_cast<double>(part) / static_cast<double>(rows));
}

void ShowProgress(std::int32_t value) {
    TerrainPanel::Current().ShowProgress(value);
}

void ReportWriteFailure() {
    rt::Beep();
    rt::MsgBox(kWriteFailureMessage);
}

std::unique_ptr<rt::BinaryStream> CreateOrReport(const rt::FolderItem& file, std::string_view fileType) {
    auto stream = file.CreateBinaryFile(fileType);
    if (!stream)
        ReportWriteFailure();
    return stream;
}

} // namespace exportfile
