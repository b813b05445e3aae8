#include "shell/WindowRegistry.h"

#include "common/TextUtil.h"

#include <algorithm>

namespace kinetra {

const std::vector<std::string>& toolWindowNames(ToolGroup group) {
    static const std::vector<std::string> none;
    static const std::vector<std::string> reaction{"RDB_InputForm", "RDB_Find", "RDB_SelSp",
                                                   "RDB_Refer", "RDB_ByElements"};
    static const std::vector<std::string> thermo{"TDB_FindSelect", "TDB_InputForm", "TDB_Refer",
                                                 "TDB_ByElements"};
    static const std::vector<std::string> text{"RES_FIND", "RES_PAGESETUP"};
    switch (group) {
    case ToolGroup::Reaction:
        return reaction;
    case ToolGroup::Thermo:
        return thermo;
    case ToolGroup::Text:
        return text;
    case ToolGroup::None:
        break;
    }
    return none;
}

ToolGroup toolGroupOf(const std::string& windowName) {
    for (ToolGroup g : {ToolGroup::Reaction, ToolGroup::Thermo, ToolGroup::Text}) {
        const auto& names = toolWindowNames(g);
        if (std::any_of(names.begin(), names.end(),
                        [&](const std::string& n) { return equalsIgnoreCase(n, windowName); }))
            return g;
    }
    return ToolGroup::None;
}

int WindowRegistry::add(std::string name, std::string caption, std::filesystem::path path) {
    int id = nextId_++;
    windows_.push_back({id, std::move(name), std::move(caption), std::move(path)});
    return id;
}

void WindowRegistry::remove(int id) {
    std::erase_if(windows_, [id](const OpenWindow& w) { return w.id == id; });
}

void WindowRegistry::setCaption(int id, std::string caption) {
    for (auto& w : windows_)
        if (w.id == id)
            w.caption = std::move(caption);
}

const OpenWindow* WindowRegistry::find(int id) const {
    for (const auto& w : windows_)
        if (w.id == id)
            return &w;
    return nullptr;
}

const OpenWindow* WindowRegistry::findByPath(const std::string& name,
                                             const std::filesystem::path& path) const {
    for (const auto& w : windows_)
        if (equalsIgnoreCase(w.name, name) && samePath(w.path, path))
            return &w;
    return nullptr;
}

std::vector<OpenWindow> WindowRegistry::named(const std::string& name) const {
    std::vector<OpenWindow> out;
    for (const auto& w : windows_)
        if (equalsIgnoreCase(w.name, name))
            out.push_back(w);
    return out;
}

std::vector<std::string> WindowRegistry::captions() const {
    std::vector<std::string> out;
    for (const auto& w : windows_)
        out.push_back(w.caption);
    return out;
}

bool samePath(const std::filesystem::path& a, const std::filesystem::path& b) {
    if (a.empty() || b.empty())
        return false;
    std::error_code ea, eb;
    auto ca = std::filesystem::weakly_canonical(a, ea);
    auto cb = std::filesystem::weakly_canonical(b, eb);
    if (ea || eb)
        return a.lexically_normal() == b.lexically_normal();
    return ca == cb;
}

} // namespace kinetra
