#include "export/writesupport.h"

#include "model/contours.h"
#include "model/globali.h"
#include "model/terrainpanel.h"
#include "rt/conv.h"
#include "rt/dialogs.h"

namespace exportfile {

bool GridComplete() {
    using namespace globali;
    return contours::GridCovers(mx, mxtot, mytot) && contours::GridCovers(my, mxtot, mytot) &&
           contours::GridCovers(mz, mxtot, mytot);
}

bool MeshReady() {
    return globali::celamesh && GridComplete();
}

void ShowProgress(std::int32_t value) {
    TerrainPanel::Current().ShowProgress(value);
}

void ReportWriteFailure() {
    rt::Beep();
    rt::MsgBox(kWriteFailureMessage);
}

bool MeshFileWriter::Create(const rt::FolderItem& file, std::string_view fileType) {
    stream_ = file.CreateBinaryFile(fileType);
    return stream_ || Failed();
}

bool MeshFileWriter::Close() {
    if (barAtClose_ == BarAtClose::Reset)
        ResetBar();
    return stream_->Close() || Failed();
}

void MeshFileWriter::StartBar() {
    if (!barInUse_)
        TerrainPanel::Current().SetProgressMaximum(100);
    barInUse_ = true;
}

void MeshFileWriter::EndRow(std::int32_t row, const RowProgress& progress) {
    const double part = static_cast<double>(std::int64_t{row} * progress.span);
    ShowProgress(progress.rows <= 0 ? rt::conv(progress.base)
                                    : rt::conv(progress.base + part / static_cast<double>(progress.rows)));
    rt::RuntimeBackgroundTask();
}

void MeshFileWriter::ResetBar() {
    ShowProgress(0);
    barInUse_ = false;
}

bool MeshFileWriter::Failed() {
    if (barInUse_)
        ResetBar();
    ReportWriteFailure();
    return false;
}

} // namespace exportfile
