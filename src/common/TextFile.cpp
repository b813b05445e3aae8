// Whole-file reading and the safe replacement of a file: content goes to a temporary file in the
// same folder, which is flushed to disk and renamed over the target. A rename within one folder
// is atomic, so readers see the old file or the new one, never a half-written mix.
#include "common/TextFile.h"

#include "common/FileAttributes.h"
#include "common/TextUtil.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace kinetra {

namespace fs = std::filesystem;

namespace {

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file written over from its start and cut after the content: no new file, so no new inode
// for the file system to find, and the blocks it has are written again rather than freed and
// allocated anew.
bool overwriteInPlace(const fs::path& target, std::string_view content) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool written =
        writeAll(fd, content) && ::ftruncate(fd, static_cast<off_t>(content.size())) == 0;
    return ::close(fd) == 0 && written;
}

// The temporary file of one write: removed again unless it was renamed into place.
class PendingFile {
public:
    explicit PendingFile(const fs::path& target) {
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            path_ = temporaryPathBeside(target);
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST)
                break;
        }
    }
    ~PendingFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!committed_)
            ::unlink(path_.c_str());
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    bool write(std::string_view content) { return writeAll(fd_, content); }

    // A replaced file keeps its permissions; a new one gets the defaults of the umask.
    bool copyPermissionsOf(const fs::path& target) {
        struct stat info {};
        if (::stat(target.c_str(), &info) != 0)
            return true;
        return ::fchmod(fd_, info.st_mode & 07777) == 0;
    }

    bool commitTo(const fs::path& target, Durability durability) {
        bool flushed = durability == Durability::Scratch || ::fsync(fd_) == 0;
        bool closed = ::close(fd_) == 0;
        fd_ = -1;
        if (!flushed || !closed || ::rename(path_.c_str(), target.c_str()) != 0)
            return false;
        committed_ = true;
        return true;
    }

private:
    fs::path path_;
    int fd_ = -1;
    bool committed_ = false;
};

// Writing through a link replaces the file it points to, not the link itself.
fs::path resolveLink(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error))
        return path;
    fs::path resolved = fs::canonical(path, error);
    return error ? path : resolved;
}

} // namespace

std::optional<std::string> readTextFile(const fs::path& path) {
    std::optional<std::string> content = readFileBytes(path);
    if (content && withoutByteOrderMark(*content).size() != content->size())
        content->erase(0, content->size() - withoutByteOrderMark(*content).size());
    return content;
}

std::optional<std::string> readFileBytes(const fs::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::nullopt;
    // The whole file read at once into the string itself: appending megabytes in chunks copies
    // them again and again. A file that grows meanwhile is read on to its end.
    std::string content;
    std::error_code sizeUnknown;
    const auto size = fs::file_size(path, sizeUnknown);
    if (!sizeUnknown && size > 0) {
        content.resize(static_cast<std::size_t>(size));
        content.resize(std::fread(content.data(), 1, content.size(), file));
    }
    char buffer[65536];
    for (std::size_t count = 0;
         !std::ferror(file) && (count = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        content.append(buffer, count);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return std::nullopt;
    return content;
}

namespace {

constexpr std::string_view kTemporaryMark = ".tmp-";

// The process id a temporary name carries, if it has the form "<target>.tmp-<pid>-...".
std::optional<pid_t> ownerOfTemporary(std::string_view name) {
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string_view::npos || mark == 0)
        return std::nullopt;
    name.remove_prefix(mark + kTemporaryMark.size());
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > 9)
        return std::nullopt;
    pid_t pid = 0;
    for (char c : name.substr(0, dash)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

bool processRuns(pid_t pid) {
    return pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM;
}

} // namespace

void removeStaleTemporaries(const fs::path& folder) {
    std::error_code error;
    const fs::path where = folder.empty() ? fs::path(".") : folder;
    for (fs::directory_iterator it(where, error), end; !error && it != end; it.increment(error)) {
        const auto owner = ownerOfTemporary(it->path().filename().string());
        if (owner && !processRuns(*owner)) {
            std::error_code ignored;
            if (it->is_regular_file(ignored))
                fs::remove(it->path(), ignored);
        }
    }
}

fs::path temporaryPathBeside(const fs::path& target) {
    removeStaleTemporaries(target.parent_path());
    static constexpr char kHex[] = "0123456789abcdef";
    std::random_device random;
    std::string suffix = std::string(kTemporaryMark) + std::to_string(::getpid()) + "-";
    for (int i = 0; i < 2; ++i) {
        unsigned bits = random();
        for (int k = 0; k < 4; ++k, bits >>= 4)
            suffix += kHex[bits & 15];
    }
    fs::path temporary = target;
    temporary += suffix;
    return temporary;
}

void writeTextFile(const fs::path& path, std::string_view content, Durability durability) {
    fs::path target = resolveLink(path);
    // The read-only mark is honoured even for a user (such as root) whom the system would let
    // write: a file the user protected is never replaced behind their back.
    bool written = readOnlyState(target) != ReadOnlyState::ReadOnly;
    if (written && durability == Durability::InPlace) {
        written = overwriteInPlace(target, content);
    } else if (written) {
        PendingFile pending(target);
        written = pending.isOpen() && pending.write(content) && pending.copyPermissionsOf(target) &&
                  pending.commitTo(target, durability);
    }
    if (!written)
        throw std::runtime_error("Cannot write file " + path.string());
}

} // namespace kinetra
