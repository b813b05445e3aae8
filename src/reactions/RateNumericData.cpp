#include "reactions/RateNumericData.h"

#include "common/TextFile.h"
#include "reactions/ThermoRecordIndex.h"

namespace kinetra::reactions {

std::optional<std::filesystem::path>
writeRateNumericData(const ReactionRecord& record, RatePlotSettings& settings,
                     const RateConstants& constants, thermo::ThermoDatabase& thermo,
                     const std::string& reactionDatabaseName,
                     const std::filesystem::path& supportDir, Ui& ui) {
    store::Connection thermoDb = thermo.connection();
    const ThermoRecordIndex index = ThermoRecordIndex::load(thermoDb);
    const RateTableResult result = plotArrRow(record, settings, RateOutput::NumericData,
                                              index.lookup(), constants, ui.dialogs);
    if (!result.table)
        return std::nullopt;
    const std::filesystem::path file = supportDir / kRateNumericDataFileName;
    writeTextFile(
        file, rateNumericDataText(record, *result.table,
                                  {ui.clock.now(), thermo.path().string(), reactionDatabaseName}));
    return file;
}

} // namespace kinetra::reactions
