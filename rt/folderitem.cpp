#include "rt/folderitem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QStandardPaths>
#include <QString>

#include <cerrno>
#include <map>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "rt/picturelimits.h"
#include "rt/textinput.h"

namespace rt {

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Shared by the text and binary writers: remembers any failed write, and replaces the target
// only when every byte went through.
class FileWriter {
public:
    explicit FileWriter(std::unique_ptr<QSaveFile> file) : file_(std::move(file)) {}

    void Put(std::string_view bytes) {
        if (!file_->isOpen() || bytes.empty())
            return;
        const qint64 written = file_->write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (written != static_cast<qint64>(bytes.size()))
            failed_ = true;
    }

    // The last buffered bytes are written, and the file synced to its disk, here rather than
    // in commit, which would replace the target even when they failed.
    bool Finish() {
        if (!file_->isOpen())
            return committed_;
        if (failed_ || !file_->flush() || !Synced())
            file_->cancelWriting();
        committed_ = file_->commit();
        return committed_;
    }

private:
    // A file system that cannot sync (EINVAL) has nothing more to report.
    bool Synced() const { return ::fsync(file_->handle()) == 0 || errno == EINVAL; }

    std::unique_ptr<QSaveFile> file_;
    bool failed_ = false;
    bool committed_ = false;
};

class FileTextOutput final : public TextOutputStream {
public:
    explicit FileTextOutput(std::unique_ptr<QSaveFile> file) : writer_(std::move(file)) {}
    void WriteLine(std::string_view text) override {
        writer_.Put(text);
        writer_.Put("\n");
    }
    void Write(std::string_view text) override { writer_.Put(text); }
    bool Close() override { return writer_.Finish(); }

private:
    FileWriter writer_;
};

class FileBinaryOutput final : public BinaryStream {
public:
    explicit FileBinaryOutput(std::unique_ptr<QSaveFile> file) : writer_(std::move(file)) {}
    void Write(std::string_view bytes) override { writer_.Put(bytes); }
    bool Close() override { return writer_.Finish(); }

private:
    FileWriter writer_;
};

// What stands at the path, following symbolic links, is a regular file or nothing.
bool RegularOrMissing(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return errno == ENOENT;
    return S_ISREG(status.st_mode);
}

std::unique_ptr<QSaveFile> OpenForWriting(const std::string& path) {
    if (path.empty() || !RegularOrMissing(path))
        return nullptr;
    auto file = std::make_unique<QSaveFile>(ToQString(path));
    if (!file->open(QIODevice::WriteOnly))
        return nullptr;
    return file;
}

std::map<std::string, FileType, std::less<>>& FileTypes() {
    static std::map<std::string, FileType, std::less<>> types;
    return types;
}

} // namespace

FolderItem::FolderItem(std::string path) : path_(std::move(path)) {}

std::string FolderItem::Name() const {
    return QFileInfo(ToQString(path_)).fileName().toStdString();
}

bool FolderItem::Exists() const {
    return !path_.empty() && QFileInfo::exists(ToQString(path_));
}

bool FolderItem::Delete() const {
    if (!Exists())
        return true;
    const QString path = ToQString(path_);
    if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
        return QDir().rmdir(path);
    return QFile::remove(path);
}

std::unique_ptr<TextInputStream> FolderItem::OpenAsTextFile() const {
    return OpenTextInput(path_);
}

std::unique_ptr<TextOutputStream> FolderItem::CreateTextFile() const {
    auto file = OpenForWriting(path_);
    if (!file)
        return nullptr;
    return std::make_unique<FileTextOutput>(std::move(file));
}

std::unique_ptr<BinaryStream> FolderItem::CreateBinaryFile(std::string_view /*fileType*/) const {
    auto file = OpenForWriting(path_);
    if (!file)
        return nullptr;
    return std::make_unique<FileBinaryOutput>(std::move(file));
}

Picture FolderItem::OpenAsPicture() const {
    // A regular file or one of the program's own resources.
    if (path_.empty() || !QFileInfo(ToQString(path_)).isFile())
        return {};
    detail::AllowPicturesThatFitInMemory();
    QImageReader reader(ToQString(path_));
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    return Picture::FromImage(image);
}

FolderItem GetFolderItem(std::string_view name) {
    if (name.find('/') != std::string_view::npos)
        return FolderItem(std::string(name));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(folder);
    if (name.empty())
        return FolderItem(folder.toStdString());
    return FolderItem(QDir(folder).filePath(ToQString(name)).toStdString());
}

void RegisterFileType(const FileType& type) {
    FileTypes()[type.Name] = type;
}

const FileType* FindFileType(std::string_view name) {
    const auto& types = FileTypes();
    const auto it = types.find(name);
    return it == types.end() ? nullptr : &it->second;
}

} // namespace rt
