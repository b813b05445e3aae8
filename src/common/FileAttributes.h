// The read-only attribute of a file, which the program examines and clears: on this platform
// it is the owner's write permission.
#pragma once

#include <filesystem>

namespace kinetra {

enum class ReadOnlyState { Missing, Writable, ReadOnly };

ReadOnlyState readOnlyState(const std::filesystem::path& path);

// Makes the file writable for its owner; returns false when that failed.
bool clearReadOnly(const std::filesystem::path& path);

// Deletes the file if it exists; silent otherwise.
void deleteFileIfPresent(const std::filesystem::path& path);

// Copies a whole file over the target (through a temporary name and a rename); throws
// std::runtime_error naming both paths on failure.
void copyFileOverwrite(const std::filesystem::path& from, const std::filesystem::path& to);

// Copies a whole file to a fresh temporary name beside `target` (see temporaryPathBeside) and
// returns that name; throws std::runtime_error naming both paths on failure.
std::filesystem::path copyToTemporaryBeside(const std::filesystem::path& from,
                                            const std::filesystem::path& target);

// Gives a complete file its final name only when nothing has that name yet: another process
// creating the same file at the same moment can never be overwritten, and a half-made file never
// appears under the final name. The temporary name goes away either way. Returns false when the
// target existed; throws std::runtime_error on other failures.
bool publishNewFile(const std::filesystem::path& temporary, const std::filesystem::path& target);

// A copy of `from` at `to` made whole under a temporary name and published as above; false
// (and nothing changed) when `to` exists.
bool copyFileIfAbsent(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace kinetra
