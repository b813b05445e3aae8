#include "shell/AppFolders.h"

#include "common/FileAttributes.h"
#include "common/TextUtil.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace kinetra {

AppFolders AppFolders::fromAppDir(const std::filesystem::path& appDir) {
    return {appDir, appDir / "AssistFiles"};
}

AppFolders AppFolders::fromExecutable(const char* argv0) {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        exe = std::filesystem::absolute(argv0 ? argv0 : ".", ec);
    return fromAppDir(exe.parent_path());
}

SplitPath SplitFilePath(std::string_view path) {
    std::string trimmed = trimBlanks(path);
    auto slash = trimmed.find_last_of("/\\");
    std::string name = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
    auto dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? std::string{} : name.substr(dot + 1);
    return {name, ext};
}

ReadOnlyCheck CheckReadOnly(const std::filesystem::path& path, bool clear) {
    ReadOnlyCheck result;
    if (path.empty())
        return result;
    switch (readOnlyState(path)) {
    case ReadOnlyState::Missing:
        return result;
    case ReadOnlyState::Writable:
        result.code = 0;
        return result;
    case ReadOnlyState::ReadOnly:
        break;
    }
    if (clear && clearReadOnly(path)) {
        result.code = 32;
        return result;
    }
    result.code = 1;
    result.message = "File " + path.string() + " is read-only, " +
                     "remove this attribute. The program has been terminated. ";
    return result;
}

} // namespace kinetra
