// The open windows of the run, in the order they were opened: documents (thermo table, reaction
// tables, charts, text documents), the post-processor, the solver settings and the tool windows
// of the documents. The window side keeps it in step; the core reads it to find a database that
// is already open, to number new text documents and to close everything in order at exit.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kinetra {

// Window names of the program: documents and windows that the exit routine treats specially.
namespace windows {
inline constexpr const char* kThermo = "TDB";
inline constexpr const char* kReaction = "RDB";
inline constexpr const char* kChart = "PLOT";
inline constexpr const char* kText = "RES_ShowFile";
inline constexpr const char* kOptions = "OptionsPr";
inline constexpr const char* kPostProcessor = "RES_Results";
inline constexpr const char* kSolverSettings = "SOL_RUN";
} // namespace windows

// Tool windows belong to one group and never stay open over a document of another kind.
enum class ToolGroup { None, Reaction, Thermo, Text };

// The tool window names of each group.
const std::vector<std::string>& toolWindowNames(ToolGroup group);
ToolGroup toolGroupOf(const std::string& windowName);

struct OpenWindow {
    int id = 0;
    std::string name;    // window class name, e.g. "RDB"
    std::string caption; // e.g. the file name, "Text Doc3"
    std::filesystem::path path;
};

class WindowRegistry {
public:
    int add(std::string name, std::string caption, std::filesystem::path path = {});
    void remove(int id);
    void setCaption(int id, std::string caption);
    const OpenWindow* find(int id) const;
    // The first window of that name showing that file (paths compared after normalisation).
    const OpenWindow* findByPath(const std::string& name, const std::filesystem::path& path) const;
    std::vector<OpenWindow> named(const std::string& name) const; // names compared without case
    const std::vector<OpenWindow>& all() const { return windows_; }
    std::vector<std::string> captions() const;

private:
    std::vector<OpenWindow> windows_;
    int nextId_ = 1;
};

bool samePath(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace kinetra
