// The operations a toolbar button forwards to the active document window. The toolbar tables
// (src/shell/Commands) name a button's operation with one of these, and each document window
// carries out the ones it has: a misspelt name cannot silently disable a button.
#pragma once

namespace kinetra {

enum class ToolbarOperation {
    // Shared by several windows.
    Save,
    Cut,
    Copy,
    Paste,
    UndoPaste,
    Find,
    Filter,
    ShowInvalid,
    ShowAll,
    InsertNewRow,
    InputWindow,
    ChartSetup,
    Print,
    // The thermo table.
    TogglePhase,
    TogglePolynomials,
    ChemicalElements,
    // The reaction table.
    ToggleComposition,
    ToggleParameters,
    ToggleThirdBodies,
    TrueDuplicates,
    SpeciesList,
    // Charts.
    CutSubset,
    CopySubset,
    PasteSubset,
    NewAnnotation,
    ShowAllTexts,
    ToggleGridLines,
    TogglePoints,
    ToggleMonochrome,
    // Text documents.
    Undo,
    Redo,
    FindReplace,
};

} // namespace kinetra
