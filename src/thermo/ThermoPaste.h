// Putting thermo text into the species table: the paste of the thermo window (clipboard text),
// the new-row template and the import of whole thermo files share this one flow. Reading asks
// about each refused block, the accepted species go in after a given row in one transaction,
// and every refusal is listed in ErrorMsg.txt.
#pragma once

#include "common/Seams.h"
#include "store/Database.h"
#include "thermo/NasaTextReader.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kinetra::thermo {

struct PasteRequest {
    std::string text;
    std::int64_t afterNum = 0; // insert after the row with this Num; 0 = before the first row
    ReadOptions options;
    std::filesystem::path errorFile; // ErrorMsg.txt
    // Shows a text file in a text window when the user asks to see the error listing.
    std::function<void(const std::filesystem::path&)> openTextFile;
    // Said after the unknown-elements message when every unknown symbol is a symbol of the
    // table in another letter case: how this caller reads such text.
    std::string letterCaseHint;
    // The window's paste marks its rows afresh: the UPaste and SelT marks of the old rows are
    // cleared in the same transaction as the insertion, so a paste that adds nothing leaves the
    // previous paste's marks (and its Undo Paste) as they were.
    bool clearMarks = false;
};

struct PasteResult {
    int inserted = 0;
    int rejected = 0;        // refused for their format
    int unknownElements = 0; // refused for elements the table does not hold
    // Those refusals all name symbols of the table in another letter case ("Ar" for "AR"):
    // reading with the upper-case option would take them.
    bool unknownOnlyByLetterCase = false;
    bool cancelled = false;    // nothing inserted on the user's word
    bool refusedWhole = false; // empty text or not in groups of four lines
    bool errorFileWritten = false;
};

// The new-row template: a species "NEW<" with Tmin 200 K, Tmax 3000 K, Tcom 1000 K and all
// coefficients 0.
std::string newRowTemplate();

// The whole flow on an open database file: read, ask, insert after request.afterNum with the
// rows marked (UPaste 1, SelT 1, 2, ... after the insertion row), check all species, report.
// A failure while inserting leaves the table as it was and is rethrown.
PasteResult pasteSpeciesText(store::Connection& db, const ElementTable& elements,
                             const PasteRequest& request, Ui& ui);

// Shows the message for species left out because an element is not in the element table and
// returns their entry for the error listing (empty when there are none).
std::string reportUnknownElementSpecies(const std::vector<std::string>& names, Dialogs& dialogs,
                                        const std::string& hint = {});

// ErrorMsg.txt: a dated first line, a line with one blank, then the listing.
void writeErrorListing(const std::filesystem::path& file, const std::string& listing,
                       const LocalDateTime& when);

// Adds text at the end of the ErrorMsg.txt this run wrote, or writes a new listing when it
// wrote none (an older file is never extended).
void addToErrorListing(const std::filesystem::path& file, const std::string& text,
                       bool writtenThisRun, const LocalDateTime& when);

} // namespace kinetra::thermo
