#include "rt/picturelimits.h"

#include <QFileInfo>
#include <QImageReader>
#include <QSize>
#include <QString>
#include <algorithm>
#include <limits>
#include <unistd.h>

namespace rt {

namespace {

constexpr std::int64_t kMegabyte = 1024 * 1024;
constexpr std::int64_t kBytesPerPixel = 4;

// The machine's physical memory in bytes; Qt's own default limit when it cannot be read.
std::int64_t MemoryBytes() {
    static const std::int64_t bytes = [] {
        const long pages = sysconf(_SC_PHYS_PAGES);
        const long pageSize = sysconf(_SC_PAGESIZE);
        if (pages <= 0 || pageSize <= 0)
            return std::int64_t{128} * kMegabyte;
        return std::int64_t{pages} * std::int64_t{pageSize};
    }();
    return bytes;
}

} // namespace

PixelSize StatedPictureSize(const std::string& path) {
    const QString file = QString::fromStdString(path);
    // Reading a pipe or a device could wait for ever.
    if (!QFileInfo(file).isFile())
        return {};
    const QSize size = QImageReader(file).size();
    if (!size.isValid())
        return {};
    return {size.width(), size.height()};
}

bool PictureFitsInMemory(const PixelSize& size) {
    if (size.Width <= 0 || size.Height <= 0)
        return true;
    return size.Width <= MemoryBytes() / kBytesPerPixel / size.Height;
}

namespace detail {

void AllowPicturesThatFitInMemory() {
    const std::int64_t megabytes = MemoryBytes() / kMegabyte;
    QImageReader::setAllocationLimit(
        static_cast<int>(std::clamp<std::int64_t>(megabytes, 1, std::numeric_limits<int>::max())));
}

} // namespace detail

} // namespace rt
