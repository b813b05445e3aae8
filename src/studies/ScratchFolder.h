// A fresh folder in the system's temporary folder for the files of solver runs, removed with
// everything in it when it goes: node-local on a cluster, and never mistaken for results.
#pragma once

#include <filesystem>
#include <string>

namespace kinetra::studies {

class ScratchFolder {
public:
    // "<temp>/<prefix>XXXXXX"; throws std::runtime_error when none can be made.
    explicit ScratchFolder(const std::string& prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace kinetra::studies
