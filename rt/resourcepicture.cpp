#include "rt/resourcepicture.h"

#include <QDir>
#include <QDirIterator>
#include <QString>
#include <QStringList>

#include <map>

#include "rt/folderitem.h"

namespace rt {

namespace {

std::int32_t reads = 0;

std::map<std::string, Picture>& Cache() {
    static std::map<std::string, Picture> cache;
    return cache;
}

QString FindResource(const std::string& name) {
    const QStringList pattern{QString::fromStdString(name) + QStringLiteral(".png")};
    QDirIterator found(QStringLiteral(":/"), pattern, QDir::Files, QDirIterator::Subdirectories);
    return found.hasNext() ? found.next() : QString();
}

} // namespace

Picture ResourcePicture(const std::string& name) {
    Picture& cached = Cache()[name];
    if (!cached) {
        ++reads;
        const QString path = FindResource(name);
        if (!path.isEmpty())
            cached = FolderItem(path.toStdString()).OpenAsPicture();
    }
    return cached;
}

std::int32_t ResourcePictureReads() {
    return reads;
}

} // namespace rt
