#pragma once
// Text read from a file: lines ended by CR, LF or CR LF, read in large blocks. A file that starts
// with a UTF-8 byte-order mark reads without it; one that starts with a UTF-16 byte-order mark
// reads as the same text in UTF-8. Only that first mark is dropped: a mark after it is text.

#include <cstdint>
#include <memory>
#include <string>

#include "rt/folderitem.h"

namespace rt {

// Null when the path names no regular file (a folder, a pipe, a socket or a device is refused
// at once, without waiting for a writer) or the file cannot be opened for reading.
std::unique_ptr<TextInputStream> OpenTextInput(const std::string& path);

namespace testhooks {
// Every read of a file from now on fails as on a failing disk (EIO) once it reaches the byte
// `offset`; a negative offset turns this off. For the tests of read errors only.
void FailReadsFrom(std::int64_t offset);

// Reads fail from the byte `offset` on (as FailReadsFrom) while the guard exists; the reads work
// again when it goes, also when a test leaves the scope early.
class FailingReads {
public:
    explicit FailingReads(std::int64_t offset) { FailReadsFrom(offset); }
    ~FailingReads() { FailReadsFrom(-1); }
    FailingReads(const FailingReads&) = delete;
    FailingReads& operator=(const FailingReads&) = delete;
};
} // namespace testhooks

} // namespace rt
