// The read-only attribute of a file and the file operations that respect it. Read-only means
// the owner's write permission is off; the permission bits are examined rather than asking the
// system whether a write would succeed, because the superuser may write anything and the
// attribute must mean the same whoever runs the program.
#include "common/FileAttributes.h"

#include "common/TextFile.h"

#include <stdexcept>

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

namespace {

// Copies `from` to a fresh temporary name beside `to`; returns that name, or an empty path.
fs::path copyToTemporary(const fs::path& from, const fs::path& to) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path temporary = temporaryPathBeside(to);
        std::error_code error;
        if (fs::copy_file(from, temporary, fs::copy_options::none, error))
            return temporary;
        if (error != std::errc::file_exists)
            break;
    }
    return {};
}

} // namespace

void copyFileOverwrite(const fs::path& from, const fs::path& to) {
    // Like writeTextFile, a target marked read-only is refused rather than silently replaced.
    bool copied = readOnlyState(from) != ReadOnlyState::Missing &&
                  readOnlyState(to) != ReadOnlyState::ReadOnly;
    if (copied) {
        fs::path temporary = copyToTemporary(from, to);
        std::error_code error;
        copied = !temporary.empty();
        if (copied) {
            // A copy of a protected template is a working file: its owner may change it.
            fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write,
                            fs::perm_options::add, error);
            if (!error)
                fs::rename(temporary, to, error);
            copied = !error;
            if (!copied)
                fs::remove(temporary, error);
        }
    }
    if (!copied)
        throw std::runtime_error("Cannot copy file " + from.string() + " to " + to.string());
}

void changeWithBackup(const fs::path& file, const std::function<void()>& change) {
    const fs::path keep = temporaryPathBeside(file);
    copyFileOverwrite(file, keep);
    try {
        change();
    } catch (...) {
        copyFileOverwrite(keep, file);
        deleteFileIfPresent(keep);
        throw;
    }
    deleteFileIfPresent(keep);
}

} // namespace kinetra
