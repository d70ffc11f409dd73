#include "app/preferences.h"

#include <string>

#include "rt/conv.h"
#include "rt/folderitem.h"

namespace Preferenze {

std::int32_t leggilingua() {
    const rt::FolderItem file = rt::GetFolderItem(kNomeFile);
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

bool scrivilingua(std::int32_t lingua) {
    auto stream = rt::GetFolderItem(kNomeFile).CreateTextFile();
    if (!stream)
        return false;
    stream->WriteLine(rt::Str(lingua));
    return stream->Close();
}

} // namespace Preferenze
