// libFuzzer entry for the mechanism text reader; built and run by scripts/fuzz-readers. The
// first byte picks the reading options so that every unit conversion and letter case is used.
#include "reactions/ReactionTextReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace kinetra::reactions;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    ReadingOptions options;
    options.aUnits =
        (data[0] & 1) ? ReadingOptions::AUnits::CmSec : ReadingOptions::AUnits::MolCmSec;
    options.eUnits = static_cast<ReadingOptions::EUnits>((data[0] >> 1) % 5);
    options.letterCase = static_cast<ReadingOptions::LetterCase>((data[0] >> 4) % 3);
    options.stoichiometric = (data[0] & 64) != 0;
    const UnitConstants constants{6.02214076e23, 1.987204259, 8.314462618};
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    const GatheredText gathered = gatherReactionBlocks(splitReactionText(text));
    for (const ReactionBlock& block : gathered.blocks) {
        const BlockReading reading = readReactionBlock(block, options, constants);
        if (!reading.accepted && reading.reason.empty())
            __builtin_trap(); // a refusal always says why
        if (reading.accepted && reading.record.species[0].empty())
            __builtin_trap(); // an accepted reaction has a reactant
        (void)blockListingText(block);
    }
    return 0;
}
