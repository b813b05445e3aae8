#include "thermo/ThermoPaste.h"

#include "common/NumberFormat.h"
#include "common/TextFile.h"
#include "common/TextUtil.h"
#include "thermo/SpeciesRow.h"
#include "thermo/SpeciesTable.h"

namespace kinetra::thermo {

namespace {

constexpr const char* kPasteTitle = "KINETRA Paste THERMO";
constexpr const char* kPasteTitleComma = "KINETRA, Paste THERMO";
constexpr std::size_t kProgressTextSize = 10000;

const char* const kNotFourLines =
    "There was an input error; the input has been terminated.\n"
    "The error can be due to a wrong format of the thermodynamic data. "
    "The data for each species should be written on 4 lines. "
    "Empty lines and lines with the exclamation mark at the first position are ignored.";

// A block as the refusal window and the listing show it. Text that is no thermo text at all
// (a binary file, say) is shown escaped and cut, never echoed byte for byte.
std::string blockText(const SpeciesBlock& block) {
    constexpr std::size_t kShownLine = 400;
    std::string text;
    for (const DataLine& line : block.lines)
        text += readableExcerpt(line.text, kShownLine) + "\r\n";
    return text;
}

// Five names to a line, each in 16 columns followed by two blanks.
std::string nameColumns(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0 && i % 5 == 0)
            text += "\r\n";
        text += formatText(names[i], "!@@@@@@@@@@@@@@@@") + "  ";
    }
    return text;
}

struct Reading {
    std::vector<SpeciesRecord> accepted;
    std::vector<std::string> unknownNames;
    bool unknownOnlyByLetterCase = true; // every unknown symbol is a table's symbol in upper case
    std::string listing;
    int rejected = 0;
    bool cancelled = false;
};

Reading readBlocks(const CollectedText& collected, const ElementTable& elements,
                   const ReadOptions& options, std::size_t textSize, Ui& ui) {
    Reading reading;
    const bool showProgress = textSize > kProgressTextSize;
    const std::string progressText = "Pasting thermodynamic data (" +
                                     formatNumber(static_cast<double>(textSize) / 1000, "0.##") +
                                     "KB)";
    bool askAboutRefusals = true;
    const std::size_t count = collected.blocks.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (showProgress && (i % 64 == 0)) {
            ui.progress.show(progressText, static_cast<int>(100 * i / count));
            if (ui.progress.cancelRequested()) {
                reading.cancelled = true;
                break;
            }
        }
        const SpeciesBlock& block = collected.blocks[i];
        BlockResult result = readSpeciesBlock(block, elements, options);
        if (result.outcome == BlockOutcome::Accepted) {
            reading.accepted.push_back(std::move(result.record));
            continue;
        }
        if (result.outcome == BlockOutcome::UnknownElements) {
            reading.unknownNames.push_back(result.name);
            for (const std::string& symbol : result.unknownSymbols)
                if (!elements.slotOf(upperAscii(symbol)))
                    reading.unknownOnlyByLetterCase = false;
            continue;
        }
        ++reading.rejected;
        reading.listing += result.reason + "\r\n" + blockText(block) + "\r\n";
        if (!askAboutRefusals)
            continue;
        const RefusalReply reply = ui.dialogs.refusal(
            result.reason, blockText(block), "The species isn't entered. Continue data input?");
        if (reply.doNotShowAgain)
            askAboutRefusals = false;
        if (reply.choice == RefusalChoice::Cancel) {
            reading.cancelled = true;
            break;
        }
        if (reply.choice == RefusalChoice::Stop)
            break;
    }
    return reading;
}

void report(const Reading& reading, const PasteRequest& request, Ui& ui, PasteResult& result) {
    std::string listing = reading.listing;
    if (reading.rejected > 0)
        ui.dialogs.message("Descriptions of the species have errors; the species have been "
                           "omitted.\n" +
                               reading.listing,
                           kPasteTitle, Icon::Exclamation);
    listing += reportUnknownElementSpecies(reading.unknownNames, ui.dialogs,
                                           reading.unknownOnlyByLetterCase ? request.letterCaseHint
                                                                           : std::string());
    if (listing.empty() || request.errorFile.empty())
        return;
    writeErrorListing(request.errorFile, listing, ui.clock.now());
    result.errorFileWritten = true;
    const Answer open =
        ui.dialogs.ask("The error messages have been written in the file " +
                           request.errorFile.string() + "'. " + "\n" + "Open the file?",
                       kPasteTitleComma, Buttons::YesNo, Answer::No, Icon::Question);
    if (open == Answer::Yes && request.openTextFile)
        request.openTextFile(request.errorFile);
}

} // namespace

std::string reportUnknownElementSpecies(const std::vector<std::string>& names, Dialogs& dialogs,
                                        const std::string& hint) {
    if (names.empty())
        return {};
    const std::string hintLine = hint.empty() ? std::string() : "\n" + hint;
    if (names.size() == 1) {
        dialogs.message(std::string("The species contains elements that are not available in "
                                    "the ELEMENTS table.") +
                            "The species has been omitted. " + "\n" +
                            "Note. Element names are case-sensitive." + hintLine,
                        kPasteTitle, Icon::Exclamation);
        return "The species " + names[0] +
               " contains elements that are not available in the ELEMENTS table, " +
               "the species was omitted. \r\n";
    }
    const std::string count = std::to_string(names.size());
    dialogs.message("The listed below " + count + " species have been omitted. " +
                        "The species contain elements that are not available in the ELEMENTS "
                        "table." +
                        "\n" + "Note. Element names are case-sensitive." + hintLine + "\n" +
                        nameColumns(names),
                    kPasteTitle, Icon::Exclamation);
    return "The " + count +
           " species contain elements that are not available in the ELEMENTS table, " +
           "the species were omitted. \r\n" + nameColumns(names) + "\r\n";
}

void writeErrorListing(const std::filesystem::path& file, const std::string& listing,
                       const LocalDateTime& when) {
    writeTextFile(file, "KINETRA THERMO   " + formatDate(when, "mmm d yyyy") + "  " +
                            formatDate(when, "hh:nn:ss") + "\r\n \r\n" + listing);
}

void addToErrorListing(const std::filesystem::path& file, const std::string& text,
                       bool writtenThisRun, const LocalDateTime& when) {
    if (text.empty())
        return;
    if (!writtenThisRun) {
        writeErrorListing(file, text, when);
        return;
    }
    writeTextFile(file, readTextFile(file).value_or("") + "\r\n" + text);
}

std::string newRowTemplate() {
    const std::string zeros =
        " 0.00000000E+00 0.00000000E+00 0.00000000E+00 0.00000000E+00 0.00000000E+00";
    return "NEW<                        0    0    0    0G    200.00   3000.00  1000.0      1\r\n" +
           zeros + "    2\r\n" + zeros + "    3\r\n" + zeros + "    4\r\n";
}

PasteResult pasteSpeciesText(store::Connection& db, const ElementTable& elements,
                             const PasteRequest& request, Ui& ui) {
    PasteResult result;
    const CollectedText collected = collectSpeciesBlocks(request.text);
    if (collected.emptyText) {
        ui.dialogs.message("There is no thermodynamic data in the clipboard to paste.", kPasteTitle,
                           Icon::Exclamation);
        result.refusedWhole = true;
        return result;
    }
    if (collected.notMultipleOfFour) {
        ui.dialogs.message(kNotFourLines, kPasteTitleComma, Icon::Exclamation);
        result.refusedWhole = true;
        return result;
    }
    // Until the rows are committed the paste can stop and leave the file as it was: the
    // progress offers Cancel over the reading and the insertion.
    struct ProgressEnd {
        Progress& progress;
        ~ProgressEnd() { progress.done(); }
    } progressEnd{ui.progress};
    ui.progress.setCancellable(true);
    Reading reading = readBlocks(collected, elements, request.options, request.text.size(), ui);
    result.rejected = reading.rejected;
    result.unknownElements = static_cast<int>(reading.unknownNames.size());
    result.unknownOnlyByLetterCase =
        !reading.unknownNames.empty() && reading.unknownOnlyByLetterCase;
    if (reading.cancelled) {
        ui.progress.done();
        result.cancelled = true;
        return result;
    }
    if (!reading.accepted.empty()) {
        std::vector<std::vector<store::Value>> rows;
        rows.reserve(reading.accepted.size());
        for (std::size_t i = 0; i < reading.accepted.size(); ++i) {
            RowMarks marks;
            marks.selT = request.afterNum + static_cast<std::int64_t>(i) + 1;
            marks.upaste = 1;
            marks.tmp = "0";
            rows.push_back(rowFromSpecies(reading.accepted[i], elements, marks));
        }
        {
            // The check belongs to the insertion: committed apart, a failure between the two
            // would leave new rows with validity marks that do not describe them.
            store::Transaction transaction(db);
            if (request.clearMarks)
                db.execute("UPDATE [Trm] SET Upaste = 0, SelT = 0;");
            if (!insertSpeciesRows(db, request.afterNum, std::move(rows), &ui.progress)) {
                ui.progress.done();
                result.cancelled = true;
                return result; // the transaction rolls back
            }
            ui.progress.setCancellable(false);
            checkAllSpecies(db);
            transaction.commit();
        }
        ui.progress.done();
        result.inserted = static_cast<int>(reading.accepted.size());
    }
    ui.progress.done();
    report(reading, request, ui, result);
    return result;
}

} // namespace kinetra::thermo
