#pragma once
// The preferences file of the test run. The test main points the per-user folder into a temporary
// folder; a path anywhere else stops the run before the user's own file is touched.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/preferences.h"
#include "rt/folderitem.h"

namespace testsupport {

inline std::filesystem::path PreferencesPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string temporary = std::filesystem::temp_directory_path().string();
    const std::string path = rt::GetFolderItem(Preferenze::kNomeFile).Path();
    if (config == nullptr || std::string(config).rfind(temporary, 0) != 0 || path.rfind(config, 0) != 0) {
        ADD_FAILURE() << "preferences file outside a temporary folder: " << path;
        std::abort();
    }
    return path;
}

inline void RemovePreferences() {
    std::filesystem::remove_all(PreferencesPath());
}

inline void WritePreferences(const std::string& content) {
    RemovePreferences();
    std::ofstream(PreferencesPath(), std::ios::binary) << content;
}

inline std::string ReadPreferences() {
    std::ifstream in(PreferencesPath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace testsupport
