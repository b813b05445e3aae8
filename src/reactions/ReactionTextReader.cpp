#include "reactions/ReactionTextReader.h"

#include "common/ExactNumber.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace kinetra::reactions {

namespace {

constexpr std::size_t kMaxNameLength = 16;
constexpr std::size_t kMaxTextLength = 255;
constexpr std::size_t kMaxReactants = 3, kMaxProducts = 6;

const char* const kIncomplete = "Arrhenius coefficients are incomplete. "
                                "Make sure that the number of the coefficients is 3.";
const char* const kNotNumbers = "Arrhenius coefficients, numbers are required.";
const char* const kNotRecognized = "The reaction type has not been recognized.";

enum class LineKind { Comment, Reaction, Low, Falloff, Dup, Rev, Unsupported, ThirdBodies };

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::size_t findNoCase(std::string_view text, std::string_view what) {
    return upperAscii(text).find(what);
}

// Keywords of other rate forms and options that the reaction table has no fields for. Read as
// a third-body list they would give a misleading reason, so the reaction is refused by name.
std::string unsupportedKeyword(std::string_view line) {
    static const std::array<std::string_view, 18> keywords{
        "PLOG", "CHEB", "FORD", "RORD", "TCHEB", "PCHEB", "LT",      "RLT",     "HIGH",
        "JAN",  "FIT1", "EXCI", "MOME", "XSMI",  "UNITS", "USRPROG", "COLLEFF", "TDEP"};
    const std::size_t end = line.find_first_of(" /");
    const std::string word = upperAscii(line.substr(0, end));
    for (std::string_view keyword : keywords)
        if (word == keyword)
            return word;
    return {};
}

LineKind kindOf(std::string_view line) {
    if (line.front() == '!')
        return LineKind::Comment;
    if (line.find('=') != std::string_view::npos)
        return LineKind::Reaction;
    if (startsWithNoCase(line, "LOW"))
        return LineKind::Low;
    if (startsWithNoCase(line, "TROE") || startsWithNoCase(line, "SRI"))
        return LineKind::Falloff;
    if (startsWithNoCase(line, "DUP"))
        return LineKind::Dup;
    if (startsWithNoCase(line, "REV"))
        return LineKind::Rev;
    if (!unsupportedKeyword(line).empty())
        return LineKind::Unsupported;
    return LineKind::ThirdBodies;
}

std::vector<std::string> tokens(std::string_view text) {
    std::vector<std::string> result;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ')
            ++i;
        if (i > start)
            result.emplace_back(text.substr(start, i - start));
    }
    return result;
}

// The text after the first two tokens: the activation energy is "all remaining text", so a
// fourth token makes it non-numeric and the line is refused instead of silently shortened.
std::string afterTwoTokens(std::string_view text) {
    std::size_t i = 0;
    for (int t = 0; t < 2; ++t) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        while (i < text.size() && text[i] != ' ')
            ++i;
    }
    return trimBlanks(text.substr(i));
}

void replaceAll(std::string& text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
}

std::string applyLetterCase(std::string_view text, ReadingOptions::LetterCase letterCase) {
    switch (letterCase) {
    case ReadingOptions::LetterCase::Upper:
        return upperAscii(text);
    case ReadingOptions::LetterCase::Lower:
        return lowerAscii(text);
    case ReadingOptions::LetterCase::No:
        break;
    }
    return std::string(text);
}

// Removes blank runs that follow a "+" or precede "+", "(" or ")", so that "H + O2 (+ M )"
// becomes "H+O2(+M)" and the equation ends at its first remaining blank.
std::string squeezeBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != ' ') {
            out += text[i++];
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && text[end] == ' ')
            ++end;
        const bool afterPlus = !out.empty() && out.back() == '+';
        const bool beforeMark =
            end < text.size() && (text[end] == '+' || text[end] == '(' || text[end] == ')');
        if (!afterPlus && !beforeMark)
            out.append(end - i, ' ');
        i = end;
    }
    return out;
}

// "(+M)" in any letter case becomes "+M$": the fall-off collider of a pressure-dependent
// reaction is told from the third body "M" by its "$".
std::string markFalloffCollider(const std::string& text) {
    const std::string upper = upperAscii(text);
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = upper.find("(+M)"); at != std::string::npos;
         at = upper.find("(+M)", from)) {
        out.append(text, from, at - from);
        out += "+M$";
        from = at + 4;
    }
    out.append(text, from, std::string::npos);
    return out;
}

// A parameter is stored as the text gives it. Only a unit conversion changes it, and then the
// product is rounded to the 15 digits a double holds, so that the noise of the multiplication
// does not show up as extra digits when the value is written again.
double converted(double value, double factor) {
    return factor == 1 ? value : roundToFifteenDigits(value * factor);
}

bool isCollider(const std::string& name) {
    return !name.empty() && name.back() == '$';
}
bool isThirdBodyM(const std::string& name) {
    return equalsIgnoreCase(name, "M");
}
bool isFalloffM(const std::string& name) {
    return equalsIgnoreCase(name, "M$");
}

std::string cutText(std::string text, std::size_t length) {
    kinetra::cutText(text, length);
    return text;
}

// The number in front of a name, when it has a decimal point ("0.15CO", ".5H"): lumped
// mechanisms write fractional products, which the species slots (one name per slot, a
// multiplicity by repetition) cannot hold.
std::string fractionalCoefficient(std::string_view name) {
    std::size_t end = 0;
    while (end < name.size() && (std::isdigit(static_cast<unsigned char>(name[end])) != 0))
        ++end;
    if (end >= name.size() || name[end] != '.')
        return {};
    ++end;
    while (end < name.size() && (std::isdigit(static_cast<unsigned char>(name[end])) != 0))
        ++end;
    return end > 1 && end < name.size() ? std::string(name.substr(0, end)) : std::string();
}

// A bare number is never a species: it is a stray coefficient, and stored as a name it would
// only send the user looking for a species that cannot exist.
std::optional<std::string> refusedName(const std::string& name) {
    if (isNumeric(name))
        return "The species name " + name + " is a number; the equation cannot be read.";
    const std::string coefficient = fractionalCoefficient(name);
    if (!coefficient.empty())
        return "The stoichiometric coefficient " + coefficient + " of " + name +
               " cannot be stored in the reaction table; the reaction has been omitted.";
    return std::nullopt;
}

struct Side {
    bool products = false;
    std::vector<std::string> names; // the slots in use, in slot order

    std::size_t limit() const { return products ? kMaxProducts : kMaxReactants; }
    std::string word() const { return products ? "product" : "reactant"; }
    std::string tooMany() const {
        return products ? "The number of products exceeds the maximum allowable value (6)."
                        : "The number of reactants exceeds the maximum allowable value (3).";
    }
};

std::optional<std::string> readSide(std::string_view text, Side& side, bool stoichiometric) {
    const std::string s = trimBlanks(text);
    if (s.empty())
        return side.products ? "Products in the reaction equation were not specified."
                             : "Reactants in the reaction equation were not specified.";
    if (s.front() == '+')
        return "The first symbol in the " + side.word() + " string cannot be '+'.";
    const auto opening = std::count(s.begin(), s.end(), '(');
    const auto closing = std::count(s.begin(), s.end(), ')');
    if (opening < closing)
        return "In the " + side.word() + " names, expected '('.";
    if (opening > closing)
        return "In the " + side.word() + " names, expected ')'.";

    // A "+" followed by another "+" belongs to an ion name: "H3O++OH" is H3O+ and OH.
    std::vector<std::size_t> separators;
    for (std::size_t k = s.size() - 1; k >= 1; --k)
        if (s[k - 1] == '+' && s[k] != '+')
            separators.push_back(k - 1);
    std::reverse(separators.begin(), separators.end());
    std::size_t start = 0;
    for (std::size_t at : separators) {
        side.names.push_back(s.substr(start, at - start));
        start = at + 1;
    }
    side.names.push_back(s.substr(start));
    if (side.names.size() > side.limit())
        return side.tooMany();
    for (const std::string& name : side.names)
        if (auto error = refusedName(name))
            return error;

    // A named collider "B(+AR)" arrives split as "B(" and "AR)".
    for (std::size_t i = 0; i + 1 < side.names.size(); ++i) {
        std::string& first = side.names[i];
        std::string& second = side.names[i + 1];
        if (first.back() == '(' && second.back() == ')') {
            first.pop_back();
            second.back() = '$';
        }
    }
    // "(+R2)" with nothing in front names a collider but no species: the side is empty.
    if (std::any_of(side.names.begin(), side.names.end(),
                    [](const std::string& name) { return name.empty(); }))
        return side.products ? "Products in the reaction equation were not specified."
                             : "Reactants in the reaction equation were not specified.";

    if (stoichiometric) {
        // One digit only, and each name written in the text is expanded once: the copies are
        // not read again. "1" stays part of the name (1-C4H8); "0" would drop the species, so
        // it stays part of the name as well and the check reports it.
        const std::size_t written = side.names.size();
        for (std::size_t i = 0; i < written; ++i) {
            const std::string name = side.names[i];
            if (name.size() < 2 || name[0] < '2' || name[0] > '9')
                continue;
            const std::size_t multiplicity = static_cast<std::size_t>(name[0] - '0');
            if (multiplicity + side.names.size() - 1 > side.limit())
                return side.tooMany();
            side.names[i] = name.substr(1);
            for (std::size_t c = 1; c < multiplicity; ++c)
                side.names.push_back(name.substr(1));
        }
    }
    return std::nullopt;
}

// Third bodies behind the species, colliders last; the stable order keeps the species as
// written.
void orderSlots(std::vector<std::string>& names) {
    std::stable_partition(names.begin(), names.end(),
                          [](const std::string& n) { return !isThirdBodyM(n) && !isCollider(n); });
    std::stable_partition(names.begin(), names.end(),
                          [](const std::string& n) { return !isCollider(n); });
}

double energyFactor(ReadingOptions::EUnits units, const UnitConstants& c) {
    using enum ReadingOptions::EUnits;
    const bool needsR = units == JPerMol || units == KJPerMol || units == Kelvin;
    if (needsR && !(c.rCal > 0))
        throw std::invalid_argument("The gas constant in cal/(mol K) is not set.");
    if ((units == JPerMol || units == KJPerMol) && !(c.rJoule > 0))
        throw std::invalid_argument("The gas constant in J/(mol K) is not set.");
    switch (units) {
    case CalPerMol:
        return 1;
    case KcalPerMol:
        return 1000;
    case JPerMol:
        return c.rCal / c.rJoule;
    case KJPerMol:
        return 1000 * c.rCal / c.rJoule;
    case Kelvin:
        return c.rCal;
    }
    return 1;
}

struct LineParts {
    std::string equation;     // blanks removed, "(+M)" marked
    std::string coefficients; // three numbers
    std::optional<std::string> refusal;
};

// The field's readers take the last three blank-separated numbers of a reaction line as A, n
// and E, and everything before them, with its blanks removed, as the equation. Signed
// coefficients ("+4.577E+19") and a blank inside the equation ("2 OH") then read as written.
LineParts splitReactionLine(std::string line) {
    replaceAll(line, '<', ' ');
    replaceAll(line, '>', ' ');
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) // only a block made by hand can lack it
        return {{}, {}, "Products in the reaction equation were not specified."};
    const std::vector<std::string> words = tokens(line);
    std::size_t numbers = 0;
    while (numbers < words.size() && isNumeric(words[words.size() - 1 - numbers]))
        ++numbers;
    if (numbers > 3) // a fourth number is a coefficient too many, never part of a name
        return {{}, {}, kNotNumbers};
    if (numbers == 3) {
        LineParts parts;
        const std::size_t first = words.size() - 3;
        for (std::size_t i = 0; i < first; ++i)
            parts.equation += words[i];
        parts.equation = markFalloffCollider(parts.equation);
        parts.coefficients = words[first] + " " + words[first + 1] + " " + words[first + 2];
        return parts;
    }
    // Fewer than three numbers at the end: the line is refused, and the blank rules of the
    // equation tell whether the coefficients are missing or are not numbers.
    line = trimBlanks(std::string_view(line).substr(0, equals)) + "=" +
           trimBlanks(std::string_view(line).substr(equals + 1));
    line = squeezeBlanks(markFalloffCollider(squeezeBlanks(line)));
    const std::size_t blank = line.find(' ');
    if (blank == std::string::npos)
        return {{}, {}, kIncomplete};
    LineParts parts;
    parts.coefficients = trimBlanks(std::string_view(line).substr(blank));
    if (tokens(parts.coefficients).size() < 3)
        return {{}, {}, kIncomplete};
    parts.equation = line.substr(0, blank);
    return parts;
}

struct Arrhenius {
    double a = 0, n = 0, e = 0;
};

struct ArrheniusMessages {
    const char* incomplete;
    const char* notNumbers;
};

// Three numbers, kept as written apart from the unit factors.
std::optional<std::string> readArrhenius(std::string_view text, double aFactor, double eFactor,
                                         const ArrheniusMessages& messages, Arrhenius& out) {
    const std::vector<std::string> words = tokens(text);
    if (words.size() < 3)
        return std::string(messages.incomplete);
    const std::optional<double> a = parseNumber(words[0]);
    const std::optional<double> n = parseNumber(words[1]);
    const std::optional<double> e = parseNumber(afterTwoTokens(text));
    if (!a || !n || !e)
        return std::string(messages.notNumbers);
    out.a = converted(*a, aFactor);
    out.n = *n;
    out.e = converted(*e, eFactor);
    return std::nullopt;
}

// The text behind a keyword with its slashes turned into blanks. Some mechanisms separate
// the numbers with commas ("TROE/ 0.902, 696., 358., 3856. /"); a comma is no part of a
// number, so it separates like a blank.
std::string keywordArguments(std::string_view line, std::size_t keywordEnd) {
    std::string rest(line.substr(std::min(keywordEnd, line.size())));
    replaceAll(rest, '/', ' ');
    replaceAll(rest, ',', ' ');
    return trimBlanks(rest);
}

BlockReading refused(std::string reason) {
    BlockReading reading;
    reading.reason = std::move(reason);
    return reading;
}

} // namespace

std::vector<std::string> splitReactionText(std::string_view text) {
    const std::string readable = readerText(text);
    text = readable;
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string line(text.substr(start, end - start));
        replaceAll(line, '\r', ' ');
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

GatheredText gatherReactionBlocks(const std::vector<std::string>& lines) {
    GatheredText gathered;
    std::vector<ReactionLine> kept;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string text = trimBlanks(i == 0 ? withoutByteOrderMark(lines[i]) : lines[i]);
        if (text.empty() || startsWithNoCase(text, "!END") || startsWithNoCase(text, "END"))
            continue;
        if (kept.empty() && text.front() == '!')
            continue;
        kept.push_back({std::move(text), static_cast<int>(i + 1)});
    }
    if (kept.empty() || kept.front().text.find('=') == std::string::npos) {
        gathered.noReactionData = true;
        return gathered;
    }
    for (ReactionLine& line : kept) {
        replaceAll(line.text, '\t', ' ');
        line.text = trimBlanks(line.text);
        // A trailing comment of an auxiliary line goes; that of a reaction line is its
        // reference and is taken later.
        const std::size_t bang = line.text.find('!');
        if (bang != std::string::npos && bang > 0 && line.text.find('=') > bang)
            line.text = trimBlanks(std::string_view(line.text).substr(0, bang));
        const bool reaction = kindOf(line.text) == LineKind::Reaction;
        if (gathered.blocks.empty() && !reaction) {
            // "LOW/1 2 3/ ! k=A*T^n" has its "=" only in the comment.
            gathered.noReactionData = true;
            return gathered;
        }
        if (reaction)
            gathered.blocks.emplace_back();
        gathered.blocks.back().lines.push_back(std::move(line));
    }
    gathered.lineCount = kept.size();
    return gathered;
}

std::string blockListingText(const ReactionBlock& block) {
    // Text that is no mechanism at all (a binary file, say) is shown escaped and cut, never
    // echoed byte for byte: lines to a readable length, blocks to a readable number of lines.
    constexpr std::size_t kShownLine = 400, kShownLines = 40;
    std::string text;
    for (std::size_t i = 0; i < block.lines.size(); ++i) {
        if (i == kShownLines) {
            text += "... " + std::to_string(block.lines.size() - i) + " more lines\r\n";
            break;
        }
        std::string line = readableExcerpt(block.lines[i].text, kShownLine);
        if (i == 0)
            for (std::size_t at = line.find("    "); at != std::string::npos;
                 at = line.find("    "))
                line.replace(at, 4, "  ");
        text += line + "\r\n";
    }
    return text;
}

BlockReading readReactionBlock(const ReactionBlock& block, const ReadingOptions& options,
                               const UnitConstants& constants) {
    // Keywords that may appear once per reaction, and those the table cannot hold.
    int lowLines = 0, falloffLines = 0, revLines = 0, dupLines = 0;
    std::string unsupported;
    for (std::size_t i = 1; i < block.lines.size(); ++i) {
        switch (kindOf(block.lines[i].text)) {
        case LineKind::Low:
            ++lowLines;
            break;
        case LineKind::Falloff:
            ++falloffLines;
            break;
        case LineKind::Rev:
            ++revLines;
            break;
        case LineKind::Dup:
            ++dupLines;
            break;
        case LineKind::Unsupported:
            if (unsupported.empty())
                unsupported = unsupportedKeyword(block.lines[i].text);
            break;
        default:
            break;
        }
    }
    if (lowLines > 1)
        return refused("Duplicate specification of the keyword LOW in current reaction.");
    if (falloffLines > 1)
        return refused("Duplicate specification of the keywords TROE or SRI in current reaction.");
    if (revLines > 1)
        return refused("Duplicate specification of the keyword REV in current reaction.");
    if (dupLines > 1)
        return refused(
            "Duplicate specification of the keyword DUPLICATE (or DUP) in current reaction.");
    if (lowLines > 0 && revLines > 0)
        return refused(
            "The keywords LOW and REV cannot be simultaneously specified in the same reaction.");
    if (!unsupported.empty())
        return refused("The keyword " + unsupported +
                       " cannot be stored in the reaction table; the reaction has been omitted.");

    // The reaction line: reference, arrow, equation and coefficients.
    ReactionRecord record;
    std::string line = block.lines[0].text;
    const std::size_t bang = line.find('!');
    if (bang != std::string::npos && bang > 0) {
        record.reference =
            cutText(trimBlanks(std::string_view(line).substr(bang + 1)), kMaxTextLength);
        line.resize(bang);
    }
    const bool oneWay = line.find("=>") != std::string::npos && line.find('<') == std::string::npos;
    const LineParts parts = splitReactionLine(std::move(line));
    if (parts.refusal)
        return refused(*parts.refusal);
    const std::string& coefficients = parts.coefficients;
    const std::string equation = applyLetterCase(parts.equation, options.letterCase);

    const std::size_t sideBreak = equation.find('=');
    Side reactants, products;
    products.products = true;
    const std::string_view eq(equation);
    if (auto error = readSide(eq.substr(0, sideBreak), reactants, options.stoichiometric))
        return refused(*error);
    const std::string_view productText =
        sideBreak == std::string::npos ? std::string_view() : eq.substr(sideBreak + 1);
    if (auto error = readSide(productText, products, options.stoichiometric))
        return refused(*error);

    // Whatever letter case was asked for, the collision partners keep the one form the check
    // and the writer know.
    for (Side* side : {&reactants, &products})
        for (std::string& name : side->names) {
            if (isThirdBodyM(name))
                name = "M";
            else if (isFalloffM(name))
                name = "M$";
        }

    const auto countColliders = [](const Side& side) {
        return std::count_if(side.names.begin(), side.names.end(), isCollider);
    };
    const auto reactantColliders = countColliders(reactants);
    if (reactantColliders != countColliders(products) || reactantColliders >= 2)
        return refused(kNotRecognized);
    const auto has = [&](bool (*test)(const std::string&)) {
        return std::any_of(reactants.names.begin(), reactants.names.end(), test) ||
               std::any_of(products.names.begin(), products.names.end(), test);
    };
    const bool thirdBody = has(isThirdBodyM);
    const bool falloffM = has(isFalloffM);
    if (thirdBody && falloffM)
        return refused(std::string(kNotRecognized) + " Check 'M' and '(+M)' symbols.");
    orderSlots(reactants.names);
    orderSlots(products.names);
    const bool pressureDependent = reactantColliders > 0;
    if (pressureDependent && lowLines == 0)
        return refused("The pressure dependent reaction must contain a line with the LOW keyword.");

    for (std::size_t i = 0; i < reactants.names.size(); ++i)
        record.species[i] = cutText(reactants.names[i], kMaxNameLength);
    for (std::size_t i = 0; i < products.names.size(); ++i)
        record.species[rx::kReactantSlots + i] = cutText(products.names[i], kMaxNameLength);

    // Per-molecule rate coefficients of an expression of order k+1 carry N_A^k.
    const bool molecules = options.aUnits == ReadingOptions::AUnits::CmSec;
    if (molecules && !(constants.avogadro > 0))
        throw std::invalid_argument("The Avogadro constant is not set.");
    const auto avogadroPower = [&](int k) {
        return molecules ? std::pow(constants.avogadro, k) : 1.0;
    };
    const int order = static_cast<int>(reactants.names.size()) - 1 - (pressureDependent ? 1 : 0);
    const double eFactor = energyFactor(options.eUnits, constants);

    Arrhenius main;
    if (auto error = readArrhenius(coefficients, avogadroPower(order), eFactor,
                                   {kIncomplete, kNotNumbers}, main))
        return refused(*error);
    record.a = main.a;
    record.n = main.n;
    record.e = main.e;

    // The auxiliary lines in their order.
    bool lowRead = false, revRead = false;
    std::string falloffType;
    std::size_t thirdBodyTokens = 0;
    std::string comment;
    for (std::size_t i = 1; i < block.lines.size(); ++i) {
        const std::string& text = block.lines[i].text;
        switch (kindOf(text)) {
        case LineKind::Comment:
            comment += " " + trimBlanks(std::string_view(text).substr(1));
            break;
        case LineKind::Dup:
            comment = "Duplicate " + comment;
            break;
        case LineKind::Rev: {
            if (oneWay)
                return refused("The reaction is written one-way ('=>') but has a REV line with "
                               "reverse parameters; write '<=>' or remove the REV line.");
            revRead = true;
            Arrhenius reverse;
            const std::string arguments = keywordArguments(text, 3);
            if (!arguments.empty()) {
                const int productOrder = static_cast<int>(products.names.size()) - 1;
                if (auto error = readArrhenius(
                        arguments, avogadroPower(productOrder), eFactor,
                        {"The Arrhenius coefficients for the reverse reaction are incomplete. "
                         "Make sure that the number of the coefficients is 3.",
                         "Arrhenius coefficients for the reverse reaction, numbers are required."},
                        reverse))
                    return refused(*error);
            }
            record.al = reverse.a;
            record.nl = reverse.n;
            record.el = reverse.e;
            break;
        }
        case LineKind::Low: {
            if (!pressureDependent)
                return refused("Reaction of this type must not contain line with the LOW keyword.");
            lowRead = true;
            Arrhenius low;
            if (auto error = readArrhenius(
                    keywordArguments(text, 3), avogadroPower(order + 1), eFactor,
                    {"Arrhenius coefficients for the LOW pressure limit are incomplete. "
                     "Make sure that the number of the coefficients is 3.",
                     "Arrhenius coefficients for low pressure limit, numbers are required."},
                    low))
                return refused(*error);
            record.al = low.a;
            record.nl = low.n;
            record.el = low.e;
            break;
        }
        case LineKind::Falloff: {
            if (!pressureDependent)
                return refused(
                    "The reaction of this type must not contain TROE or SRI parameters.");
            std::size_t keywordEnd = 0;
            if (const std::size_t at = findNoCase(text, "TROE"); at != std::string::npos) {
                falloffType = " Troe";
                keywordEnd = at + 4;
            } else {
                falloffType = " SRI";
                keywordEnd = findNoCase(text, "SRI") + 3;
            }
            // 'b' and 'c' stay empty until given, so that the check can tell a missing
            // temperature from a zero one (a zero T*** or T* is the limit of a vanishing term).
            record.falloff = {0.0, std::nullopt, std::nullopt, std::nullopt, std::nullopt};
            const std::vector<std::string> words = tokens(keywordArguments(text, keywordEnd));
            for (std::size_t w = 0; w < words.size() && w < record.falloff.size(); ++w) {
                const std::optional<double> value = parseNumber(words[w]);
                if (!value)
                    return refused("TROE or SRI coefficients, numbers are required.");
                record.falloff[w] = *value;
            }
            break;
        }
        case LineKind::ThirdBodies: {
            if (!thirdBody && !falloffM)
                return refused("Reaction type has not been recognized. "
                               "The line without keywords is interpreted as a list of third "
                               "bodies. ");
            std::string list = text;
            replaceAll(list, '/', ' ');
            const std::vector<std::string> words =
                tokens(applyLetterCase(trimBlanks(list), options.letterCase));
            if (thirdBodyTokens + words.size() > 2 * rx::kThirdBodyCount)
                return refused(
                    "In the reaction with M or (+M), there are more then 10 third bodies.");
            for (const std::string& word : words) {
                const std::size_t slot = thirdBodyTokens / 2;
                if (thirdBodyTokens % 2 == 0) {
                    record.thirdBodies[slot] = word;
                } else {
                    const std::optional<double> value = parseNumber(word);
                    if (!value)
                        return refused("Third-body efficiencies, numbers are required.");
                    record.efficiencies[slot] = value;
                }
                ++thirdBodyTokens;
            }
            break;
        }
        case LineKind::Reaction:
        case LineKind::Unsupported:
            break;
        }
    }

    // The type is put together at the end so that the order of LOW and TROE lines is free.
    std::string type = revRead ? "Rev" : lowRead ? "Low" : "";
    type += falloffType;
    record.type = (oneWay ? "Irrev " : "") + type;
    record.comment = cutText(comment, kMaxTextLength);
    record.upaste = 1;

    BlockReading reading;
    reading.accepted = true;
    reading.record = std::move(record);
    return reading;
}

} // namespace kinetra::reactions
