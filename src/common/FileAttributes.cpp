// The read-only attribute of a file and the file operations that respect it. Read-only means
// the owner's write permission is off; the permission bits are examined rather than asking the
// system whether a write would succeed, because the superuser may write anything and the
// attribute must mean the same whoever runs the program.
#include "common/FileAttributes.h"

#include "common/TextFile.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace kinetra {

namespace fs = std::filesystem;

ReadOnlyState readOnlyState(const fs::path& path) {
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (error || !fs::is_regular_file(status))
        return ReadOnlyState::Missing;
    bool writable = (status.permissions() & fs::perms::owner_write) != fs::perms::none;
    return writable ? ReadOnlyState::Writable : ReadOnlyState::ReadOnly;
}

bool clearReadOnly(const fs::path& path) {
    if (readOnlyState(path) == ReadOnlyState::Missing)
        return false;
    std::error_code error;
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
    return !error;
}

void deleteFileIfPresent(const fs::path& path) {
    std::error_code error;
    // A folder of that name is left alone: only files are deleted here.
    if (!fs::is_directory(fs::symlink_status(path, error)))
        fs::remove(path, error);
}

fs::path copyToTemporaryBeside(const fs::path& from, const fs::path& target) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path temporary = temporaryPathBeside(target);
        std::error_code error;
        if (fs::copy_file(from, temporary, fs::copy_options::none, error)) {
            // A copy of a protected template is a working file: its owner may change it.
            fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write,
                            fs::perm_options::add, error);
            if (!error)
                return temporary;
        }
        fs::remove(temporary, error);
        if (error != std::errc::file_exists)
            break;
    }
    throw std::runtime_error("Cannot copy file " + from.string() + " to " + target.string());
}

bool publishNewFile(const fs::path& temporary, const fs::path& target) {
    // link() refuses an existing name, which rename() would replace.
    const int linked = ::link(temporary.c_str(), target.c_str());
    const int error = linked == 0 ? 0 : errno;
    ::unlink(temporary.c_str());
    if (linked == 0)
        return true;
    if (error == EEXIST)
        return false;
    throw std::runtime_error("Cannot create file " + target.string() + ": " + std::strerror(error));
}

bool copyFileIfAbsent(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(to, error)))
        return false;
    return publishNewFile(copyToTemporaryBeside(from, to), to);
}

void copyFileOverwrite(const fs::path& from, const fs::path& to) {
    // Like writeTextFile, a target marked read-only is refused rather than silently replaced.
    bool copied = readOnlyState(from) != ReadOnlyState::Missing &&
                  readOnlyState(to) != ReadOnlyState::ReadOnly;
    if (copied) {
        try {
            const fs::path temporary = copyToTemporaryBeside(from, to);
            std::error_code error;
            fs::rename(temporary, to, error);
            copied = !error;
            if (!copied)
                fs::remove(temporary, error);
        } catch (const std::runtime_error&) {
            copied = false;
        }
    }
    if (!copied)
        throw std::runtime_error("Cannot copy file " + from.string() + " to " + to.string());
}

} // namespace kinetra
