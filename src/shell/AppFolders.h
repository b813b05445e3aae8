// The application folder (the folder of the running executable), the support folder beside it
// and the names of the files the program keeps there.
#pragma once

#include "common/FileNames.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kinetra {

struct AppFolders {
    std::filesystem::path appDir;     // folder of the executable
    std::filesystem::path supportDir; // appDir / "AssistFiles"

    static AppFolders fromAppDir(const std::filesystem::path& appDir);
    // The folder of the running executable (/proc/self/exe), falling back to argv0.
    static AppFolders fromExecutable(const char* argv0);

    std::filesystem::path support(std::string_view name) const { return supportDir / name; }
    std::filesystem::path app(std::string_view name) const { return appDir / name; }
    std::filesystem::path quickStartThermo() const {
        return appDir / "QuickStart" / "THERMO_h2.mdb";
    }
};

// The file name and the extension (without the dot; empty when there is none) of a path. Both
// the platform separator and "\" (paths read from files written elsewhere) end a folder name.
struct SplitPath {
    std::string name;
    std::string extension;
};
SplitPath SplitFilePath(std::string_view path);

// The read-only examination of start-up and of the document opener.
struct ReadOnlyCheck {
    int code = 9999; // 9999 cannot be examined, 0 writable, 1 read-only, 32 read-only cleared
    std::string message;
};
ReadOnlyCheck CheckReadOnly(const std::filesystem::path& path, bool clear);

} // namespace kinetra
