#include "rt/folderitem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QStandardPaths>
#include <QString>

#include <map>
#include <utility>

#include "rt/picturelimits.h"

namespace rt {

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Reads the file in large chunks and cuts lines at CR, LF or CR LF, also where a CR LF
// straddles two chunks.
class FileTextInput final : public TextInputStream {
public:
    static constexpr qint64 kChunk = 64 * 1024;

    explicit FileTextInput(std::unique_ptr<QFile> file) : file_(std::move(file)) { Fill(); }

    std::string ReadLine() override {
        std::string line;
        for (;;) {
            if (pos_ >= buffer_.size() && !Fill())
                return line;
            const std::size_t end = buffer_.find_first_of("\r\n", pos_);
            if (end == std::string::npos) {
                line.append(buffer_, pos_, std::string::npos);
                pos_ = buffer_.size();
                continue;
            }
            line.append(buffer_, pos_, end - pos_);
            pos_ = end + 1;
            if (buffer_[end] == '\r') {
                if (pos_ >= buffer_.size())
                    Fill();
                if (pos_ < buffer_.size() && buffer_[pos_] == '\n')
                    ++pos_;
            }
            return line;
        }
    }

    std::string ReadAll() override {
        std::string rest = buffer_.substr(std::min(pos_, buffer_.size()));
        buffer_.clear();
        pos_ = 0;
        if (file_ && file_->isOpen()) {
            const QByteArray bytes = file_->readAll();
            rest.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        }
        return rest;
    }

    bool Eof() const override {
        if (pos_ < buffer_.size())
            return false;
        return !file_ || !file_->isOpen() || file_->atEnd();
    }

    void Close() override {
        buffer_.clear();
        pos_ = 0;
        if (file_)
            file_->close();
    }

private:
    // Replaces the consumed buffer with the next chunk; false at the end of the file.
    bool Fill() {
        buffer_.clear();
        pos_ = 0;
        if (!file_ || !file_->isOpen())
            return false;
        buffer_.resize(static_cast<std::size_t>(kChunk));
        const qint64 got = file_->read(buffer_.data(), kChunk);
        buffer_.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        return !buffer_.empty();
    }

    std::unique_ptr<QFile> file_;
    std::string buffer_;
    std::size_t pos_ = 0;
};

// Shared by the text and binary writers: remembers any failed write.
class FileWriter {
public:
    explicit FileWriter(std::unique_ptr<QFile> file) : file_(std::move(file)) {}
    ~FileWriter() { Finish(); }

    void Put(std::string_view bytes) {
        if (!file_ || !file_->isOpen() || bytes.empty())
            return;
        const qint64 written = file_->write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (written != static_cast<qint64>(bytes.size()))
            failed_ = true;
    }

    bool Finish() {
        if (!file_ || !file_->isOpen())
            return !failed_ && file_ != nullptr;
        if (!file_->flush())
            failed_ = true;
        file_->close();
        if (file_->error() != QFileDevice::NoError)
            failed_ = true;
        return !failed_;
    }

private:
    std::unique_ptr<QFile> file_;
    bool failed_ = false;
};

class FileTextOutput final : public TextOutputStream {
public:
    explicit FileTextOutput(std::unique_ptr<QFile> file) : writer_(std::move(file)) {}
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
    explicit FileBinaryOutput(std::unique_ptr<QFile> file) : writer_(std::move(file)) {}
    void Write(std::string_view bytes) override { writer_.Put(bytes); }
    bool Close() override { return writer_.Finish(); }

private:
    FileWriter writer_;
};

std::unique_ptr<QFile> OpenForWriting(const std::string& path) {
    if (path.empty())
        return nullptr;
    auto file = std::make_unique<QFile>(ToQString(path));
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate))
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
    if (path_.empty())
        return nullptr;
    const QString path = ToQString(path_);
    if (QFileInfo(path).isDir())
        return nullptr;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return std::make_unique<FileTextInput>(std::move(file));
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
    if (path_.empty())
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
