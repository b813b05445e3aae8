// Every number goes through the format engine, so a mechanism written here and read back by the
// reader keeps its values; the column layout only serves the eye, readers split on blanks.
#include "reactions/ReactionTextWriter.h"

#include "common/ExactNumber.h"
#include "common/NumberFormat.h"
#include "common/TextFile.h"
#include "common/TextUtil.h"
#include "store/KeyedView.h"
#include "thermo/NasaTextWriter.h"
#include "thermo/SpeciesRow.h"

#include <algorithm>
#include <set>

namespace kinetra::reactions {

namespace {

constexpr std::string_view kTitle = "KINETRA";
constexpr std::string_view kAPattern = "0.00E+00";

std::string rightAligned(std::size_t width) {
    return std::string(width, '@');
}

std::string leftAligned(std::size_t width) {
    return "!" + rightAligned(width);
}

std::size_t characterCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool endsWithDollar(std::string_view name) {
    return !name.empty() && name.back() == '$';
}

std::string withoutDollar(std::string_view name) {
    return std::string(endsWithDollar(name) ? name.substr(0, name.size() - 1) : name);
}

bool isCollider(std::string_view name) {
    return name == "M" || name == "M$";
}

// A missing value in a grid cell stands for zero: written blank, the line would no longer read
// back as a reaction.
double valueOrZero(const std::optional<double>& v) {
    return v.value_or(0);
}

std::string compactOrBlank(const std::optional<double>& v) {
    return v ? exactCompactNumber(*v) : std::string();
}

// A number right-aligned in its column. The values are written with every digit they hold, so
// one that needs more room than the column gives widens it rather than touching its
// neighbour: the readers split the line at blanks.
std::string numberField(const std::string& text, std::size_t width) {
    return formatText(text, rightAligned(std::max(width, characterCount(text) + 1)));
}

std::string aText(const std::optional<double>& v) {
    return exactNumberText(valueOrZero(v), kAPattern);
}

std::string energyText(const std::optional<double>& v) {
    return exactNumberText(valueOrZero(v), "0");
}

struct RecordKind {
    bool collider = false;          // "M" or "M$" among the slots
    bool pressureDependent = false; // a slot name ending in "$"
    bool irreversible = false;      // "Irrev " type
    bool explicitReverse = false;   // "Rev" type
    bool duplicate = false;
    std::string falloff; // "TROE", "SRI" or empty
};

RecordKind kindOf(const ReactionRecord& r) {
    RecordKind kind;
    for (const std::string& name : r.species) {
        kind.collider = kind.collider || isCollider(name);
        kind.pressureDependent = kind.pressureDependent || endsWithDollar(name);
    }
    std::string type = upperAscii(r.type);
    if (contains(type, "TROE"))
        kind.falloff = "TROE";
    else if (contains(type, "SRI"))
        kind.falloff = "SRI";
    if (std::size_t p = type.find("IRREV"); p != std::string::npos) {
        kind.irreversible = true;
        type.erase(p, 5);
    }
    kind.explicitReverse = contains(type, "REV");
    kind.duplicate = upperAscii(trimBlanks(r.comment)).rfind("DUP", 0) == 0;
    return kind;
}

void appendSlot(std::string& equation, std::string_view name) {
    if (name.empty())
        return;
    if (endsWithDollar(name))
        equation += " (+" + withoutDollar(name) + ")";
    else
        equation += " + " + std::string(name);
}

std::string rebuiltEquation(const ReactionRecord& r) {
    std::string equation = r.species[0];
    for (std::size_t s = 1; s < rx::kReactantSlots; ++s)
        appendSlot(equation, r.species[s]);
    equation += contains(r.reaction, "<") ? " <=> " : " => ";
    equation += r.species[rx::kReactantSlots];
    for (std::size_t s = rx::kReactantSlots + 1; s < rx::kSlotCount; ++s)
        appendSlot(equation, r.species[s]);
    return equation;
}

void eraseFirst(std::string& text, char c) {
    if (std::size_t p = text.find(c); p != std::string::npos)
        text.erase(p, 1);
}

std::string equationOf(const ReactionRecord& r, const RecordKind& kind,
                       const MechanismOptions& options) {
    std::string equation = kind.pressureDependent ? rebuiltEquation(r) : r.reaction;
    if (kind.irreversible)
        eraseFirst(equation, '<');
    // Only a two-way arrow loses its brackets: "=>" turned into "=" would make a one-way
    // reaction reversible for every reader of the text.
    if (options.withoutAngleBrackets && contains(equation, "<")) {
        eraseFirst(equation, '<');
        eraseFirst(equation, '>');
    }
    if (options.withoutBlanks)
        std::erase(equation, ' ');
    return equation;
}

// REV and LOW share one layout: the keyword right-aligned in nine characters, then the three
// Arrhenius parameters of the line.
std::string parameterLine(std::string_view keyword, const ReactionRecord& r) {
    return formatText(keyword, rightAligned(9)) + numberField(aText(r.al), 9) +
           numberField(exactCompactNumber(valueOrZero(r.nl)), 10) +
           numberField(energyText(r.el), 10) + " /";
}

std::string falloffLine(const std::string& form, const ReactionRecord& r) {
    std::size_t count = 4;
    if (form == "SRI" && r.falloff[4])
        count = 5;
    std::string fields;
    for (std::size_t i = 0; i < count; ++i)
        fields += numberField(compactOrBlank(r.falloff[i]), 10);
    fields.erase(0, fields.find_first_not_of(' ') == std::string::npos
                        ? fields.size()
                        : fields.find_first_not_of(' '));
    const std::size_t keywordWidth = form == "SRI" ? 7 : 8;
    return formatText(form, rightAligned(keywordWidth)) + " / " + fields + " /";
}

std::string thirdBodyLine(const ReactionRecord& r) {
    std::string line = "    ";
    for (std::size_t i = 0; i < rx::kThirdBodyCount; ++i) {
        const std::string name = trimBlanks(r.thirdBodies[i]);
        if (name.empty() || !r.efficiencies[i])
            continue;
        // The compact format keeps every digit a mechanism gives (AR/.625/); two decimals
        // would change such efficiencies on every round trip.
        line += name + "/" + exactCompactNumber(*r.efficiencies[i]) + "/ ";
    }
    return line;
}

bool hasWrittenThirdBody(const ReactionRecord& r) {
    for (std::size_t i = 0; i < rx::kThirdBodyCount; ++i)
        if (!trimBlanks(r.thirdBodies[i]).empty() && r.efficiencies[i])
            return true;
    return false;
}

void appendLine(std::string& text, std::string_view line) {
    text += line;
    text += "\r\n";
}

} // namespace

int equationFieldWidth(CoefficientPosition position) {
    return position == CoefficientPosition::FixedDistance ? 50 : 0;
}

std::string writtenEquation(const ReactionRecord& record, const MechanismOptions& options) {
    return equationOf(record, kindOf(record), options);
}

std::vector<std::string> reactionLines(const ReactionRecord& r, const MechanismOptions& options,
                                       LinesFor target) {
    const RecordKind kind = kindOf(r);
    const bool clipboard = target == LinesFor::Clipboard;
    std::vector<std::string> lines;

    const std::string equation = equationOf(r, kind, options);
    const std::size_t width =
        std::max(static_cast<std::size_t>(equationFieldWidth(options.position)),
                 characterCount(equation) + 2);
    std::string line = formatText(equation, leftAligned(width)) + numberField(aText(r.a), 10) +
                       numberField(exactCompactNumber(valueOrZero(r.n)), 10) +
                       numberField(energyText(r.e), 10);
    const std::string reference = trimBlanks(r.reference);
    if ((options.reference || clipboard) && !reference.empty())
        line += " ! " + reference;
    lines.push_back(std::move(line));

    if (kind.explicitReverse)
        lines.push_back(parameterLine("REV /", r));
    if (kind.pressureDependent) {
        lines.push_back(parameterLine("LOW /", r));
        if (!kind.falloff.empty())
            lines.push_back(falloffLine(kind.falloff, r));
    }
    // A line of blanks alone says nothing, so a collider whose names all lack an efficiency
    // gets no third-body line.
    if (kind.collider && hasWrittenThirdBody(r))
        lines.push_back(thirdBodyLine(r));
    if (kind.duplicate)
        lines.push_back("    DUPLICATE");

    std::string comment = trimBlanks(r.comment);
    if ((options.comments || clipboard) && !comment.empty()) {
        // The leading "DUP..." word was written as the DUPLICATE line already.
        if (kind.duplicate) {
            const std::size_t blank = comment.find(' ');
            comment =
                blank == std::string::npos ? std::string() : trimBlanks(comment.substr(blank));
        }
        if (!comment.empty())
            lines.push_back("! " + comment);
    }
    return lines;
}

std::string reactionClipboardText(const std::vector<ReactionRecord>& records,
                                  const MechanismOptions& options) {
    std::string text;
    for (const ReactionRecord& r : records) {
        for (const std::string& line : reactionLines(r, options, LinesFor::Clipboard)) {
            if (!text.empty())
                text += "\r\n";
            text += line;
        }
    }
    return text;
}

std::string reactionSection(const std::vector<ReactionRecord>& records,
                            const MechanismOptions& options) {
    std::string text;
    appendLine(text, "! ");
    appendLine(text, "!Reactions " + formatNumber(static_cast<double>(records.size()), "0") +
                         ";  A-units " + "(mol-cm-sec)" + "  E-units " + "(cal/mol)");
    appendLine(text, formatText("REACTIONS", leftAligned(14)) +
                         formatText("MOLES", leftAligned(14)) + "CAL/MOLE");
    for (const ReactionRecord& r : records)
        for (const std::string& line : reactionLines(r, options, LinesFor::Document))
            appendLine(text, line);
    appendLine(text, "END");
    return text;
}

std::string redMarkStatement(ReactionView view) {
    const std::string condition = reactionViewCondition(view);
    if (condition.empty())
        return "UPDATE [Reactions] SET Red = 1 WHERE Info = 0;";
    return "UPDATE [Reactions] SET Red = 1 WHERE (" + condition + ") and Info = 0;";
}

int markOutputSelection(store::Connection& reactions, store::Connection& thermo,
                        ReactionView view) {
    std::set<std::string> names;
    std::size_t marked = 0;
    {
        store::Transaction transaction(reactions);
        reactions.execute("UPDATE [Reactions] SET Red = 0;");
        reactions.execute(redMarkStatement(view));
        const store::RowSet rows = reactions.query("SELECT * FROM [Reactions] WHERE Red = 1;");
        transaction.commit();
        marked = rows.rows.size();
        for (const store::Row& row : rows.rows) {
            const ReactionRecord r = reactionFromRow(row);
            bool collider = false;
            for (const std::string& name : r.species) {
                if (isCollider(name))
                    collider = true;
                else if (!name.empty())
                    names.insert(withoutDollar(name));
            }
            if (!collider)
                continue;
            for (const std::string& body : r.thirdBodies)
                if (!trimBlanks(body).empty())
                    names.insert(trimBlanks(body));
        }
    }

    store::Transaction transaction(thermo);
    const store::RowSet species = thermo.queryKeyed("SELECT * FROM [Trm] WHERE Info >= 0;");
    const std::size_t nameField = species.columns->position("Species");
    std::vector<std::int64_t> keys;
    for (std::size_t i = 0; i < species.rows.size(); ++i)
        if (names.contains(store::toText(species.rows[i][nameField])))
            keys.push_back(species.keys[i]);
    store::markOnlyRows(thermo, "Trm", "TDB", keys);
    transaction.commit();
    return static_cast<int>(marked);
}

MechanismDocument writeMechanismDocument(store::Connection& reactions, store::Connection& thermo,
                                         const thermo::ElementTable& elements,
                                         const MechanismHeader& header,
                                         const MechanismOptions& options) {
    const std::vector<thermo::SpeciesRecord> species = thermo::speciesFromRows(
        thermo.query("SELECT * FROM [Trm] WHERE TDB = 1 ORDER BY Species;"));
    std::vector<ReactionRecord> records;
    for (const store::Row& row :
         reactions.query("SELECT * FROM [Reactions] WHERE Red = 1 ORDER BY Num;").rows)
        records.push_back(reactionFromRow(row));

    thermo::ThermoDocumentHeader thermoHeader;
    thermoHeader.when = header.when;
    thermoHeader.reactionDatabaseName = header.reactionDatabaseName;
    thermoHeader.thermoSection = options.thermoSection;
    thermoHeader.thermoDatabasePath = header.thermoDatabasePath;
    thermo::ThermoDocument thermoDocument =
        thermo::writeThermoDocument(species, elements, thermoHeader, options.thermoComments);

    MechanismDocument document;
    document.text = std::move(thermoDocument.text) + reactionSection(records, options);
    document.refusals = std::move(thermoDocument.refusals);
    document.reactions = static_cast<int>(records.size());
    document.species = thermoDocument.written;
    return document;
}

bool saveMechanismText(const std::filesystem::path& path, std::string_view text, Dialogs& dialogs) {
    try {
        if (path.empty())
            throw std::runtime_error("empty path");
        writeTextFile(path, text);
        return true;
    } catch (const std::exception&) {
        dialogs.message("The Path/File name is wrong.", std::string(kTitle), Icon::Exclamation);
        return false;
    }
}

} // namespace kinetra::reactions
