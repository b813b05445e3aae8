#include "shell/Commands.h"

#include <algorithm>

namespace kinetra {

const std::vector<MenuItem>& mainMenus() {
    static const std::vector<MenuItem> menus{
        {"FILE",
         "File",
         {
             {"MDI_NEW",
              "New",
              {{"MDI_TEXT", "Text Document", {}}, {"MDI_NEWREAC", "Reaction Database", {}}}},
             {"OPEN", "Open...", {}},
             {"CLOSE", "Close", {}},
             {"SEP1", "-", {}},
             {"THERMODB",
              "THERMO Database",
              {{"THERMOSHOW", "Show", {}},
               {"THERMOOPEN", "Connect", {}},
               {"THERMONEW", "New", {}}}},
             {"SEP2", "-", {}},
             {"SAVE", "Save", {}},
             {"SAVEAS", "Save as...", {}},
             {"SEP3", "-", {}},
             {"EXIT", "Exit", {}},
         }},
        {"MDI_Setti",
         "Settings ",
         {
             {"MDI_PhysCon", "Physical Constants", {}},
             {"NDIColours", "Colors", {}},
             {"MDI_StatusBar",
              "Status Bar",
              {{"MDI_StBarhow", "Status Bar", {}}, {"MDI_StBarShow", "Hide", {}}}},
         }},
        // The open document windows are listed below the commands when the menu opens.
        {"MDI_WINDOW",
         "Window",
         {
             {"WIN_CASCADE", "Cascade", {}},
             {"WIN_TILE", "Tile", {}},
             {"WIN_CLOSEALL", "Close All", {}},
             {"WIN_SEP1", "-", {}},
             {"WIN_NEXT", "Next Window", {}},
             {"WIN_PREVIOUS", "Previous Window", {}},
             {"WIN_SEP2", "-", {}},
         }},
        {"MDIHELP", "Help", {{"MAIN_UEGUIG", "About", {}}}},
    };
    return menus;
}

const std::vector<ToolbarButton>& toolbarButtons(int mode) {
    static const std::vector<ToolbarButton> none;
    static const std::vector<ToolbarButton> thermo{
        {"NOTATION", "Show/Hide Phase", "ShowPhase", "view-dual-symbolic"},
        {"POLINOMIALS", "Show/Hide Polynomials ", "FullReduced", "format-justify-fill-symbolic"},
        {"SAVE_MENU", "Save", "SAVETRM", "document-save-symbolic"},
        {"CUT_TDB", "Cut", "CutTRM", "edit-cut-symbolic"},
        {"COPY_TDB", "Copy", "COPYTRM", "edit-copy-symbolic"},
        {"PASTE_TDB", "Paste", "PASTETRM", "edit-paste-symbolic"},
        {"TDB_UNDOPST", "Undo Paste", "TDB_UNPASTE", "edit-undo-symbolic"},
        {"Find", "Find", "FindSp", "edit-find-symbolic"},
        {"SELECT", "Filter Dialog ", "FiltSp", "folder-saved-search-symbolic"},
        {"INCORRECT", "Invalid Species", "FiterInvSpec", "dialog-warning-symbolic"},
        {"SHOWALL", "Show All Species", "ShowAll", "view-list-symbolic"},
        {"ELEMENTS", "Chemical Elements", "SHOWELEMENTS", "view-app-grid-symbolic"},
        {"ADDNEW", "Insert New Row", "TDB_NewRow", "list-add-symbolic"},
        {"SHOWTDB_InputForm", "Input Window", "InputForm", "document-edit-symbolic"},
        {"SETUP", "Chart and Numeric Data Dialog", "TDB_PlotSETUP",
         "x-office-spreadsheet-symbolic"},
    };
    static const std::vector<ToolbarButton> reactions{
        {"COLVIS3", "Show/Hide Molecular Formula", "ColVisble3", "view-dual-symbolic"},
        {"COLVIS1", "Show/Hide reversible and low-pressure parameters", "ColVisble1",
         "view-continuous-symbolic"},
        {"COLVIS2", "Show/Hide Third Bodies", "ColVisble2", "view-grid-symbolic"},
        {"SAVE_RDB", "Save", "SAVERDB", "document-save-symbolic"},
        {"CUT_RDB", "Cut", "CUTRDB", "edit-cut-symbolic"},
        {"COPY_RDB", "Copy", "CopyCL", "edit-copy-symbolic"},
        {"PASRE_RDB", "Paste", "ClipPaste", "edit-paste-symbolic"},
        {"RDB_UNDOPSR", "Undo Paste", "UndoPsr", "edit-undo-symbolic"},
        {"Find", "Find", "FindRE", "edit-find-symbolic"},
        {"SELECTREACR", "Filter Dialog ", "FilterRE", "folder-saved-search-symbolic"},
        {"INCORRECTReac", "Invalid Reactions", "IncoirrectShow", "dialog-warning-symbolic"},
        {"DUPLICATE", "True Duplicates", "TrueDuplicates", "emblem-documents-symbolic"},
        {"SHOWALL", "Show All Reactions", "ShowAll", "view-list-symbolic"},
        {"ELEMENTS", "Species List", "SpeciesFilter", "view-list-bullet-symbolic"},
        {"ADDNEW", "Insert New Row", "AddNewReac", "list-add-symbolic"},
        {"SHOWRDB_InputForm", "Input Window", "InputForm", "document-edit-symbolic"},
        {"SETUP", "Chart and Numeric Data Dialog", "RDB_PLOTSET", "x-office-spreadsheet-symbolic"},
    };
    static const std::vector<ToolbarButton> chart{
        {"SAVE", "Save Chart", "SaveTT", "document-save-symbolic"},
        {"PlotPrint", "Print", "PrePrint", "document-print-symbolic"},
        {"CUTSUBSET", "Cut ", "CUTSS", "edit-cut-symbolic"},
        {"SAVESUBSET", "Copy", "SAVESS", "edit-copy-symbolic"},
        {"PASTESUBSET", "Paste ", "PASTESS", "edit-paste-symbolic"},
        {"ANNOTATIONS", "New Annotation", "NewAnnotation", "insert-text-symbolic"},
        {"SHOWTEXT", "Show All Chart Texts", "SHOWALLTEXT", "format-text-plaintext-symbolic"},
        {"GRIDLINE", "Show/Hide Grid Lines", "GridLine", "view-grid-symbolic"},
        {"MARKER", "Show/Hide Points", "MarkDataPnt", "view-more-horizontal-symbolic"},
        {"LEGEND", "Color/Monochrome Style", "ViewingStyle", "color-select-symbolic"},
    };
    static const std::vector<ToolbarButton> text{
        {"SAVE", "Save", "SVTXT", "document-save-symbolic"},
        {"PRINT", "Print", "PrintTxt", "document-print-symbolic"},
        {"TXT_CUT", "Cut", "TEXT_CUT", "edit-cut-symbolic"},
        {"TXT_COPY", "Copy", "TEXT_COPY", "edit-copy-symbolic"},
        {"TXT_PASTE", "Paste", "ClipInRich", "edit-paste-symbolic"},
        {"RICH_UNDO", "Undo", "Rich_Undo", "edit-undo-symbolic"},
        {"RICH_REDO", "Redo", "Rich_Redo", "edit-redo-symbolic"},
        {"FIND", "Find/Replace", "RES_FIND", "edit-find-replace-symbolic"},
    };
    switch (mode) {
    case 1:
        return thermo;
    case 2:
        return reactions;
    case 4:
        return chart;
    case 5:
        return text;
    default:
        return none;
    }
}

std::string toolbarOperation(int mode, const std::string& key) {
    for (const auto& b : toolbarButtons(mode))
        if (b.key == key)
            return b.operation;
    return {};
}

std::optional<std::vector<bool>> toolbarVisibility(int mode) {
    if (mode == 0)
        return std::vector<bool>(4, false);
    std::vector<bool> visible;
    bool known = false;
    for (int m : kToolbarModes) {
        visible.push_back(m == mode);
        known = known || m == mode;
    }
    if (!known)
        return std::nullopt;
    return visible;
}

std::optional<std::string> nextTextDocCaption(const std::vector<std::string>& openCaptions) {
    for (int n = 1; n <= 100; ++n) {
        const std::string candidate = "Text Doc" + std::to_string(n);
        bool used =
            std::any_of(openCaptions.begin(), openCaptions.end(), [&](const std::string& c) {
                return c.compare(0, 8, "Text Doc") == 0 && c == candidate;
            });
        if (!used)
            return candidate;
    }
    return std::nullopt;
}

} // namespace kinetra
