#pragma once
// Files: a FolderItem is a path; text and binary streams over it; the registered file types.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/picture.h"

namespace rt {

// Reads lines ended by CR, LF or CR LF. A stream that failed to open is never handed out. A read
// that fails (a failing disk or network share) ends the stream there.
class TextInputStream {
public:
    virtual ~TextInputStream() = default;
    // The next line without its ending; "" at the end of the file.
    virtual std::string ReadLine() = 0;
    // The next line without its ending, valid until the next call on this stream; false at the
    // end of the file.
    virtual bool NextLine(std::string_view& line) = 0;
    // Everything not read yet, line endings included as they stand.
    virtual std::string ReadAll() = 0;
    virtual bool Eof() = 0;
    // Whether the stream ended on a read error rather than at the end of the file.
    virtual bool ReadFailed() const = 0;
    virtual void Close() = 0;
};

// The writers write into a temporary file beside the target and replace the target only when
// Close has written and closed every byte; a stream dropped without Close, or one whose write
// failed, leaves the target as it was. A symbolic link is written through to its file.
class TextOutputStream {
public:
    virtual ~TextOutputStream() = default;
    // The text followed by LF.
    virtual void WriteLine(std::string_view text) = 0;
    virtual void Write(std::string_view text) = 0;
    // Replaces the target with what was written; false, leaving the target as it was, when any
    // write or the close failed.
    virtual bool Close() = 0;
};

class BinaryStream {
public:
    virtual ~BinaryStream() = default;
    // Writes exactly the bytes given.
    virtual void Write(std::string_view bytes) = 0;
    // As TextOutputStream::Close.
    virtual bool Close() = 0;
};

class FolderItem {
public:
    explicit FolderItem(std::string path);

    const std::string& Path() const { return path_; }
    std::string Name() const;
    bool Exists() const;
    // False when the file could not be deleted (a missing file counts as deleted).
    bool Delete() const;

    // Only regular files are opened, read or written: a folder, a pipe, a socket or a device is
    // refused at once.
    // Null when the file cannot be opened for reading.
    std::unique_ptr<TextInputStream> OpenAsTextFile() const;
    // Replaces the file on Close; null when it cannot be created.
    std::unique_ptr<TextOutputStream> CreateTextFile() const;
    // Replaces the file on Close; the file type is one registered by name (its extension is not
    // added to the path). Null when the file cannot be created.
    std::unique_ptr<BinaryStream> CreateBinaryFile(std::string_view fileType) const;
    // The file's content as a picture; a nil picture when it is no picture Qt can read.
    Picture OpenAsPicture() const;

private:
    std::string path_;
};

// A bare name resolves to the program's own per-user folder (created when missing); a path
// with a folder stands as it is.
FolderItem GetFolderItem(std::string_view name);

struct FileType {
    std::string Name;       // "text/plain"
    std::string Extensions; // ".txt"; empty for any file
    std::string MacType;
    std::string MacCreator;
};
// Registers a file type, known afterwards by its name to the dialogs and CreateBinaryFile.
void RegisterFileType(const FileType& type);
// Null when no type of that name is registered.
const FileType* FindFileType(std::string_view name);

} // namespace rt
