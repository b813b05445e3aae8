// Every field goes through the format engine so that a species copied, written and read back
// keeps its text; the column layout is fixed, so a field must never push the next one along.
#include "thermo/NasaTextWriter.h"

#include "common/CompactNumber.h"
#include "common/NumberFormat.h"
#include "common/TextUtil.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kinetra::thermo {

namespace {

constexpr int kLineWidth = 80;
constexpr int kMaxFields = 4;
constexpr std::string_view kNotCreated =
    "The text thermodynamic data for this species has not been created.";
constexpr std::string_view kCoefficientPattern = "0.00000000E+00";

std::string rightAligned(int width) {
    return std::string(static_cast<std::size_t>(width), '@');
}

std::string leftAligned(int width) {
    return "!" + rightAligned(width);
}

// Widths count characters, as the format engine does, so a UTF-8 name is never cut inside a
// character.
std::size_t characterCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string cutToCharacters(std::string_view text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((text[i] & 0xC0) != 0x80 && seen++ == count)
            return std::string(text.substr(0, i));
    }
    return std::string(text);
}

std::string trimmedCut(std::string_view text, std::size_t count) {
    return cutToCharacters(trimBlanks(text), count);
}

bool hasCount(const std::optional<double>& count) {
    return count.has_value() && *count != 0;
}

std::vector<int> fieldSlots(const SpeciesRecord& species) {
    std::vector<int> slots;
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (hasCount(species.composition[slot]))
            slots.push_back(slot);
    return slots;
}

std::string tooManyFields(const SpeciesRecord& species) {
    bool ion = hasCount(species.composition[0]);
    std::string allowed = ion ? "3" : "4";
    return std::string("The NASA format allows ") + (ion ? "an ion" : "a neutral species") +
           " to be composed of " + allowed + " elements. The species " + trimBlanks(species.name) +
           " contains more then " + allowed + " elements. " + std::string(kNotCreated);
}

std::string temperatureField(const std::optional<double>& kelvin, std::string_view pattern,
                             int width) {
    bool known = kelvin && std::isfinite(*kelvin) && *kelvin > 0;
    return formatText(known ? formatNumber(*kelvin, pattern) : formatNumber(0, "0.0"),
                      rightAligned(width));
}

std::string lineOne(const SpeciesRecord& species, const ElementTable& elements,
                    const std::vector<int>& slots) {
    std::string line;
    std::string reference = trimmedCut(species.reference, 6);
    if (reference.empty()) {
        line += formatText(trimmedCut(species.name, 16), leftAligned(24));
    } else {
        line += formatText(trimmedCut(species.name, 16), leftAligned(18));
        line += formatText(reference, leftAligned(6));
    }

    std::string fields;
    for (int slot : slots) {
        // Element symbols have at most two letters; a longer one from a damaged template would
        // shift every later column.
        fields += formatText(cutToCharacters(elements.symbols[slot], 2), leftAligned(2));
        fields += formatNumber(*species.composition[slot], rightAligned(3));
    }
    for (std::size_t i = slots.size(); i < kMaxFields; ++i)
        fields += formatText("  ", leftAligned(2)) + formatText("0", rightAligned(3));
    line += formatText(fields, leftAligned(20));

    line += formatText(trimmedCut(species.phase, 1), rightAligned(1));
    line += temperatureField(species.tmin, "0.00", 10);
    line += temperatureField(species.tmax, "0.00", 10);
    line += temperatureField(species.tcom, "0.0", 8);
    line += formatText("1", rightAligned(7));
    return line;
}

std::string coefficients(const SpeciesRecord& species, int first, int last) {
    std::string text;
    for (int i = first; i <= last; ++i)
        text += formatText(formatNumber(species.coefficients[i], kCoefficientPattern),
                           rightAligned(15));
    return text;
}

void appendLine(std::string& text, std::string_view line) {
    text += line;
    text += "\r\n";
}

// Names joined by two blanks, a new line started wherever the next name would pass column 80.
// Breaking between names rather than at any blank keeps a damaged name with a blank whole.
void appendWrappedNames(std::string& text, const std::vector<std::string>& names) {
    std::string line;
    for (const std::string& name : names) {
        if (!line.empty() && characterCount(line) + 2 + characterCount(name) > kLineWidth) {
            appendLine(text, line);
            line.clear();
        }
        if (!line.empty())
            line += "  ";
        line += name;
    }
    if (!line.empty())
        appendLine(text, line);
}

} // namespace

SpeciesText writeSpeciesLines(const SpeciesRecord& species, const ElementTable& elements,
                              LineFourEnd lineFourEnd, bool withComment) {
    SpeciesText out;
    std::vector<int> slots = fieldSlots(species);
    if (slots.size() > kMaxFields) {
        out.refusal = tooManyFields(species);
        return out;
    }

    std::vector<std::string> lines;
    lines.push_back(lineOne(species, elements, slots));
    lines.push_back(coefficients(species, 0, 4) + formatText("2", rightAligned(5)));
    lines.push_back(coefficients(species, 5, 9) + formatText("3", rightAligned(5)));
    if (lineFourEnd == LineFourEnd::Clipboard)
        lines.push_back(coefficients(species, 10, 14) + formatText("4", rightAligned(5)));
    else
        lines.push_back(coefficients(species, 10, 13) + formatText("4", rightAligned(20)));

    // Only values no valid species has (counts beyond three columns, temperatures of ten million
    // kelvin, exponents of three digits) can overflow a field; a reader going by columns would
    // take the shifted text for other values, so such a species is not written at all.
    for (const std::string& line : lines) {
        if (characterCount(line) != kLineWidth) {
            out.refusal = "The species " + trimBlanks(species.name) +
                          " has a value that does not fit its column of the NASA format. " +
                          std::string(kNotCreated);
            return out;
        }
    }

    std::string comment = trimBlanks(species.comment);
    if (withComment && !comment.empty())
        lines.push_back("! " + comment);
    out.lines = std::move(lines);
    return out;
}

ThermoDocument writeThermoDocument(const std::vector<SpeciesRecord>& species,
                                   const ElementTable& elements, const ThermoDocumentHeader& header,
                                   bool withComments) {
    ThermoDocument doc;
    std::vector<std::string> names;
    std::string thermo;
    std::array<bool, kSlotCount> occurs{};
    for (const SpeciesRecord& one : species) {
        // Without a thermo section no NASA lines are written, so nothing can be refused.
        if (header.thermoSection) {
            SpeciesText text =
                writeSpeciesLines(one, elements, LineFourEnd::Document, withComments);
            if (!text.refusal.empty()) {
                doc.refusals.push_back(std::move(text.refusal));
                continue;
            }
            for (const std::string& line : text.lines)
                appendLine(thermo, line);
        }
        // The SPECIES list names each species as its thermo lines do, so the two always match.
        names.push_back(trimmedCut(one.name, 16));
        for (int slot = 1; slot < kSlotCount; ++slot)
            occurs[slot] = occurs[slot] || hasCount(one.composition[slot]);
    }
    doc.written = static_cast<int>(names.size());

    std::string& text = doc.text;
    appendLine(text, "!KINETRA " + formatDate(header.when, "mmm d yyyy") + "  " +
                         formatDate(header.when, "hh:nn:ss"));
    appendLine(text, "!Document: WINDOWS text file in CHEMKIN format.");
    if (header.reactionDatabaseName)
        appendLine(text, "!Reaction DataBase: " + *header.reactionDatabaseName);
    if (header.thermoSection)
        appendLine(text, "!Thermodynamic DataBase: " + header.thermoDatabasePath);
    appendLine(text, "!");

    appendLine(text, "ELEMENTS");
    for (int slot = 1; slot < kSlotCount; ++slot)
        if (occurs[slot])
            appendLine(text, elements.symbols[slot] + " / " +
                                 compactNumber(elements.weights[slot]) + " /");
    appendLine(text, "END");

    appendLine(text, "!Species " + formatNumber(doc.written, "0"));
    appendLine(text, "SPECIES");
    appendWrappedNames(text, names);
    appendLine(text, "END");

    if (header.thermoSection) {
        appendLine(text, "THERMO");
        text += thermo;
        appendLine(text, "END");
    }
    return doc;
}

ClipboardText writeClipboardText(const std::vector<SpeciesRecord>& species,
                                 const ElementTable& elements, bool withComments) {
    ClipboardText out;
    for (const SpeciesRecord& one : species) {
        SpeciesText text = writeSpeciesLines(one, elements, LineFourEnd::Clipboard, withComments);
        if (!text.refusal.empty()) {
            out.refusals.push_back(std::move(text.refusal));
            continue;
        }
        for (const std::string& line : text.lines) {
            if (!out.text.empty())
                out.text += "\r\n";
            out.text += line;
        }
    }
    return out;
}

} // namespace kinetra::thermo
