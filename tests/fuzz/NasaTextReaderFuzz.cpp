// libFuzzer entry for the thermo text reader; built and run by scripts/fuzz-thermo-reader.
// The first byte picks the reading options so every option combination gets exercised.
#include "thermo/NasaTextReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace kinetra::thermo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static const ElementTable table = [] {
        ElementTable t;
        const char* symbols[] = {"H", "O", "C", "N", "AR", "Cl"};
        for (int i = 0; i < 6; ++i) {
            t.symbols[i + 1] = symbols[i];
            t.weights[i + 1] = 1.0;
        }
        return t;
    }();

    ReadOptions options;
    options.letterCase = static_cast<ReadOptions::LetterCase>(data[0] % 3);
    options.nameRule =
        (data[0] & 4) ? ReadOptions::NameRule::First16 : ReadOptions::NameRule::FirstBlank;
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    if (data[0] & 16)
        options.defaultTcom = 1000.0;
    // Whole files: the THERMO section is cut out and its frame dropped first.
    std::string body = (data[0] & 8) ? unframeThermoFile(text, options) : std::string(text);

    CollectedText collected = collectSpeciesBlocks(body);
    for (const SpeciesBlock& block : collected.blocks) {
        BlockResult r = readSpeciesBlock(block, table, options);
        if (r.outcome == BlockOutcome::Rejected && r.reason.empty())
            __builtin_trap();
        if (r.outcome == BlockOutcome::Accepted && r.record.name.empty())
            __builtin_trap();
    }
    return 0;
}
