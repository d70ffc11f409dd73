#include "rt/textinput.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <new>
#include <optional>
#include <string_view>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace rt {

namespace {

std::int64_t failReadsFrom = -1;

// One read of up to `size` bytes, repeated when a signal interrupts it; -1 on an error.
ssize_t ReadSome(int fd, char* data, std::size_t size) {
    if (failReadsFrom >= 0) {
        const off_t at = ::lseek(fd, 0, SEEK_CUR);
        if (at >= failReadsFrom) {
            errno = EIO;
            return -1;
        }
        size = std::min(size, static_cast<std::size_t>(failReadsFrom - at));
    }
    for (;;) {
        const ssize_t got = ::read(fd, data, size);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

// Room for the stream's text, in a mapping of its own. Growing it moves the pages it holds instead
// of copying their bytes into new ones, so the text of a line of many megabytes is written once.
class TextBuffer {
public:
    TextBuffer() = default;
    ~TextBuffer() { Release(); }
    TextBuffer(TextBuffer&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
    TextBuffer& operator=(TextBuffer&& other) noexcept {
        if (this != &other) {
            Release();
            data_ = std::exchange(other.data_, nullptr);
            size_ = std::exchange(other.size_, 0);
        }
        return *this;
    }
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;

    char* data() { return data_; }
    const char* data() const { return data_; }
    char operator[](std::size_t i) const { return data_[i]; }
    std::size_t size() const { return size_; }

    // Grows to `size` bytes, keeping every byte it held.
    void Grow(std::size_t size) {
        void* const grown = data_ == nullptr ? ::mmap(nullptr, size, PROT_READ | PROT_WRITE,
                                                      MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                                             : ::mremap(data_, size_, size, MREMAP_MAYMOVE);
        if (grown == MAP_FAILED)
            throw std::bad_alloc();
        data_ = static_cast<char*>(grown);
        size_ = size;
    }

private:
    void Release() {
        if (data_ != nullptr)
            ::munmap(data_, size_);
    }

    char* data_ = nullptr;
    std::size_t size_ = 0;
};

// The buffer holds the decoded text; [pos_, size_) is not read yet. Where the searches for CR
// and LF stopped is kept between lines and between reads, so that every byte is searched for
// each of them once, however long its line.
class FileTextInput final : public TextInputStream {
public:
    explicit FileTextInput(int fd) : fd_(fd) {
        while (size_ < 3 && !atEnd_)
            ReadMore();
        const std::string_view start(buffer_.data(), size_);
        if (start.starts_with("\xEF\xBB\xBF")) {
            pos_ = 3;
        } else if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
            // The mark is dropped here; a second one is text, as in UTF-8.
            decoder_.emplace(start[0] == '\xFF' ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                             QStringConverter::Flag::ConvertInitialBom);
            raw_.resize(kBlock);
            const std::string rest(start.substr(2));
            size_ = 0;
            AppendDecoded(rest.data(), rest.size());
        }
    }
    ~FileTextInput() override { Close(); }
    FileTextInput(const FileTextInput&) = delete;
    FileTextInput& operator=(const FileTextInput&) = delete;

    bool NextLine(std::string_view& line) override {
        for (;;) {
            const std::size_t end = std::min(Next('\n', lfSearched_), Next('\r', crSearched_));
            // A CR that ends the text read so far may be the first half of a CR LF.
            const bool complete = end != kNone && (buffer_[end] == '\n' || end + 1 < size_ || atEnd_);
            if (complete) {
                line = std::string_view(buffer_.data() + pos_, end - pos_);
                pos_ = end + 1;
                if (buffer_[end] == '\r' && pos_ < size_ && buffer_[pos_] == '\n')
                    ++pos_;
                return true;
            }
            if (atEnd_) {
                if (pos_ >= size_)
                    return false;
                line = std::string_view(buffer_.data() + pos_, size_ - pos_);
                pos_ = size_;
                return true;
            }
            ReadMore();
        }
    }

    std::string ReadLine() override {
        std::string_view line;
        return NextLine(line) ? std::string(line) : std::string();
    }

    std::string ReadAll() override {
        while (!atEnd_)
            ReadMore();
        std::string rest(buffer_.data() + std::min(pos_, size_), buffer_.data() + size_);
        pos_ = size_;
        return rest;
    }

    bool Eof() override {
        while (pos_ >= size_ && !atEnd_)
            ReadMore();
        return pos_ >= size_;
    }

    bool ReadFailed() const override { return failed_; }

    void Close() override {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        atEnd_ = true;
        pos_ = size_ = lfSearched_ = crSearched_ = 0;
        buffer_ = TextBuffer();
    }

private:
    static constexpr std::size_t kBlock = 256 * 1024;
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // The position of the next c at or after pos_, kNone when the text read so far has none.
    // No c lies in [pos_, searched): the search resumes there and stops on the c it finds.
    std::size_t Next(char c, std::size_t& searched) {
        searched = std::max(searched, pos_);
        // A closed stream has no buffer at all, so an empty range is not searched.
        const void* hit =
            searched < size_ ? std::memchr(buffer_.data() + searched, c, size_ - searched) : nullptr;
        if (hit == nullptr) {
            searched = size_;
            return kNone;
        }
        searched = static_cast<std::size_t>(static_cast<const char*>(hit) - buffer_.data());
        return searched;
    }

    // Appends the next block of the file, first dropping the text already read; at the end of
    // the file, or after a read error, marks the end instead.
    void ReadMore() {
        Compact();
        if (fd_ < 0) {
            atEnd_ = true;
            return;
        }
        if (!decoder_)
            Reserve(kBlock);
        char* const into = decoder_ ? raw_.data() : buffer_.data() + size_;
        const ssize_t got = ReadSome(fd_, into, kBlock);
        if (got < 0)
            failed_ = true;
        if (got <= 0) {
            if (decoder_)
                AppendDecoded(nullptr, 0, true);
            atEnd_ = true;
            return;
        }
        if (decoder_)
            AppendDecoded(into, static_cast<std::size_t>(got));
        else
            size_ += static_cast<std::size_t>(got);
    }

    void Compact() {
        if (pos_ > 0) {
            std::memmove(buffer_.data(), buffer_.data() + pos_, size_ - pos_);
            size_ -= pos_;
            lfSearched_ -= std::min(lfSearched_, pos_);
            crSearched_ -= std::min(crSearched_, pos_);
            pos_ = 0;
        }
    }

    void Reserve(std::size_t count) {
        if (buffer_.size() < size_ + count)
            buffer_.Grow(std::max(size_ + count, 2 * buffer_.size()));
    }

    // The first half of a pair of UTF-16 units waits for the second, which the next read brings;
    // at the end of the file it stands alone.
    void AppendDecoded(const char* data, std::size_t count, bool last = false) {
        QString decoded =
            pendingHalf_ + decoder_->decode(QByteArrayView(data, static_cast<qsizetype>(count)));
        pendingHalf_.clear();
        if (!last && !decoded.isEmpty() && decoded.back().isHighSurrogate()) {
            pendingHalf_ = decoded.back();
            decoded.chop(1);
        }
        const QByteArray text = decoded.toUtf8();
        const auto length = static_cast<std::size_t>(text.size());
        Reserve(length);
        std::memcpy(buffer_.data() + size_, text.constData(), length);
        size_ += length;
    }

    int fd_;
    TextBuffer buffer_;
    std::string raw_; // a block as read, before it is decoded
    std::size_t pos_ = 0;
    std::size_t size_ = 0;
    std::size_t lfSearched_ = 0;
    std::size_t crSearched_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
    std::optional<QStringDecoder> decoder_;
    QString pendingHalf_;
};

bool IsRegular(const struct stat& status) {
    return S_ISREG(status.st_mode);
}

} // namespace

std::unique_ptr<TextInputStream> OpenTextInput(const std::string& path) {
    struct stat status {};
    if (path.empty() || ::stat(path.c_str(), &status) != 0 || !IsRegular(status))
        return nullptr;
    // Not blocking, so that a pipe put in the file's place after the test above is refused
    // as well instead of waiting for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    if (::fstat(fd, &status) != 0 || !IsRegular(status) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<FileTextInput>(fd);
}

namespace testhooks {
void FailReadsFrom(std::int64_t offset) {
    failReadsFrom = offset;
}
} // namespace testhooks

} // namespace rt
