// Putting mechanism text into the reaction table: the paste of the reaction window and the
// reading of mechanism text share this flow. Each refused reaction is shown in the refusal
// window, the accepted ones are checked against the thermo species and go in after a given row
// in one transaction, and every refusal is listed in ErrorMsg.txt.
#pragma once

#include "common/Seams.h"
#include "reactions/ReactionTextReader.h"
#include "reactions/ThermoSpeciesList.h"
#include "store/Database.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kinetra::reactions {

// The lasting answer of the refusal window: once "Do not show this window again" is ticked, the
// answer given with the tick is applied to every later refused reaction without asking. The
// caller keeps it for the whole run of the program.
struct RefusalMemory {
    bool doNotShowAgain = false;
    RefusalChoice choice = RefusalChoice::Continue;
};

struct ReadRequest {
    std::vector<std::string> lines;
    // The line number of each entry of `lines` in its file, for the error listing; empty: the
    // lines are numbered 1, 2, ... (pasted text).
    std::vector<int> sourceLines;
    ReadingOptions options;
    UnitConstants constants;
    std::int64_t insertAfterNum = 0; // the new records go after the row with this Num (0: first)
    std::int64_t selectionBase = 0;  // the new records are marked SelT base+1, base+2, ...
    std::filesystem::path errorFile; // ErrorMsg.txt in the program folder
    bool quiet = false;              // no progress while reading
    std::string progressText = "Reading reactions...";
    // The paste marks its rows afresh: UPaste and SelT of every old row are cleared and the
    // selected rows (store keys, in selection order) get SelT 1, 2, ... In the same transaction
    // as the insertion, so that a cancelled reading leaves the table untouched.
    bool resetMarks = false;
    std::vector<std::int64_t> selectedKeys;
};

struct ReadResult {
    int inserted = 0;
    int invalid = 0; // inserted but refused by the reaction check (Enabled false, Info -1)
    int refused = 0; // not stored
    bool noData = false;
    bool stopped = false;
    bool cancelled = false; // nothing changed on the user's word
    bool errorFileWritten = false;
    Answer openErrorFile = Answer::No; // the user's answer to "Open the file?"; the caller opens it
};

inline constexpr const char* kPasteReactionsTitle = "KINETRA, Paste Reactions";

// Reads the lines, asks about each refused reaction, inserts and checks what was read and
// reports the refusals. A failure while inserting leaves the table as it was and is rethrown.
ReadResult readReactionText(store::Connection& db, const ThermoSpeciesList& species,
                            const ReadRequest& request, RefusalMemory& memory, Ui& ui);

struct PasteReactionsRequest {
    std::vector<std::int64_t> selectedKeys; // in selection order
    std::int64_t currentNum = 0;            // Num of the current row: the insertion point
    ReadingOptions options;                 // a plain Paste: defaults with the current flag
    UnitConstants constants;
    std::filesystem::path errorFile;
};

// The reaction window's paste of the clipboard text.
ReadResult pasteReactions(store::Connection& db, const ThermoSpeciesList& species,
                          const PasteReactionsRequest& request, RefusalMemory& memory, Ui& ui);

// ErrorMsg.txt: the dated first line, an empty line, then the listing.
void writeReactionErrorListing(const std::filesystem::path& file, const std::string& listing,
                               const LocalDateTime& when);

} // namespace kinetra::reactions
