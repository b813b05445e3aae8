// The mechanism text of reaction records: the reaction lines for the clipboard, the whole
// mechanism document (header, elements, species and thermo data, reactions) and the marking of
// the reactions and species that go into it.
//
// The marks live in the databases (`Red` on reactions, `TDB` on species) rather than in memory,
// because the thermo writer and the document both read their rows by those marks.
#pragma once

#include "common/Seams.h"
#include "reactions/ReactionRecord.h"
#include "reactions/ReactionViews.h"
#include "store/Database.h"
#include "thermo/SpeciesRecord.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kinetra::reactions {

// The texts of the document command's dialog.
namespace mechanism_dialog {
inline constexpr std::string_view kThermoFrame = "THERMO";
inline constexpr std::string_view kReactionsFrame = "Reactions";
inline constexpr std::string_view kFormatFrame = "Format of reaction formula";
inline constexpr std::string_view kPositionFrame = "Position of Arrhenius coefficients";
inline constexpr std::string_view kCreate = "Create";
inline constexpr std::string_view kComments = "Comments";
inline constexpr std::string_view kReference = "Reference";
inline constexpr std::string_view kFullDescription = "Full description";
inline constexpr std::string_view kFullDescriptionExample = "O2 + H <=> OH + O";
inline constexpr std::string_view kWithoutAngleBrackets = "Without angle brackets";
inline constexpr std::string_view kWithoutAngleBracketsExample = "O2 + H = OH + O";
inline constexpr std::string_view kWithoutBlanks = "Without blank spaces";
inline constexpr std::string_view kWithoutBlanksExample = "O2+H<=>OH+O";
inline constexpr std::string_view kAfterFormula = "Immediately after reaction formula";
inline constexpr std::string_view kFixedDistance =
    "Fixed distance of 52 characters from the left edge";
inline constexpr std::string_view kCreateButton = "Create";
inline constexpr std::string_view kCancelButton = "Cancel";
} // namespace mechanism_dialog

enum class CoefficientPosition { AfterFormula, FixedDistance };

// The choices of the document command; they last for the run, so the caller keeps one value.
struct MechanismOptions {
    bool thermoSection = true;   // THERMO "Create"
    bool thermoComments = false; // THERMO "Comments"
    bool reference = true;       // Reactions "Reference"
    bool comments = false;       // Reactions "Comments"
    bool withoutAngleBrackets = false;
    bool withoutBlanks = false;
    CoefficientPosition position = CoefficientPosition::FixedDistance;
};

// The smallest width of the equation field: 0 or 50 characters.
int equationFieldWidth(CoefficientPosition position);

// Whether the lines are for the clipboard, which always carry reference and comment.
enum class LinesFor { Document, Clipboard };

// The equation as written: rebuilt with "(+M)" for a pressure-dependent record, one-way for an
// "Irrev " type, then shaped by the two formula options.
std::string writtenEquation(const ReactionRecord& record, const MechanismOptions& options);

// The lines of one record, without line ends: the reaction line, then REV, LOW, TROE or SRI,
// third bodies, DUPLICATE and the comment as they apply.
std::vector<std::string> reactionLines(const ReactionRecord& record,
                                       const MechanismOptions& options, LinesFor target);

// The reaction lines of the records, joined by CR LF (no heading, no END).
std::string reactionClipboardText(const std::vector<ReactionRecord>& records,
                                  const MechanismOptions& options);

// The REACTIONS section of the document for the records as given, each line ending in CR LF.
std::string reactionSection(const std::vector<ReactionRecord>& records,
                            const MechanismOptions& options);

// Marks what the document holds. Reactions: `Red` 1 on the valid records (Info = 0) of the
// window's view. Species: `TDB` 1 on every valid thermo species (Info >= 0) named by a marked
// reaction, third bodies of "M" reactions included. One transaction per database. Returns the
// number of marked reactions.
int markOutputSelection(store::Connection& reactions, store::Connection& thermo, ReactionView view);

struct MechanismHeader {
    LocalDateTime when;
    std::string reactionDatabaseName;
    std::string thermoDatabasePath;
};

struct MechanismDocument {
    std::string text; // CR LF line ends
    // Species the thermo writer could not put in the format; the caller shows them (title
    // "KINETRA"), as the reactions naming them will not read back without their thermo data.
    std::vector<std::string> refusals;
    int reactions = 0;
    int species = 0;
};

// The document of the marked rows: the species with TDB = 1 ordered by name, the reactions with
// Red = 1 in Num order. Call markOutputSelection first.
MechanismDocument writeMechanismDocument(store::Connection& reactions, store::Connection& thermo,
                                         const thermo::ElementTable& elements,
                                         const MechanismHeader& header,
                                         const MechanismOptions& options);

// Writes the text to path; when that fails shows "The Path/File name is wrong." (title
// "KINETRA") and returns false.
bool saveMechanismText(const std::filesystem::path& path, std::string_view text, Dialogs& dialogs);

} // namespace kinetra::reactions
