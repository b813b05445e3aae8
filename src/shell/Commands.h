// The main window's menus and the four toolbars as data: names, captions, keys, tooltips and the
// operation each button forwards to the active child window. The Qt main window builds itself
// from these tables, so the captions the user sees are tested here.
#pragma once

#include "common/ToolbarOperation.h"

#include <optional>
#include <string>
#include <vector>

namespace kinetra {

struct MenuItem {
    std::string name;    // "MDI_NEW"
    std::string caption; // "New"; "-" is a separator
    std::vector<MenuItem> children;
    bool isSeparator() const { return caption == "-"; }
};

const std::vector<MenuItem>& mainMenus();

struct ToolbarButton {
    std::string key;                           // "SAVE_MENU"
    std::string tooltip;                       // trailing blanks are exact
    std::optional<ToolbarOperation> operation; // of the active child window; none for some
    // The picture: a name of the freedesktop icon naming scheme, as the Adwaita theme (GNOME
    // project, LGPL-3 or CC-BY-SA-3.0) spells its monochrome icons; the caption is the tooltip.
    std::string icon;
};

// Toolbar modes: 0 none, 1 thermo table, 2 reaction table, 4 chart, 5 text document.
inline constexpr int kToolbarModes[] = {1, 2, 4, 5};
const std::vector<ToolbarButton>& toolbarButtons(int mode);

// The operation of the first button of that toolbar whose key equals the clicked key; nothing
// when the key has no operation.
std::optional<ToolbarOperation> toolbarOperation(int mode, const std::string& key);

// Which of the four toolbars (modes 1, 2, 4, 5 in that order) are visible for a mode; nothing
// for a mode that leaves the toolbars as they are.
std::optional<std::vector<bool>> toolbarVisibility(int mode);

// The caption of a new empty text document: "Text Doc" and the lowest number from 1 to 100 that
// no open window's caption uses; nothing when all hundred are taken.
std::optional<std::string> nextTextDocCaption(const std::vector<std::string>& openCaptions);

} // namespace kinetra
