// Reads reactions from mechanism text (pasted text or the REACTIONS part of a file). Pure
// parsing: lines in, records or refusals out. Nothing here touches a database, checks species
// against the thermo side or asks the user; the paste flow decides what to do with each outcome.
#pragma once

#include "reactions/ReactionRecord.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kinetra::reactions {

// The choices of the reading options window. A plain Paste reads with the defaults and the
// caller's current stoichiometric flag.
struct ReadingOptions {
    enum class AUnits { MolCmSec = 0, CmSec = 1 }; // CmSec: every A given per molecule
    enum class EUnits { CalPerMol = 0, KcalPerMol, JPerMol, KJPerMol, Kelvin };
    enum class LetterCase { No = 0, Upper, Lower };
    AUnits aUnits = AUnits::MolCmSec;
    EUnits eUnits = EUnits::CalPerMol;
    LetterCase letterCase = LetterCase::No; // equation and third-body lines
    // A leading digit 2..9 of a species name is its multiplicity ("2OH" is OH + OH).
    bool stoichiometric = true;
};

// The physical constants the unit conversions need, taken from the caller's options file (the
// program has no built-in values). Only the ones a chosen conversion uses must be set.
struct UnitConstants {
    double avogadro = 0; // 1/mol
    double rCal = 0;     // cal/(mol K)
    double rJoule = 0;   // J/(mol K)
};

// The texts of the reading options window.
namespace reading_window {
inline constexpr const char* kRateLaw = "k = A * T^n * exp(-E/ RT)";
inline constexpr std::array<const char*, 2> kAUnitNames{"mol-cm-sec", "cm-sec"};
inline constexpr const char* kAUnitsLabel = "to (mol-cm-sec)";
inline constexpr std::array<const char*, 5> kEUnitNames{"cal/mol", "kcal/mol", "J/mol", "kJ/mol",
                                                        "K"};
inline constexpr const char* kEUnitsLabel = "to (cal/mol)";
inline constexpr const char* kLetterCaseLabel = "Change the letter case";
inline constexpr std::array<const char*, 3> kLetterCaseNames{"No", "Uppercase", "Lowercase"};
inline constexpr const char* kStoichiometricText =
    "The number at the first position of species name "
    "will be interpreted as stoichiometric coefficient";
inline constexpr const char* kMoreButton = "More>>";
inline constexpr const char* kLessButton = "<<More";
} // namespace reading_window

inline constexpr const char* kNoReactionData =
    "There is no data on the clipboard in the reaction format.";

struct ReactionLine {
    std::string text;   // trimmed, tabs turned into blanks, a trailing "!" comment cut
    int sourceLine = 0; // 1-based line number in the lines given to gatherReactionBlocks
};

// A reaction line with all following lines up to the next reaction line.
struct ReactionBlock {
    std::vector<ReactionLine> lines; // lines[0] is the reaction line
};

struct GatheredText {
    std::vector<ReactionBlock> blocks;
    bool noReactionData = false; // nothing left, or the first data line is not a reaction
    std::size_t lineCount = 0;   // lines kept, for progress in tenths
};

// Pasted text as lines: carriage returns become blanks, lines end at line feeds.
std::vector<std::string> splitReactionText(std::string_view text);

// Drops empty lines, END lines and the comment lines in front of the first reaction, cleans the
// rest and groups them into reaction blocks.
GatheredText gatherReactionBlocks(const std::vector<std::string>& lines);

struct BlockReading {
    bool accepted = false;
    // Accepted: every field the text gives, UPaste 1; Reaction, Composition, Enabled and Info
    // are left to the reaction check.
    ReactionRecord record;
    std::string reason; // refused: the message shown to the user
};

// Reads one block. Never throws for malformed text (refused with a reason); throws
// std::invalid_argument when a unit conversion the options ask for lacks its constant.
BlockReading readReactionBlock(const ReactionBlock& block, const ReadingOptions& options,
                               const UnitConstants& constants);

// The block as the refusal window and the error listing show it: the reaction line with runs of
// four blanks shortened to two, then the other lines, each followed by CR LF.
std::string blockListingText(const ReactionBlock& block);

} // namespace kinetra::reactions
