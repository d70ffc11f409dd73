#include "app/preferences.h"

#include <string>

#include "rt/conv.h"
#include "rt/folderitem.h"

namespace preferences {

std::int32_t ReadLanguage() {
    const rt::FolderItem file = rt::GetFolderItem(kFileName);
    if (!file.Exists())
        return 1;
    auto stream = file.OpenAsTextFile();
    if (!stream)
        return 1;
    const std::string line = stream->ReadLine();
    const bool failed = stream->ReadFailed();
    stream->Close();
    return failed ? 1 : rt::conv(rt::Val(line));
}

bool WriteLanguage(std::int32_t language) {
    auto stream = rt::GetFolderItem(kFileName).CreateTextFile();
    if (!stream)
        return false;
    stream->WriteLine(rt::Str(language));
    return stream->Close();
}

} // namespace preferences
