// The read-only attribute of a file, which the program examines and clears: on this platform
// it is the owner's write permission.
#pragma once

#include <filesystem>
#include <functional>

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

// Runs a change that rewrites a file in several steps, with a copy of the file kept beside it:
// should the change fail, the copy is put back and the error rethrown, so nothing is lost.
void changeWithBackup(const std::filesystem::path& file, const std::function<void()>& change);

} // namespace kinetra
