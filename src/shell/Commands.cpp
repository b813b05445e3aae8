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
    using Op = ToolbarOperation;
    static const std::vector<ToolbarButton> none;
    static const std::vector<ToolbarButton> thermo{
        {"NOTATION", "Show/Hide Phase", Op::TogglePhase, "view-dual-symbolic"},
        {"POLINOMIALS", "Show/Hide Polynomials ", Op::TogglePolynomials,
         "format-justify-fill-symbolic"},
        {"SAVE_MENU", "Save", Op::Save, "document-save-symbolic"},
        {"CUT_TDB", "Cut", Op::Cut, "edit-cut-symbolic"},
        {"COPY_TDB", "Copy", Op::Copy, "edit-copy-symbolic"},
        {"PASTE_TDB", "Paste", Op::Paste, "edit-paste-symbolic"},
        {"TDB_UNDOPST", "Undo Paste", Op::UndoPaste, "edit-undo-symbolic"},
        {"Find", "Find", Op::Find, "edit-find-symbolic"},
        {"SELECT", "Filter Dialog ", Op::Filter, "folder-saved-search-symbolic"},
        {"INCORRECT", "Invalid Species", Op::ShowInvalid, "dialog-warning-symbolic"},
        {"SHOWALL", "Show All Species", Op::ShowAll, "view-list-symbolic"},
        {"ELEMENTS", "Chemical Elements", Op::ChemicalElements, "view-app-grid-symbolic"},
        {"ADDNEW", "Insert New Row", Op::InsertNewRow, "list-add-symbolic"},
        {"SHOWTDB_InputForm", "Input Window", Op::InputWindow, "document-edit-symbolic"},
        {"SETUP", "Chart and Numeric Data Dialog", Op::ChartSetup, "x-office-spreadsheet-symbolic"},
    };
    static const std::vector<ToolbarButton> reactions{
        {"COLVIS3", "Show/Hide Molecular Formula", Op::ToggleComposition, "view-dual-symbolic"},
        {"COLVIS1", "Show/Hide reversible and low-pressure parameters", Op::ToggleParameters,
         "view-continuous-symbolic"},
        {"COLVIS2", "Show/Hide Third Bodies", Op::ToggleThirdBodies, "view-grid-symbolic"},
        {"SAVE_RDB", "Save", Op::Save, "document-save-symbolic"},
        {"CUT_RDB", "Cut", Op::Cut, "edit-cut-symbolic"},
        {"COPY_RDB", "Copy", Op::Copy, "edit-copy-symbolic"},
        {"PASRE_RDB", "Paste", Op::Paste, "edit-paste-symbolic"},
        {"RDB_UNDOPSR", "Undo Paste", Op::UndoPaste, "edit-undo-symbolic"},
        {"Find", "Find", Op::Find, "edit-find-symbolic"},
        {"SELECTREACR", "Filter Dialog ", Op::Filter, "folder-saved-search-symbolic"},
        {"INCORRECTReac", "Invalid Reactions", Op::ShowInvalid, "dialog-warning-symbolic"},
        {"DUPLICATE", "True Duplicates", Op::TrueDuplicates, "emblem-documents-symbolic"},
        {"SHOWALL", "Show All Reactions", Op::ShowAll, "view-list-symbolic"},
        {"ELEMENTS", "Species List", Op::SpeciesList, "view-list-bullet-symbolic"},
        {"ADDNEW", "Insert New Row", Op::InsertNewRow, "list-add-symbolic"},
        {"SHOWRDB_InputForm", "Input Window", Op::InputWindow, "document-edit-symbolic"},
        {"SETUP", "Chart and Numeric Data Dialog", Op::ChartSetup, "x-office-spreadsheet-symbolic"},
    };
    static const std::vector<ToolbarButton> chart{
        {"SAVE", "Save Chart", Op::Save, "document-save-symbolic"},
        {"PlotPrint", "Print", Op::Print, "document-print-symbolic"},
        {"CUTSUBSET", "Cut ", Op::CutSubset, "edit-cut-symbolic"},
        {"SAVESUBSET", "Copy", Op::CopySubset, "edit-copy-symbolic"},
        {"PASTESUBSET", "Paste ", Op::PasteSubset, "edit-paste-symbolic"},
        {"ANNOTATIONS", "New Annotation", Op::NewAnnotation, "insert-text-symbolic"},
        {"SHOWTEXT", "Show All Chart Texts", Op::ShowAllTexts, "format-text-plaintext-symbolic"},
        {"GRIDLINE", "Show/Hide Grid Lines", Op::ToggleGridLines, "view-grid-symbolic"},
        {"MARKER", "Show/Hide Points", Op::TogglePoints, "view-more-horizontal-symbolic"},
        {"LEGEND", "Color/Monochrome Style", Op::ToggleMonochrome, "color-select-symbolic"},
    };
    static const std::vector<ToolbarButton> text{
        {"SAVE", "Save", Op::Save, "document-save-symbolic"},
        {"PRINT", "Print", Op::Print, "document-print-symbolic"},
        {"TXT_CUT", "Cut", Op::Cut, "edit-cut-symbolic"},
        {"TXT_COPY", "Copy", Op::Copy, "edit-copy-symbolic"},
        {"TXT_PASTE", "Paste", Op::Paste, "edit-paste-symbolic"},
        {"RICH_UNDO", "Undo", Op::Undo, "edit-undo-symbolic"},
        {"RICH_REDO", "Redo", Op::Redo, "edit-redo-symbolic"},
        {"FIND", "Find/Replace", Op::FindReplace, "edit-find-replace-symbolic"},
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

std::optional<ToolbarOperation> toolbarOperation(int mode, const std::string& key) {
    for (const auto& b : toolbarButtons(mode))
        if (b.key == key)
            return b.operation;
    return std::nullopt;
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
