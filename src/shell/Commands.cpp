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
        {"MDIHELP", "Help", {{"MAIN_UEGUIG", "About", {}}}},
    };
    return menus;
}

const std::vector<ToolbarButton>& toolbarButtons(int mode) {
    static const std::vector<ToolbarButton> none;
    static const std::vector<ToolbarButton> thermo{
        {"NOTATION", "Show/Hide Phase", "ShowPhase"},
        {"POLINOMIALS", "Show/Hide Polynomials ", "FullReduced"},
        {"SAVE_MENU", "Save", "SAVETRM"},
        {"CUT_TDB", "Cut", "CutTRM"},
        {"COPY_TDB", "Copy", "COPYTRM"},
        {"PASTE_TDB", "Paste", "PASTETRM"},
        {"TDB_UNDOPST", "Undo Paste", "TDB_UNPASTE"},
        {"Find", "Find", "FindSp"},
        {"SELECT", "Filter Dialog ", "FiltSp"},
        {"INCORRECT", "Invalid Species", "FiterInvSpec"},
        {"SHOWALL", "Show All Species", "ShowAll"},
        {"ELEMENTS", "Chemical Elements", "SHOWELEMENTS"},
        {"ADDNEW", "Insert New Row", "TDB_NewRow"},
        {"SHOWTDB_InputForm", "Input Window", "InputForm"},
        {"SETUP", "Chart and Numeric Data Dialog", "TDB_PlotSETUP"},
    };
    static const std::vector<ToolbarButton> reactions{
        {"COLVIS3", "Show/Hide Molecular Formula", "ColVisble3"},
        {"COLVIS1", "Show/Hide reversible and low-pressure parameters", "ColVisble1"},
        {"COLVIS2", "Show/Hide Third Bodies", "ColVisble2"},
        {"SAVE_RDB", "Save", "SAVERDB"},
        {"CUT_RDB", "Cut", "CUTRDB"},
        {"COPY_RDB", "Copy", "CopyCL"},
        {"PASRE_RDB", "Paste", "ClipPaste"},
        {"RDB_UNDOPSR", "Undo Paste", "UndoPsr"},
        {"Find", "Find", "FindRE"},
        {"SELECTREACR", "Filter Dialog ", "FilterRE"},
        {"INCORRECTReac", "Invalid Reactions", "IncoirrectShow"},
        {"DUPLICATE", "True Duplicates", "TrueDuplicates"},
        {"SHOWALL", "Show All Reactions", "ShowAll"},
        {"ELEMENTS", "Species List", "SpeciesFilter"},
        {"ADDNEW", "Insert New Row", "AddNewReac"},
        {"SHOWRDB_InputForm", "Input Window", "InputForm"},
        {"SETUP", "Chart and Numeric Data Dialog", "RDB_PLOTSET"},
    };
    static const std::vector<ToolbarButton> chart{
        {"SAVE", "Save Chart", "SaveTT"},
        {"PlotPrint", "Print", "PrePrint"},
        {"CUTSUBSET", "Cut ", "CUTSS"},
        {"SAVESUBSET", "Copy", "SAVESS"},
        {"PASTESUBSET", "Paste ", "PASTESS"},
        {"ANNOTATIONS", "New Annotation", "NewAnnotation"},
        {"SHOWTEXT", "Show All Chart Texts", "SHOWALLTEXT"},
        {"GRIDLINE", "Show/Hide Grid Lines", "GridLine"},
        {"MARKER", "Show/Hide Points", "MarkDataPnt"},
        {"LEGEND", "Color/Monochrome Style", "ViewingStyle"},
    };
    static const std::vector<ToolbarButton> text{
        {"SAVE", "Save", "SVTXT"},
        {"PRINT", "Print", "PrintTxt"},
        {"TXT_CUT", "Cut", "TEXT_CUT"},
        {"TXT_COPY", "Copy", "TEXT_COPY"},
        {"TXT_PASTE", "Paste", "ClipInRich"},
        {"RICH_UNDO", "Undo", "Rich_Undo"},
        {"RICH_REDO", "Redo", "Rich_Redo"},
        {"FIND", "Find/Replace", "RES_FIND"},
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
