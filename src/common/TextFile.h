// Reading and writing whole text files. Writes go to a temporary file beside the target that is
// then renamed over it, so a failure never leaves a half-written file behind (except in place,
// see Durability).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kinetra {

// The text of the file without a leading byte-order mark, or nothing when it cannot be opened
// or read.
std::optional<std::string> readTextFile(const std::filesystem::path& path);

// The bytes of the file as they are, or nothing when it cannot be opened or read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

// Whether a write waits until the data is on the disk before the rename. A scratch file (the
// input and hand-over files of one case of a sweep, which a crash only makes run again) is still
// written whole and renamed, but skips the wait: on a busy disk it costs milliseconds per file,
// more than the run of a small case. In place, the file itself is cut and written again, with
// neither a temporary file nor a rename: for the scratch files one process writes again and
// again (a case runner's solver input, read by nobody else), where each fresh file costs the file
// system a new inode to find. A failure may leave such a file cut short.
enum class Durability { Synced, Scratch, InPlace };

// Throws std::runtime_error with a message naming the path when the file cannot be written.
void writeTextFile(const std::filesystem::path& path, std::string_view content,
                   Durability durability = Durability::Synced);

// A fresh name in the target's folder for a file that is written and then renamed over the
// target ("name.tmp-<process id>-<random>"); callers create it exclusively and try again if it
// is taken. Temporary files of the same target left by a process that no longer runs (a kill, a
// power cut) are removed first, so that they go away on the next run.
std::filesystem::path temporaryPathBeside(const std::filesystem::path& target);

// Removes the "name.tmp-<pid>-..." files of the folder (SQLite journals of such files included)
// whose process has ended. Files of running processes are left alone.
void removeStaleTemporaries(const std::filesystem::path& folder);

} // namespace kinetra
