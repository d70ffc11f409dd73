#pragma once
// What the writers share: the check that the height grid can be written, the progress
// percentage and the report of a file that could not be written.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "rt/folderitem.h"

namespace exportfile {

// English, then Italian, as every message of the program.
inline const std::string kWriteFailureMessage = "Can't write the file!\r\rNon posso scrivere il file!";

// Whether the grid arrays hold every node of 0..mxtot by 0..mytot, with at least one cell.
bool GridComplete();
// Whether a height grid exists for the current data and is complete.
bool MeshReady();

// The whole number of base + part / rows (the quotient taken in doubles); base alone when rows
// is not positive.
std::int32_t Percent(std::int64_t part, std::int32_t rows, double base = 0.0);

// Sets the control panel's progress bar to value and repaints it at once.
void ShowProgress(std::int32_t value);

// A beep and the message in both languages. The file stays as it was before the command: the
// streams replace it only when every byte was written.
void ReportWriteFailure();

// The file created anew as a binary file of the type, or null after the failure was reported.
std::unique_ptr<rt::BinaryStream> CreateOrReport(const rt::FolderItem& file, std::string_view fileType);

} // namespace exportfile
