#pragma once
// What the writers share: the check that the height grid can be written, the frame every mesh
// writer runs in, and the report of a file that could not be written.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "rt/folderitem.h"
#include "rt/runtime.h"

namespace exportfile {

// English, then Italian, as every message of the program.
inline const std::string kWriteFailureMessage = "Can't write the file!\r\rNon posso scrivere il file!";

// Whether the grid arrays hold every node of 0..mxtot by 0..mytot, with at least one cell.
bool GridComplete();
// Whether a height grid exists for the current data and is complete.
bool MeshReady();

// Sets the control panel's progress bar to value and repaints it at once.
void ShowProgress(std::int32_t value);

// A beep and the message in both languages. The file stays as it was before the command: the
// streams replace it only when every byte was written.
void ReportWriteFailure();

// What the bar shows after row r of a pass: the whole number of base + r * span / rows (the
// quotient taken in doubles); base alone when rows is not positive.
struct RowProgress {
    std::int32_t rows;
    std::int32_t span = 100;
    double base = 0.0;
};

// One mesh file on its way to the disk: created anew, written in passes over rows with the
// progress on the control panel's bar, then closed. A file that cannot be created or written is
// reported, after a bar this writer has moved is set back to 0.
class MeshFileWriter {
public:
    // Whether Close sets the bar back to 0 before closing, or leaves that to the caller.
    enum class BarAtClose { Reset, LeftToCaller };

    explicit MeshFileWriter(BarAtClose barAtClose = BarAtClose::Reset) : barAtClose_(barAtClose) {}

    // The file created anew as a binary file of the type; false after the failure was reported.
    bool Create(const rt::FolderItem& file, std::string_view fileType);
    void Write(std::string_view bytes) { stream_->Write(bytes); }

    // For row = 0..lastRow: visit(row, cell) for cell = 0..lastCell, each followed by a yield;
    // after the row, the bar shows the row's progress and the loop yields again. The first pass
    // sets the bar's maximum to 100.
    template <typename Visit>
    void Rows(std::int32_t lastRow, std::int32_t lastCell, RowProgress progress, Visit&& visit) {
        StartBar();
        for (std::int32_t row = 0; row <= lastRow; ++row) {
            for (std::int32_t cell = 0; cell <= lastCell; ++cell) {
                visit(row, cell);
                rt::RuntimeBackgroundTask();
            }
            EndRow(row, progress);
        }
    }

    // True when every byte reached the file; false after the failure was reported.
    bool Close();

private:
    void StartBar();
    void EndRow(std::int32_t row, const RowProgress& progress);
    void ResetBar();
    bool Failed();

    std::unique_ptr<rt::BinaryStream> stream_;
    BarAtClose barAtClose_;
    bool barInUse_ = false;
};

} // namespace exportfile
