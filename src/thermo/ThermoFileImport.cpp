#include "thermo/ThermoFileImport.h"

#include <unordered_map>

namespace kinetra::thermo {

NameSelection firstRecordOfEachName(const CollectedText& collected, const ReadOptions& options,
                                    int lineOffset) {
    NameSelection selection;
    selection.first.reserve(collected.blocks.size());
    std::unordered_map<std::string, int> firstLines;
    for (std::size_t i = 0; i < collected.blocks.size(); ++i) {
        const SpeciesBlock& block = collected.blocks[i];
        const int line = block.lines[0].sourceLine + lineOffset;
        const auto [at, inserted] = firstLines.emplace(speciesNameOf(block, options), line);
        if (inserted)
            selection.first.push_back(i);
        else
            selection.repeats.push_back({at->first, line, at->second});
    }
    return selection;
}

std::string speciesBlockText(const SpeciesBlock& block) {
    std::string text;
    for (const DataLine& line : block.lines)
        text += line.text + "\n";
    if (!block.trailingComment.empty())
        text += "! " + block.trailingComment + "\n";
    return text;
}

std::string repeatsListing(const std::vector<RepeatedRecord>& repeats) {
    if (repeats.empty())
        return {};
    std::string listing = std::to_string(repeats.size()) +
                          " records repeat a name given before; the first record of each name "
                          "is kept, the repeats have been skipped:\r\n";
    for (const RepeatedRecord& r : repeats)
        listing += "Line " + std::to_string(r.line) + "  " + r.name + "  (first at line " +
                   std::to_string(r.firstLine) + ")\r\n";
    return listing + "\r\n";
}

ThermoFileResult importThermoFile(store::Connection& db, const ElementTable& elements,
                                  const ThermoFileRequest& request, Ui& ui) {
    ThermoFileResult result;
    PasteRequest paste;
    paste.options = request.options;
    paste.text = unframeThermoFile(request.fileText, paste.options);
    paste.afterNum = request.afterNum;
    paste.errorFile = request.errorFile;
    if (!request.keepRepeats) {
        const CollectedText collected = collectSpeciesBlocks(paste.text);
        // Text the reader refuses as a whole goes on unchanged, for the reader's own message.
        if (!collected.emptyText && !collected.notMultipleOfFour) {
            NameSelection selection = firstRecordOfEachName(collected, paste.options);
            if (!selection.repeats.empty()) {
                std::string kept;
                for (std::size_t i : selection.first)
                    kept += speciesBlockText(collected.blocks[i]);
                paste.text = std::move(kept);
                result.repeats = std::move(selection.repeats);
            }
        }
    }
    result.paste = pasteSpeciesText(db, elements, paste, ui);
    if (!result.paste.cancelled && !request.errorFile.empty() && !result.repeats.empty()) {
        addToErrorListing(request.errorFile, repeatsListing(result.repeats),
                          result.paste.errorFileWritten, ui.clock.now());
        result.paste.errorFileWritten = true;
    }
    return result;
}

} // namespace kinetra::thermo
