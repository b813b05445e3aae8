// Whole mechanism files: the ELEMENTS, SPECIES, THERMO and REACTIONS sections of one text, and
// the import that puts such a file into a thermo database and a reaction database at once.
//
// Splitting is pure text work. The import reuses the two paste flows (species text, reaction
// text) so that a file brings in exactly what pasting its parts would, with the same checks,
// refusal windows and error listing.
#pragma once

#include "common/Seams.h"
#include "reactions/ReactionPaste.h"
#include "reactions/ReactionTextReader.h"
#include "thermo/ThermoDatabase.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinetra::reactions {

struct MechanismSections {
    bool hasElements = false, hasSpecies = false, hasThermo = false, hasReactions = false;
    std::vector<std::string> elements; // symbols as written
    // The atomic weight written behind a symbol ("D/2.014/"), parallel to elements.
    std::vector<std::optional<double>> elementWeights;
    std::vector<std::string> species; // declared names in file order
    // The THERMO section as a thermo file has it: the keyword line, the range line, the data
    // and an END line of its own, ready for thermo::unframeThermoFile.
    std::string thermoText;
    // The lines between the REACTIONS line and its END, untouched, with their 1-based line
    // numbers in the file (a second REACTIONS section adds its lines after the first's).
    std::vector<std::string> reactionLines;
    std::vector<int> reactionLineNumbers;
    std::vector<std::string> unitWords; // the words after REACTIONS, as written
    // The keyword lines of sections skipped as unused (TRANSPORT), as written in upper case.
    std::vector<std::string> skippedSections;
    // The line of the file the THERMO keyword stands on: line k of thermoText is line
    // thermoFirstLine + k - 1 of the file (while the section has no END of its own).
    int thermoFirstLine = 0;
};

// Whether the text is a whole mechanism (or thermo) file rather than bare reaction text: some
// line starts with a section keyword.
bool isMechanismFile(std::string_view text);

MechanismSections splitMechanismFile(std::string_view text);

struct UnitReading {
    ReadingOptions::AUnits aUnits = ReadingOptions::AUnits::MolCmSec;
    ReadingOptions::EUnits eUnits = ReadingOptions::EUnits::CalPerMol;
    std::string refusal; // not empty: a word the reader cannot convert, and the import stops
    // Words that are neither units nor known keywords (some mechanisms add their own, such as
    // "BASE" or "M=N2"): the import goes on and lists them.
    std::vector<std::string> ignoredWords;
};

// The units the REACTIONS line names; mol-cm-sec and cal/mol where it names none. Two units of
// one kind, or a word that may be a misspelt unit, refuse the reading.
UnitReading readUnitWords(const std::vector<std::string>& words);

// The warning about ignored words, or an empty text when there are none.
std::string ignoredWordsNote(const UnitReading& units);

struct MechanismImportRequest {
    std::string text;                      // the mechanism file
    std::optional<std::string> thermoText; // a thermo file given apart; replaces the section
    std::filesystem::path reactionDatabase;
    std::filesystem::path reactionTemplate; // EmptyReac.mdb, for a missing reaction database
    bool stoichiometric = true;
    UnitConstants constants;
    std::filesystem::path errorFile; // ErrorMsg.txt
};

struct MechanismImportResult {
    std::string refusal; // not empty: nothing was imported, this says why
    int speciesAdded = 0;
    int speciesKept = 0;    // already in the thermo database under that name: left as they are
    int speciesRefused = 0; // refused by the species reader (format, unknown elements)
    // Thermo data of species the SPECIES section does not declare, and repeats of a name the
    // file gave before: not put in, as the mechanism does not use them.
    int speciesSkipped = 0;
    bool thermoRefusedWhole = false; // the species text broke the grouping by four lines
    int reactionsStored = 0, reactionsValid = 0, reactionsInvalid = 0, reactionsRefused = 0;
    bool errorFileWritten = false;
    // Read differently from the text without a refusal: ignored words of the REACTIONS line,
    // skipped sections, repeated thermo records left out. Also in the error listing.
    std::vector<std::string> notes;
};

// Species of the file's THERMO section (or of request.thermoText) go into the connected thermo
// database after its last row; then its REACTIONS section goes into the reaction database,
// created from the template when missing, after its last row. Throws store::StoreError when
// the reaction database holds no reaction table.
MechanismImportResult importMechanism(thermo::ThermoDatabase& thermo,
                                      const MechanismImportRequest& request, RefusalMemory& memory,
                                      Ui& ui);

} // namespace kinetra::reactions
