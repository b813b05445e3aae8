#include "reactions/MechanismFile.h"

#include "common/FileAttributes.h"
#include "common/TextFile.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "reactions/ReactionCheck.h"
#include "reactions/ReactionDatabase.h"
#include "reactions/ReactionViews.h"
#include "thermo/NasaTextReader.h"
#include "thermo/ThermoFileImport.h"
#include "thermo/ThermoPaste.h"

#include <algorithm>
#include <array>
#include <set>

namespace kinetra::reactions {

namespace fs = std::filesystem;

namespace {

// Unused: a section of the field's files that holds nothing this program keeps (TRANSPORT);
// its lines are skipped up to its END or the next section.
enum class Section { None, Elements, Species, Thermo, Reactions, Unused };

std::vector<std::string> wordsOf(std::string_view line) {
    line = line.substr(0, std::min(line.find('!'), line.size()));
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t\r", pos);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(line.find_first_of(" \t\r", start), line.size());
        words.emplace_back(line.substr(start, end - start));
        pos = end;
    }
    return words;
}

// A keyword may be shortened to any length down to its first four letters ("REAC",
// "REACTION", "THERM"), as published files do.
Section keywordSection(const std::string& word) {
    static const std::array<std::pair<std::string_view, Section>, 5> kKeywords{
        {{"ELEMENTS", Section::Elements},
         {"SPECIES", Section::Species},
         {"THERMO", Section::Thermo},
         {"REACTIONS", Section::Reactions},
         {"TRANSPORT", Section::Unused}}};
    const std::string key = upperAscii(word);
    for (const auto& [keyword, section] : kKeywords)
        if (key.size() >= 4 && keyword.starts_with(key))
            return section;
    return Section::None;
}

// The section a line opens, if any. A reaction line always has "=", so a species named like a
// keyword ("ELEM + H = ...") starts no section.
Section lineKeyword(std::string_view line, const std::vector<std::string>& words) {
    line = line.substr(0, std::min(line.find('!'), line.size()));
    if (words.empty() || line.find('=') != std::string_view::npos)
        return Section::None;
    return keywordSection(words.front());
}

bool isEnd(const std::string& word) {
    return equalsIgnoreCase(word, "END");
}

// Visits the lines of the text with their 1-based numbers, line ends removed.
template <typename Visit> void forEachLine(std::string_view text, Visit visit) {
    const std::string readable = readerText(text);
    text = readable;
    int number = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        visit(line, ++number);
        pos = end + 1;
    }
}

// The words of an element line and the atomic weight written behind a symbol ("D/2.014/",
// "CI /13.003/", "H / 1.00794 /"): an isotope is defined by the weight its file gives.
struct ElementWords {
    std::vector<std::string> words;
    std::vector<std::optional<double>> weights; // parallel to words
};

ElementWords elementWords(std::string_view line) {
    line = line.substr(0, std::min(line.find('!'), line.size()));
    ElementWords out;
    std::size_t pos = 0;
    const auto skipBlanks = [&] {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t' || line[pos] == '\r'))
            ++pos;
    };
    while (true) {
        skipBlanks();
        if (pos >= line.size())
            break;
        if (line[pos] == '/') { // a weight behind the last symbol
            const std::size_t close = line.find('/', pos + 1);
            const std::string_view inside = line.substr(
                pos + 1, (close == std::string_view::npos ? line.size() : close) - pos - 1);
            if (!out.weights.empty())
                out.weights.back() = parseNumber(inside);
            pos = close == std::string_view::npos ? line.size() : close + 1;
            continue;
        }
        const std::size_t end = std::min(line.find_first_of(" \t\r/", pos), line.size());
        out.words.emplace_back(line.substr(pos, end - pos));
        out.weights.emplace_back();
        pos = end;
    }
    return out;
}

class Splitter {
public:
    explicit Splitter(MechanismSections& out) : out_(out) {}

    void line(std::string_view line, int number) {
        std::vector<std::string> words = wordsOf(line);
        // Species names may hold "=" ("eq=uals"), so only reaction lines are told apart by it.
        const Section next = current_ == Section::Reactions ? lineKeyword(line, words)
                             : words.empty()                ? Section::None
                                                            : keywordSection(words.front());
        weights_.clear();
        if (current_ == Section::Elements || next == Section::Elements) {
            ElementWords elements = elementWords(line);
            words = std::move(elements.words);
            weights_ = std::move(elements.weights);
        }
        if (next != Section::None) {
            open(next, words, number);
            return;
        }
        if (!words.empty()) {
            if (isEnd(words.front()) && current_ != Section::None) {
                close();
                return;
            }
        }
        switch (current_) {
        case Section::Elements:
        case Section::Species:
            names(words, 0);
            break;
        case Section::Thermo:
            out_.thermoText.append(line).append("\n");
            break;
        case Section::Reactions:
            out_.reactionLines.emplace_back(line);
            out_.reactionLineNumbers.push_back(number);
            break;
        case Section::Unused:
        case Section::None:
            break; // headers and comments between the sections
        }
    }

    void close() {
        if (current_ == Section::Thermo)
            out_.thermoText += "END\n";
        current_ = Section::None;
    }

private:
    void open(Section next, const std::vector<std::string>& words, int number) {
        close();
        current_ = next;
        switch (next) {
        case Section::Elements:
            out_.hasElements = true;
            names(words, 1);
            break;
        case Section::Species:
            out_.hasSpecies = true;
            names(words, 1);
            break;
        case Section::Unused:
            out_.skippedSections.push_back(upperAscii(words.front()));
            break;
        case Section::Thermo:
            out_.hasThermo = true;
            out_.thermoFirstLine = number;
            // The species reader knows the frame only in its plain form.
            out_.thermoText +=
                words.size() > 1 && equalsIgnoreCase(words[1], "ALL") ? "THERMO ALL\n" : "THERMO\n";
            break;
        case Section::Reactions:
            out_.hasReactions = true;
            for (std::size_t i = 1; i < words.size(); ++i) {
                if (isEnd(words[i])) {
                    close();
                    break;
                }
                out_.unitWords.push_back(words[i]);
            }
            break;
        case Section::None:
            break;
        }
    }

    // Element symbols or species names, up to an END word.
    void names(const std::vector<std::string>& words, std::size_t first) {
        for (std::size_t i = first; i < words.size(); ++i) {
            if (isEnd(words[i])) {
                close();
                return;
            }
            if (current_ == Section::Species) {
                out_.species.push_back(words[i]);
                continue;
            }
            out_.elements.push_back(words[i]);
            out_.elementWeights.push_back(i < weights_.size() ? weights_[i] : std::nullopt);
        }
    }

    MechanismSections& out_;
    Section current_ = Section::None;
    std::vector<std::optional<double>> weights_; // of the element words of the current line
};

struct SpeciesOutcome {
    thermo::PasteResult paste;
    int kept = 0, skipped = 0;
    std::vector<thermo::RepeatedRecord> repeats;
};

// The thermo text with the repeats of a name, the species the database already holds and those
// the mechanism does not declare left out; then the paste flow on what remains. lineOffset
// turns line numbers of the thermo text into line numbers of its file.
SpeciesOutcome importSpecies(thermo::ThermoDatabase& thermo, const std::string& thermoText,
                             const MechanismSections& sections, int lineOffset,
                             const fs::path& errorFile, Ui& ui) {
    SpeciesOutcome outcome;
    thermo::ReadOptions options;
    const std::string body = thermo::unframeThermoFile(thermoText, options);
    const thermo::CollectedText collected = thermo::collectSpeciesBlocks(body);
    store::Connection db = thermo.connection();
    // The names already stored are read under the write lock: a second import running at the
    // same time waits rather than adding the same species again.
    store::Transaction transaction(db);

    std::string text = body;
    // Text the reader refuses as a whole goes to the paste unfiltered, so that the user gets
    // its message rather than a silently shortened text.
    if (!collected.emptyText && !collected.notMultipleOfFour) {
        std::set<std::string> known;
        for (const store::Row& row : db.query("SELECT Species FROM [Trm];").rows)
            known.insert(store::toText(row[0]));
        const std::set<std::string> declared(sections.species.begin(), sections.species.end());
        thermo::NameSelection selection =
            thermo::firstRecordOfEachName(collected, options, lineOffset);
        outcome.skipped = static_cast<int>(selection.repeats.size());
        outcome.repeats = std::move(selection.repeats);
        text.clear();
        for (std::size_t i : selection.first) {
            const thermo::SpeciesBlock& block = collected.blocks[i];
            const std::string name = thermo::speciesNameOf(block, options);
            if (sections.hasSpecies && !declared.contains(name)) {
                ++outcome.skipped;
                continue;
            }
            if (known.contains(name)) {
                ++outcome.kept;
                continue;
            }
            text += thermo::speciesBlockText(block);
        }
        if (text.empty())
            return outcome;
    }
    thermo::PasteRequest request;
    request.text = std::move(text);
    request.afterNum = db.recordCount("Trm");
    request.options = options;
    request.errorFile = errorFile;
    outcome.paste = thermo::pasteSpeciesText(db, thermo.elements(), request, ui);
    transaction.commit();
    return outcome;
}

} // namespace

bool isMechanismFile(std::string_view text) {
    bool found = false;
    forEachLine(text, [&](std::string_view line, int) {
        if (!found && lineKeyword(line, wordsOf(line)) != Section::None)
            found = true;
    });
    return found;
}

MechanismSections splitMechanismFile(std::string_view text) {
    MechanismSections sections;
    Splitter splitter(sections);
    forEachLine(text, [&](std::string_view line, int number) { splitter.line(line, number); });
    splitter.close();
    return sections;
}

namespace {

std::string cannotConvert(const std::string& word) {
    return "The REACTIONS line names the unit " + word +
           ", which the reaction reader cannot convert; the import has been stopped.";
}

// The unit words as the field's readers know them: by their first four letters, in any letter
// case ("KELVIN", "cal/mol" and "kjoule/mol" are read like KELVINS, CAL/MOLE and KJOULES/MOLE).
struct UnitWord {
    std::string_view head;
    bool energy;
    int unit; // ReadingOptions::AUnits or ::EUnits; -1: a unit the reader cannot convert
};
constexpr std::array<UnitWord, 8> kUnitWords{{
    {"MOLE", false, static_cast<int>(ReadingOptions::AUnits::MolCmSec)},
    {"MOLEC", false, static_cast<int>(ReadingOptions::AUnits::CmSec)},
    {"CAL/", true, static_cast<int>(ReadingOptions::EUnits::CalPerMol)},
    {"KCAL", true, static_cast<int>(ReadingOptions::EUnits::KcalPerMol)},
    {"JOUL", true, static_cast<int>(ReadingOptions::EUnits::JPerMol)},
    {"KJOU", true, static_cast<int>(ReadingOptions::EUnits::KJPerMol)},
    {"KELV", true, static_cast<int>(ReadingOptions::EUnits::Kelvin)},
    {"EVOL", true, -1},
}};

// The longest head the word starts with: "MOLECULES" is MOLEC, not MOLE.
const UnitWord* unitWordOf(const std::string& key) {
    const UnitWord* found = nullptr;
    for (const UnitWord& unit : kUnitWords)
        if (key.starts_with(unit.head) && (!found || unit.head.size() > found->head.size()))
            found = &unit;
    return found;
}

// A word that is no unit but could be a misspelt one: it holds a "/" or starts like a unit
// word. Guessing its meaning would change every rate of the file, so it stops the import.
bool looksLikeUnit(const std::string& key) {
    if (key.find('/') != std::string::npos)
        return true;
    for (const UnitWord& unit : kUnitWords)
        if (key.size() >= 3 && unit.head.substr(0, 3) == std::string_view(key).substr(0, 3))
            return true;
    return false;
}

} // namespace

UnitReading readUnitWords(const std::vector<std::string>& words) {
    UnitReading reading;
    std::string energyWord, quantityWord;
    for (const std::string& word : words) {
        const std::string key = upperAscii(word);
        if (key == "MWON" || key == "MWOFF")
            continue; // molecular-weight options that change no rate parameter
        const UnitWord* unit = unitWordOf(key);
        if (!unit) {
            if (looksLikeUnit(key)) {
                reading.refusal = cannotConvert(word);
                return reading;
            }
            reading.ignoredWords.push_back(word);
            continue;
        }
        if (unit->unit < 0) {
            reading.refusal = cannotConvert(word);
            return reading;
        }
        std::string& earlier = unit->energy ? energyWord : quantityWord;
        if (!earlier.empty()) {
            reading.refusal = "The REACTIONS line names two " +
                              std::string(unit->energy ? "energy" : "quantity") + " units, " +
                              earlier + " and " + word + "; the import has been stopped.";
            return reading;
        }
        earlier = word;
        if (unit->energy)
            reading.eUnits = static_cast<ReadingOptions::EUnits>(unit->unit);
        else
            reading.aUnits = static_cast<ReadingOptions::AUnits>(unit->unit);
    }
    return reading;
}

std::string ignoredWordsNote(const UnitReading& units) {
    if (units.ignoredWords.empty())
        return {};
    std::string list;
    for (const std::string& word : units.ignoredWords)
        list += (list.empty() ? "" : ", ") + word;
    return "The REACTIONS line holds words that are neither units nor keywords of the reader (" +
           list + "); they have been ignored.";
}

namespace {

// What the import read differently from the text but did not refuse: words of the REACTIONS
// line it ignored, sections it skipped, repeated thermo records it left out. Shown once, and
// added to this run's error listing with the repeats' line numbers.
void reportNotes(const MechanismSections& sections, const UnitReading& units,
                 const std::vector<thermo::RepeatedRecord>& repeats,
                 const MechanismImportRequest& request, Ui& ui, MechanismImportResult& result) {
    std::vector<std::string>& notes = result.notes;
    if (const std::string words = ignoredWordsNote(units); !words.empty())
        notes.push_back(words);
    for (const std::string& section : sections.skippedSections)
        notes.push_back("The " + section +
                        " section holds nothing this program uses; it has been skipped.");
    if (!repeats.empty())
        notes.push_back(std::to_string(repeats.size()) +
                        " thermo records repeat a name given before; the first record of each "
                        "name has been read.");
    if (notes.empty())
        return;
    std::string text;
    for (const std::string& note : notes)
        text += note + "\r\n";
    ui.dialogs.message(text, "KINETRA", Icon::Information);
    if (request.errorFile.empty())
        return;
    thermo::addToErrorListing(request.errorFile, text + "\r\n" + thermo::repeatsListing(repeats),
                              result.errorFileWritten, ui.clock.now());
    result.errorFileWritten = true;
}

} // namespace

MechanismImportResult importMechanism(thermo::ThermoDatabase& thermo,
                                      const MechanismImportRequest& request, RefusalMemory& memory,
                                      Ui& ui) {
    MechanismImportResult result;
    const MechanismSections sections = splitMechanismFile(request.text);
    const UnitReading units = readUnitWords(sections.unitWords);
    result.refusal = units.refusal;
    // Both databases are looked at before anything goes in, so that a refusal changes neither.
    const bool exists = fs::exists(request.reactionDatabase);
    if (result.refusal.empty() && exists)
        result.refusal = openRefusal(request.reactionDatabase).value_or("");
    if (!result.refusal.empty()) {
        ui.dialogs.message(result.refusal, "KINETRA", Icon::Exclamation);
        return result;
    }
    if (exists) {
        store::Connection db = store::Connection::open(request.reactionDatabase);
        requireReactionTable(db, request.reactionDatabase.string());
    }

    // Both flows write ErrorMsg.txt; the species listing is kept for the combined file.
    std::string speciesListing;
    const std::string thermoText = request.thermoText.value_or(sections.thermoText);
    std::vector<thermo::RepeatedRecord> repeats;
    if (request.thermoText || sections.hasThermo) {
        const int lineOffset = request.thermoText ? 0 : sections.thermoFirstLine - 1;
        SpeciesOutcome species =
            importSpecies(thermo, thermoText, sections, lineOffset, request.errorFile, ui);
        repeats = std::move(species.repeats);
        result.speciesAdded = species.paste.inserted;
        result.speciesKept = species.kept;
        result.speciesSkipped = species.skipped;
        result.speciesRefused = species.paste.rejected + species.paste.unknownElements;
        result.thermoRefusedWhole = species.paste.refusedWhole;
        if (species.paste.errorFileWritten) {
            result.errorFileWritten = true;
            speciesListing = readTextFile(request.errorFile).value_or("");
        }
    }
    // A REACTIONS section of comments only is no text for the reader's "no data" message.
    const bool anyReaction =
        std::any_of(sections.reactionLines.begin(), sections.reactionLines.end(),
                    [](const std::string& line) { return !wordsOf(line).empty(); });
    if (!anyReaction) {
        reportNotes(sections, units, repeats, request, ui, result);
        return result;
    }

    if (!exists) // another import creating it at the same moment keeps its file
        copyFileIfAbsent(request.reactionTemplate, request.reactionDatabase);
    store::Connection thermoDb = thermo.connection();
    const ThermoSpeciesList species = ThermoSpeciesList::load(thermoDb);
    store::Connection db = store::Connection::open(request.reactionDatabase);
    // From the last Num to the insertion under one write lock, so that two imports never
    // number their reactions from the same last row.
    store::Transaction transaction(db);
    // Reactions already stored may name the species just added.
    checkAllReactions(db, species);

    ReadRequest read;
    read.lines = sections.reactionLines;
    read.sourceLines = sections.reactionLineNumbers;
    read.options.aUnits = units.aUnits;
    read.options.eUnits = units.eUnits;
    read.options.stoichiometric = request.stoichiometric;
    read.constants = request.constants;
    read.insertAfterNum = lastReactionNum(db);
    read.errorFile = request.errorFile;
    read.quiet = true;
    const ReadResult reading = readReactionText(db, species, read, memory, ui);
    transaction.commit();
    result.reactionsStored = reading.inserted;
    result.reactionsInvalid = reading.invalid;
    result.reactionsValid = reading.inserted - reading.invalid;
    result.reactionsRefused = reading.refused;
    if (reading.errorFileWritten) {
        result.errorFileWritten = true;
        if (!speciesListing.empty())
            writeTextFile(request.errorFile,
                          speciesListing + "\r\n" + readTextFile(request.errorFile).value_or(""));
    }
    reportNotes(sections, units, repeats, request, ui, result);
    return result;
}

} // namespace kinetra::reactions
