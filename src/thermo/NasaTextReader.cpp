#include "thermo/NasaTextReader.h"

#include "common/NumberFormat.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"

#include <algorithm>
#include <cctype>

namespace kinetra::thermo {

namespace {

constexpr std::size_t kCommentLimit = 255;
constexpr std::size_t kCommentCut = 128;
constexpr std::size_t kCardWidth = 80;

const char* const kTabReason =
    "These lines contain the TABKEY symbols, replace the symbols with blank spaces.";
const char* const kElementReason = "Elemental content, integers are required.";
const char* const kCoefficientReason =
    "The polynomial coefficients are incomplete, or the data has a wrong format.";
const char* const kNameReason = "The species name is empty, or the data has a wrong format.";
const char* const kTemperatureReason =
    "Error in temperature interval. The data has a wrong format or is incomplete.";

// Columns first..last (1-based, inclusive) of a line. Cards are often shorter than 80 columns;
// columns past the end read as blanks, so a short card simply has empty fields.
std::string_view columns(std::string_view line, std::size_t first, std::size_t last) {
    if (first > line.size())
        return {};
    return line.substr(first - 1, std::min(last, line.size()) - first + 1);
}

void appendWithBlank(std::string& to, std::string_view text) {
    if (text.empty())
        return;
    if (!to.empty())
        to += ' ';
    to += text;
}

// Temperatures are kept to the precision the table shows (pattern "0.###").
double roundTemperature(double value) {
    return parseNumber(formatNumber(value, "0.###")).value_or(value);
}

std::vector<std::string> splitWords(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t')
            ++i;
        if (i > start)
            words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

// The keyword part of a file line: the text before any "!" comment, trimmed.
std::string keywordPart(std::string_view line) {
    return trimBlanks(line.substr(0, std::min(line.find('!'), line.size())));
}

// "THERMO" or "THERMO ALL", in any letter case, a comment allowed after it. Mechanism files
// often shorten the keyword to its first four or five letters ("THER", "THERM ALL").
bool isThermoLine(std::string_view line) {
    const std::vector<std::string> words = splitWords(keywordPart(line));
    if (words.empty() || words.size() > 2)
        return false;
    const std::string keyword = upperAscii(words[0]);
    const bool thermo = keyword == "THER" || keyword == "THERM" || keyword == "THERMO";
    return thermo && (words.size() == 1 || equalsIgnoreCase(words[1], "ALL"));
}

// "END", and the "ENDOFDATA" some thermo files close with.
bool isEndLine(std::string_view line) {
    const std::vector<std::string> words = splitWords(keywordPart(line));
    return words.size() == 1 &&
           (equalsIgnoreCase(words[0], "END") || equalsIgnoreCase(words[0], "ENDOFDATA"));
}

struct Element {
    std::string symbol;
    double count = 0;
};

std::string withLetterCase(std::string line, ReadOptions::LetterCase letterCase) {
    if (letterCase == ReadOptions::LetterCase::Upper)
        return upperAscii(line);
    if (letterCase == ReadOptions::LetterCase::Lower)
        return lowerAscii(line);
    return line;
}

// Columns 1..24 of line 1: the name, and by the name rule either a reference (columns 17..24)
// or the start of the comment (what follows the name's first blank).
struct NameFields {
    std::string name, reference, commentStart;
};

NameFields nameFields(std::string_view line1, ReadOptions::NameRule rule) {
    NameFields fields;
    fields.name = trimBlanks(columns(line1, 1, 16));
    const std::size_t blank = fields.name.find(' ');
    if (rule == ReadOptions::NameRule::FirstBlank && blank != std::string::npos) {
        const std::string head = trimBlanks(columns(line1, 1, 24));
        fields.commentStart = trimBlanks(std::string_view(head).substr(blank + 1));
        fields.name.resize(blank);
    } else {
        fields.reference = trimBlanks(columns(line1, 17, 24));
    }
    return fields;
}

} // namespace

CollectedText collectSpeciesBlocks(std::string_view text) {
    const std::string readable = readerText(text);
    text = readable;
    CollectedText result;
    if (trimBlanks(text).empty()) {
        result.emptyText = true;
        return result;
    }

    std::vector<DataLine> dataLines;
    // Comment text per block, indexed like the blocks; an incomplete last block is dropped.
    std::vector<std::string> comments;
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = std::min(text.find('\n', pos), text.size());
        ++lineNumber;
        std::string piece(text.substr(pos, end - pos));
        std::erase(piece, '\r');
        pos = end + 1;

        std::string trimmed = trimBlanks(piece);
        if (trimmed.empty())
            continue;
        if (trimmed.front() != '!') {
            dataLines.push_back({std::move(piece), lineNumber});
            continue;
        }
        if (dataLines.empty())
            continue; // a file header: it describes the file, not a species
        std::string note = trimBlanks(std::string_view(trimmed).substr(1));
        if (note.empty() || equalsIgnoreCase(note, "END"))
            continue;
        // After line 4 a comment belongs to the species just ended; inside a block it is taken
        // as a note on the species being written, which is where its author put it.
        std::size_t count = dataLines.size();
        std::size_t block = count % 4 == 0 ? count / 4 - 1 : count / 4;
        if (comments.size() <= block)
            comments.resize(block + 1);
        appendWithBlank(comments[block], note);
    }

    result.dataLineCount = static_cast<int>(dataLines.size());
    result.notMultipleOfFour = dataLines.size() % 4 != 0;
    std::size_t blockCount = dataLines.size() / 4;
    comments.resize(std::max(comments.size(), blockCount));
    result.blocks.reserve(blockCount);
    for (std::size_t b = 0; b < blockCount; ++b) {
        SpeciesBlock block;
        for (std::size_t j = 0; j < 4; ++j)
            block.lines[j] = std::move(dataLines[4 * b + j]);
        block.trailingComment = std::move(comments[b]);
        if (block.trailingComment.size() > kCommentLimit)
            cutText(block.trailingComment, kCommentCut);
        result.blocks.push_back(std::move(block));
    }
    return result;
}

BlockResult readSpeciesBlock(const SpeciesBlock& block, const ElementTable& elements,
                             const ReadOptions& options) {
    BlockResult result;
    auto reject = [&result](const char* reason) {
        result.outcome = BlockOutcome::Rejected;
        result.reason = reason;
        return result;
    };

    // A TAB shifts the fixed columns only where there are columns: a comment behind column 80
    // ("    4!<TAB>Reference element") may hold one.
    for (const DataLine& line : block.lines)
        if (line.text.find('\t') < kCardWidth)
            return reject(kTabReason);
    // The columns count bytes: a letter written with several bytes ("Ö2") shifts every field
    // behind it, and the block would be refused for a fault it does not have.
    for (std::size_t j = 0; j < 4; ++j) {
        const std::string& text = block.lines[j].text;
        for (std::size_t k = 0; k < std::min(text.size(), kCardWidth); ++k)
            if (const std::size_t length = utf8SequenceAt(text, k)) {
                result.outcome = BlockOutcome::Rejected;
                result.reason = "Line " + std::to_string(j + 1) + " holds the character " +
                                text.substr(k, length) + " in column " + std::to_string(k + 1) +
                                "; the fixed columns of thermo text hold one-byte characters only.";
                return result;
            }
    }

    const std::string line1 = withLetterCase(block.lines[0].text, options.letterCase);

    std::vector<Element> found;
    for (std::size_t k = 0; k < 4; ++k) {
        std::size_t first = 25 + 5 * k;
        std::string symbol = trimBlanks(columns(line1, first, first + 1));
        std::string countText = trimBlanks(columns(line1, first + 2, first + 4));
        if (countText.empty())
            continue;
        // A count without a symbol is garbage in the element columns (a symbol written one
        // column too far right, say): refusing it beats silently losing an element.
        std::optional<double> count = parseNumber(countText);
        if (!count)
            return reject(kElementReason);
        if (symbol.empty() || *count == 0)
            continue;
        if (equalsIgnoreCase(symbol, "E"))
            symbol = "E";
        found.push_back({std::move(symbol), *count});
    }

    std::array<std::optional<double>, kSlotCount> composition{};
    std::vector<std::string> unknown;
    for (const Element& e : found) {
        if (std::optional<int> slot = elements.slotOf(e.symbol)) {
            // A symbol written in two fields counts twice, as a formula would.
            composition[*slot] = composition[*slot].value_or(0) + e.count;
        } else if (std::find(unknown.begin(), unknown.end(), e.symbol) == unknown.end()) {
            unknown.push_back(e.symbol);
        }
    }

    std::array<double, 15> coefficients{};
    for (std::size_t j = 1; j < 4; ++j) {
        std::string text = block.lines[j].text;
        // Many writers start a positive first coefficient in column 1; the fields are read as
        // if the sign column had been left blank.
        if (text.empty() || (text[0] != '+' && text[0] != '-' && text[0] != ' '))
            text.insert(text.begin(), ' ');
        for (std::size_t k = 1; k <= 5; ++k) {
            bool fifteenth = j == 3 && k == 5;
            std::string field = upperAscii(columns(text, 15 * (k - 1) + 1, 15 * k));
            for (std::size_t e = field.find("E "); e != std::string::npos;
                 e = field.find("E ", e + 1))
                field[e + 1] = '+';
            std::optional<double> value = parseNumber(field);
            if (fifteenth) {
                coefficients[14] = value.value_or(0);
            } else if (value) {
                coefficients[5 * (j - 1) + k - 1] = *value;
            } else {
                return reject(kCoefficientReason);
            }
        }
    }

    auto [name, reference, commentStart] = nameFields(line1, options.nameRule);
    if (name.empty())
        return reject(kNameReason);
    result.name = name;
    if (!unknown.empty()) {
        result.outcome = BlockOutcome::UnknownElements;
        result.unknownSymbols = std::move(unknown);
        return result;
    }

    std::string tcomText = trimBlanks(columns(line1, 66, 73));
    std::optional<double> tcom;
    if (tcomText.empty() && options.defaultTcom)
        tcom = options.defaultTcom;
    else
        tcom = parseNumber(tcomText);
    if (!tcom)
        return reject(kTemperatureReason);
    double tmin = parseNumber(columns(line1, 46, 55)).value_or(0);
    double tmax = parseNumber(columns(line1, 56, 65)).value_or(0);

    std::string phase = upperAscii(trimBlanks(columns(line1, 45, 45)));
    if (phase.empty())
        phase = "G";

    SpeciesRecord& record = result.record;
    record.name = std::move(name);
    record.composition = composition;
    record.phase = std::move(phase);
    record.tmin = roundTemperature(tmin);
    record.tmax = roundTemperature(tmax);
    record.tcom = roundTemperature(*tcom);
    record.coefficients = coefficients;
    // The table has always stored the reference with one trailing blank; rows written by
    // this reader must compare equal to the rows already there.
    record.reference = reference + " ";
    record.comment = std::move(commentStart);
    appendWithBlank(record.comment, block.trailingComment);
    result.outcome = BlockOutcome::Accepted;
    return result;
}

std::string speciesNameOf(const SpeciesBlock& block, const ReadOptions& options) {
    return nameFields(withLetterCase(block.lines[0].text, options.letterCase), options.nameRule)
        .name;
}

std::string stripThermoFileFrame(std::string_view text, std::optional<double>& rangeMiddle) {
    const std::string readable = readerText(text);
    text = readable;
    rangeMiddle.reset();
    std::string out;
    out.reserve(text.size());
    bool rangeMayFollow = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        std::string_view line = text.substr(pos, next - pos);
        pos = next;

        // A frame line leaves an empty line behind, so that line k of the result is still
        // line k of the file for the messages that name a line.
        const std::string_view lineEnd = line.ends_with('\n') ? "\n" : "";
        std::string key = keywordPart(line);
        std::vector<std::string> words = splitWords(key);
        if (isThermoLine(line)) {
            rangeMayFollow = true;
            out += lineEnd;
            continue;
        }
        if (rangeMayFollow && !key.empty()) {
            rangeMayFollow = false;
            if (words.size() == 3 &&
                std::all_of(words.begin(), words.end(), [](auto& w) { return isNumeric(w); })) {
                rangeMiddle = parseNumber(words[1]);
                out += lineEnd;
                continue;
            }
        }
        if (isEndLine(line)) {
            out += lineEnd;
            continue;
        }
        out += line;
    }
    return out;
}

std::string unframeThermoFile(std::string_view text, ReadOptions& options) {
    const std::string readable = readerText(text);
    text = readable;
    // A mechanism or thermo document holds ELEMENTS and SPECIES sections too: only its THERMO
    // section, up to its END line, is species text.
    std::size_t sectionStart = std::string_view::npos, sectionEnd = text.size();
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t next = std::min(text.find('\n', pos), text.size());
        const std::string_view line = text.substr(pos, next - pos);
        if (sectionStart == std::string_view::npos) {
            if (isThermoLine(line))
                sectionStart = pos;
        } else if (isEndLine(line)) {
            sectionEnd = next;
            break;
        }
        pos = next + 1;
    }
    if (sectionStart != std::string_view::npos)
        text = text.substr(sectionStart, sectionEnd - sectionStart);
    std::optional<double> middle;
    // The lines in front of the section stay as empty lines: line numbers count from the
    // start of the whole text.
    const auto linesBefore =
        sectionStart == std::string_view::npos
            ? 0
            : std::count(readable.data(), readable.data() + sectionStart, '\n');
    std::string body = std::string(static_cast<std::size_t>(linesBefore), '\n') +
                       stripThermoFileFrame(text, middle);
    if (!options.defaultTcom && middle)
        options.defaultTcom = middle;
    return body;
}

} // namespace kinetra::thermo
