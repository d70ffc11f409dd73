#pragma once
// The preferences file of the test run, in the temporary per-user folder the test main sets up;
// a path anywhere else stops the run before the user's own file is touched.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

#include "app/preferences.h"
#include "rt/folderitem.h"

namespace testsupport {
inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline std::filesystem::path PreferencesPath() {
    const std::string path = rt::GetFolderItem(preferences::kFileName).Path();
    if (path.rfind(std::filesystem::temp_directory_path().string(), 0) != 0) {
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
    return ReadFile(PreferencesPath());
}
} // namespace testsupport
