#include "reactions/MechanismFile.h"

#include "common/FileAttributes.h"
#include "common/TextFile.h"
#include "common/TextUtil.h"
#include "reactions/ReactionCheck.h"
#include "reactions/ReactionDatabase.h"
#include "thermo/NasaTextReader.h"
#include "thermo/ThermoPaste.h"

#include <algorithm>
#include <array>
#include <set>

namespace kinetra::reactions {

namespace fs = std::filesystem;

namespace {

enum class Section { None, Elements, Species, Thermo, Reactions };

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
    static const std::array<std::pair<std::string_view, Section>, 4> kKeywords{
        {{"ELEMENTS", Section::Elements},
         {"SPECIES", Section::Species},
         {"THERMO", Section::Thermo},
         {"REACTIONS", Section::Reactions}}};
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

// An element line without its comment and the "/weight/" after a symbol ("D/2.014/",
// "H / 1.00794 /"): the element slots of the thermo database hold the weights already.
std::string withoutWeights(std::string_view line) {
    line = line.substr(0, std::min(line.find('!'), line.size()));
    std::string kept;
    bool inside = false;
    for (const char c : line) {
        if (c == '/')
            inside = !inside;
        kept += inside || c == '/' ? ' ' : c;
    }
    return kept;
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
        if (current_ == Section::Elements || next == Section::Elements)
            words = wordsOf(withoutWeights(line));
        if (next != Section::None) {
            open(next, words);
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
    void open(Section next, const std::vector<std::string>& words) {
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
        case Section::Thermo:
            out_.hasThermo = true;
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
        }
    }

    MechanismSections& out_;
    Section current_ = Section::None;
};

// The first word of line 1 of a species block: its name under the reader's default rule.
std::string blockName(const thermo::SpeciesBlock& block) {
    const std::string& text = block.lines[0].text;
    const std::string name = trimBlanks(text.substr(0, std::min<std::size_t>(16, text.size())));
    return name.substr(0, std::min(name.find(' '), name.size()));
}

struct SpeciesOutcome {
    thermo::PasteResult paste;
    int kept = 0, skipped = 0;
};

// The thermo text with the species the database or the file already gave, and those the
// mechanism does not declare, left out; then the paste flow on what remains.
SpeciesOutcome importSpecies(thermo::ThermoDatabase& thermo, const std::string& thermoText,
                             const MechanismSections& sections, const fs::path& errorFile, Ui& ui) {
    SpeciesOutcome outcome;
    thermo::ReadOptions options;
    const std::string body = thermo::unframeThermoFile(thermoText, options);
    const thermo::CollectedText collected = thermo::collectSpeciesBlocks(body);
    store::Connection db = thermo.open();
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
        std::set<std::string> taken;
        text.clear();
        for (const thermo::SpeciesBlock& block : collected.blocks) {
            const std::string name = blockName(block);
            if ((sections.hasSpecies && !declared.contains(name)) || taken.contains(name)) {
                ++outcome.skipped;
                continue;
            }
            taken.insert(name);
            if (known.contains(name)) {
                ++outcome.kept;
                continue;
            }
            for (const thermo::DataLine& line : block.lines)
                text += line.text + "\n";
            if (!block.trailingComment.empty())
                text += "! " + block.trailingComment + "\n";
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

std::int64_t lastNum(store::Connection& db) {
    const store::RowSet rows = db.query("SELECT MAX(Num) FROM [Reactions];");
    return rows.rows.empty() ? 0 : store::toInteger(rows.rows[0][0]).value_or(0);
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

UnitReading readUnitWords(const std::vector<std::string>& words) {
    using A = ReadingOptions::AUnits;
    using E = ReadingOptions::EUnits;
    UnitReading reading;
    for (const std::string& word : words) {
        const std::string key = upperAscii(word);
        if (key == "MOLES")
            reading.aUnits = A::MolCmSec;
        else if (key == "MOLECULES")
            reading.aUnits = A::CmSec;
        else if (key == "CAL/MOLE")
            reading.eUnits = E::CalPerMol;
        else if (key == "KCAL/MOLE")
            reading.eUnits = E::KcalPerMol;
        else if (key == "JOULES/MOLE")
            reading.eUnits = E::JPerMol;
        else if (key == "KJOULES/MOLE")
            reading.eUnits = E::KJPerMol;
        else if (key == "KELVINS")
            reading.eUnits = E::Kelvin;
        else {
            reading.refusal = "The REACTIONS line names the unit " + word +
                              ", which the reaction reader cannot convert; the import has been "
                              "stopped.";
            return reading;
        }
    }
    return reading;
}

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
    if (request.thermoText || sections.hasThermo) {
        const SpeciesOutcome species =
            importSpecies(thermo, thermoText, sections, request.errorFile, ui);
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
    if (!anyReaction)
        return result;

    if (!exists) // another import creating it at the same moment keeps its file
        copyFileIfAbsent(request.reactionTemplate, request.reactionDatabase);
    store::Connection thermoDb = thermo.open();
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
    read.insertAfterNum = lastNum(db);
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
    return result;
}

} // namespace kinetra::reactions
