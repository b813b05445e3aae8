// libFuzzer entry for the frame of whole mechanism files: the split into ELEMENTS, SPECIES,
// THERMO and REACTIONS sections, the unit words of the REACTIONS line, and the reaction reader
// on the lines the split hands over. Built and run by scripts/fuzz-readers.
#include "reactions/MechanismFile.h"
#include "reactions/ReactionTextReader.h"
#include "thermo/NasaTextReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace kinetra::reactions;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)isMechanismFile(text);
    const MechanismSections sections = splitMechanismFile(text);
    if (sections.reactionLines.size() != sections.reactionLineNumbers.size())
        __builtin_trap(); // every reaction line keeps its line number
    const UnitReading units = readUnitWords(sections.unitWords);
    kinetra::thermo::ReadOptions thermoOptions;
    const std::string body = kinetra::thermo::unframeThermoFile(sections.thermoText, thermoOptions);
    (void)kinetra::thermo::collectSpeciesBlocks(body);
    if (!units.refusal.empty())
        return 0;
    ReadingOptions options;
    options.aUnits = units.aUnits;
    options.eUnits = units.eUnits;
    const UnitConstants constants{6.02214076e23, 1.987204259, 8.314462618};
    const GatheredText gathered = gatherReactionBlocks(sections.reactionLines);
    for (const ReactionBlock& block : gathered.blocks) {
        const BlockReading reading = readReactionBlock(block, options, constants);
        if (!reading.accepted && reading.reason.empty())
            __builtin_trap();
    }
    return 0;
}
