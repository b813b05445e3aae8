// Which records of a whole thermo file are read. Published files repeat names: a later thermo
// set gives a species again, and the field's readers take the first record of each name. A
// whole-file import does the same and lists the repeats it leaves out; a paste keeps every
// record and marks the duplicates instead.
#pragma once

#include "common/Seams.h"
#include "store/Database.h"
#include "thermo/NasaTextReader.h"
#include "thermo/ThermoPaste.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kinetra::thermo {

struct RepeatedRecord {
    std::string name;
    int line = 0;      // line 1 of the repeat in the file
    int firstLine = 0; // line 1 of the record that is kept
};

struct NameSelection {
    std::vector<std::size_t> first;      // indices of the blocks read, in file order
    std::vector<RepeatedRecord> repeats; // the blocks left out
};

// The first block of each name (the name as readSpeciesBlock gives it). lineOffset is added to
// the blocks' line numbers, for a text that starts inside a file.
NameSelection firstRecordOfEachName(const CollectedText& collected, const ReadOptions& options,
                                    int lineOffset = 0);

// The data lines of a block and its comment lines, as thermo text again.
std::string speciesBlockText(const SpeciesBlock& block);

// The lines of ErrorMsg.txt that list the repeats, or an empty text.
std::string repeatsListing(const std::vector<RepeatedRecord>& repeats);

struct ThermoFileRequest {
    std::string fileText; // a thermo file, or a mechanism document with a THERMO section
    std::int64_t afterNum = 0;
    ReadOptions options; // the range line's middle temperature fills an unset default Tcom
    std::filesystem::path errorFile;
    bool keepRepeats = false; // every record, repeats marked as duplicates (as a paste does)
};

struct ThermoFileResult {
    PasteResult paste;
    std::vector<RepeatedRecord> repeats; // skipped, and listed in ErrorMsg.txt
};

// A whole thermo file into the species table, after request.afterNum: the frame removed, the
// first record of each name read (unless keepRepeats), then the paste flow.
ThermoFileResult importThermoFile(store::Connection& db, const ElementTable& elements,
                                  const ThermoFileRequest& request, Ui& ui);

} // namespace kinetra::thermo
