#include "reactions/ReactionPaste.h"

#include "common/NumberFormat.h"
#include "common/TextFile.h"
#include "common/TextUtil.h"
#include "reactions/ReactionCheck.h"

#include <stdexcept>

namespace kinetra::reactions {

namespace {

constexpr const char* kPasteTitleAsShipped = "KINETRA, Paste Reactions";
constexpr std::size_t kProgressTextSize = 10000;
constexpr std::size_t kLargeTable = 500;

struct Reading {
    std::vector<ReactionRecord> records;
    std::string listing;
    int refused = 0;
    bool stopped = false;
    bool cancelled = false;
};

void classify(ReactionRecord& record, const ThermoSpeciesList& species) {
    const CheckResult check = checkReaction(checkInputOf(record), species);
    record.reaction = check.equation;
    record.composition = check.composition;
    record.enabled = check.valid;
    record.info = check.valid ? 0 : -1;
}

int sourceLine(const ReadRequest& request, int lineNumber) {
    const auto index = static_cast<std::size_t>(lineNumber - 1);
    return index < request.sourceLines.size() ? request.sourceLines[index] : lineNumber;
}

Reading readBlocks(const GatheredText& gathered, const ThermoSpeciesList& species,
                   const ReadRequest& request, RefusalMemory& memory, Ui& ui) {
    Reading reading;
    reading.records.reserve(gathered.blocks.size());
    const std::size_t lineCount = std::max<std::size_t>(gathered.lineCount, 1);
    std::size_t linesDone = 0, tenthShown = 0;
    for (const ReactionBlock& block : gathered.blocks) {
        if (!request.quiet) {
            const std::size_t tenth = 10 * linesDone / lineCount;
            if (linesDone == 0 || tenth > tenthShown) {
                ui.progress.show(request.progressText, static_cast<int>(10 * tenth));
                tenthShown = tenth;
            }
            if (ui.progress.cancelRequested()) {
                reading.cancelled = true;
                break;
            }
        }
        linesDone += block.lines.size();

        BlockReading result = readReactionBlock(block, request.options, request.constants);
        if (result.accepted) {
            classify(result.record, species);
            reading.records.push_back(std::move(result.record));
            continue;
        }
        ++reading.refused;
        const std::string shown = blockListingText(block);
        reading.listing += result.reason + "\r\nLine " +
                           std::to_string(sourceLine(request, block.lines.front().sourceLine)) +
                           "\r\n" + shown + "\r\n";
        RefusalChoice choice = memory.choice;
        if (!memory.doNotShowAgain) {
            const RefusalReply reply = ui.dialogs.refusal(
                result.reason, shown, "The reaction is not entered. Continue data input?");
            choice = reply.choice;
            if (reply.doNotShowAgain)
                memory = {true, reply.choice};
        }
        if (choice == RefusalChoice::Cancel) {
            reading.cancelled = true;
            break;
        }
        if (choice == RefusalChoice::Stop) {
            reading.stopped = true;
            break;
        }
    }
    return reading;
}

// Old rows up to the insertion point, the new ones, the rest; Num renumbered 1..n. The caller
// owns the transaction. False when the user cancelled: the caller then rolls back.
bool insertRecords(store::Connection& db, std::vector<ReactionRecord>& records,
                   std::int64_t afterNum, std::int64_t base, Progress& progress) {
    const auto added = static_cast<std::int64_t>(records.size());
    if (db.recordCount("Reactions") > 0)
        db.execute("UPDATE [Reactions] SET SelT = SelT + 1 + " + std::to_string(added) +
                   " WHERE SelT > " + std::to_string(base));
    store::RowSet old = db.query("SELECT * FROM [Reactions] ORDER BY Num ASC;");

    std::vector<std::vector<store::Value>> all;
    all.reserve(old.rows.size() + records.size());
    std::size_t split = 0;
    while (split < old.rows.size() &&
           store::toInteger(old.rows[split][rx::kNum]).value_or(0) <= afterNum)
        ++split;
    for (std::size_t i = 0; i < split; ++i)
        all.push_back(old.rows[i].values());
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].selT = base + static_cast<std::int64_t>(i) + 1;
        all.push_back(rowFromReaction(records[i]));
    }
    for (std::size_t i = split; i < old.rows.size(); ++i)
        all.push_back(old.rows[i].values());

    const bool large = all.size() > kLargeTable;
    db.execute("DELETE * FROM [Reactions];");
    const std::size_t chunk = large ? (all.size() + 9) / 10 : all.size();
    for (std::size_t start = 0; start < all.size(); start += chunk) {
        const std::size_t end = std::min(all.size(), start + chunk);
        for (std::size_t i = start; i < end; ++i)
            all[i][rx::kNum] = static_cast<std::int64_t>(i + 1);
        if (large)
            progress.show("Preparing reactions...", static_cast<int>(100 * start / all.size()));
        if (progress.cancelRequested())
            return false;
        db.insertRows("Reactions", std::span(all).subspan(start, end - start));
    }
    return true;
}

void markSelection(store::Connection& db, const std::vector<std::int64_t>& keys) {
    db.execute("UPDATE [Reactions] SET Upaste = 0, SelT = 0;");
    std::vector<std::vector<store::Value>> sets;
    sets.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        sets.push_back({static_cast<std::int64_t>(i + 1), keys[i]});
    if (!sets.empty())
        db.executeEach("UPDATE [Reactions] SET SelT = ? WHERE rowid = ?", sets);
}

void reportRefusals(const Reading& reading, const ReadRequest& request, Ui& ui,
                    ReadResult& result) {
    if (reading.refused == 0 || request.errorFile.empty())
        return;
    try {
        writeReactionErrorListing(request.errorFile, reading.listing, ui.clock.now());
    } catch (const std::runtime_error& error) {
        // The reactions read are already stored; only the listing is lost.
        ui.dialogs.message(error.what(), kPasteReactionsTitle, Icon::Exclamation);
        return;
    }
    result.errorFileWritten = true;
    result.openErrorFile = ui.dialogs.ask(
        "Errors have been found in " + std::to_string(reading.refused) + " reaction(s). " +
            "The error messages have been written in file" + "\r\n" + " '" +
            request.errorFile.string() + "'." + "\r\n\r\n" + " Open the file?",
        kPasteReactionsTitle, Buttons::YesNo, Answer::No, Icon::Information);
}

} // namespace

void writeReactionErrorListing(const std::filesystem::path& file, const std::string& listing,
                               const LocalDateTime& when) {
    writeTextFile(file, "KINETRA Reactions   " + formatDate(when, "mmm d yyyy") + "  " +
                            formatDate(when, "hh:nn:ss") + "\r\n\r\n" + listing);
}

ReadResult readReactionText(store::Connection& db, const ThermoSpeciesList& species,
                            const ReadRequest& request, RefusalMemory& memory, Ui& ui) {
    ReadResult result;
    const GatheredText gathered = gatherReactionBlocks(request.lines);
    if (gathered.noReactionData) {
        ui.dialogs.message(kNoReactionData, kPasteReactionsTitle, Icon::Exclamation);
        result.noData = true;
        return result;
    }
    // Until the records are committed the reading can stop and leave the table as it was: the
    // progress offers Cancel over the reading and the insertion.
    struct ProgressEnd {
        Progress& progress;
        ~ProgressEnd() { progress.done(); }
    } progressEnd{ui.progress};
    if (!request.quiet)
        ui.progress.setCancellable(true);
    Reading reading = readBlocks(gathered, species, request, memory, ui);
    result.refused = reading.refused;
    result.stopped = reading.stopped;
    if (reading.cancelled) {
        ui.progress.done();
        result.cancelled = true;
        return result;
    }
    // A reading that stored nothing leaves the marks of the last paste, so that its Undo Paste
    // still finds its rows.
    if (!reading.records.empty()) {
        store::Transaction transaction(db);
        if (request.resetMarks)
            markSelection(db, request.selectedKeys);
        if (!insertRecords(db, reading.records, request.insertAfterNum, request.selectionBase,
                           ui.progress)) {
            ui.progress.done();
            result.cancelled = true;
            return result; // the transaction rolls back
        }
        transaction.commit();
    }
    ui.progress.done();
    result.inserted = static_cast<int>(reading.records.size());
    for (const ReactionRecord& record : reading.records)
        if (!record.enabled)
            ++result.invalid;
    reportRefusals(reading, request, ui, result);
    return result;
}

ReadResult pasteReactions(store::Connection& db, const ThermoSpeciesList& species,
                          const PasteReactionsRequest& request, RefusalMemory& memory, Ui& ui) {
    const std::string text = ui.clipboard.text();
    if (text.empty() || trimBlanks(text).size() < 2) {
        ui.dialogs.message(kNoReactionData,
                           text.empty() ? kPasteTitleAsShipped : kPasteReactionsTitle,
                           Icon::Exclamation);
        ReadResult result;
        result.noData = true;
        return result;
    }
    ReadRequest read;
    read.lines = splitReactionText(text);
    read.options = request.options;
    read.constants = request.constants;
    read.insertAfterNum = request.currentNum;
    read.selectionBase = static_cast<std::int64_t>(request.selectedKeys.size());
    read.errorFile = request.errorFile;
    read.quiet = text.size() <= kProgressTextSize;
    read.progressText = "Pasting reactions (" +
                        formatNumber(static_cast<double>(text.size()) / 1000, "0.##") + "KB)";
    read.resetMarks = true;
    read.selectedKeys = request.selectedKeys;
    return readReactionText(db, species, read, memory, ui);
}

} // namespace kinetra::reactions
