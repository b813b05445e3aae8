// The NASA four-line text of species thermo data, for the clipboard and for mechanism and thermo
// documents. Pure text: choosing the species and placing the text somewhere is the caller's job.
#pragma once

#include "common/Seams.h"
#include "thermo/SpeciesRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace kinetra::thermo {

// Line 4 carries A15 on the clipboard, where the text goes back into the program; documents end
// the line after A14, as other mechanism tools expect.
enum class LineFourEnd { Clipboard, Document };

// The lines of one species without line ends (four, or five with a comment line), or, when the
// species cannot be put in the format, no lines and the message saying why.
struct SpeciesText {
    std::vector<std::string> lines;
    std::string refusal;
};

SpeciesText writeSpeciesLines(const SpeciesRecord& species, const ElementTable& elements,
                              LineFourEnd lineFourEnd, bool withComment);

struct ThermoDocumentHeader {
    LocalDateTime when;
    // Set for a mechanism document: the reaction database it was written from.
    std::optional<std::string> reactionDatabaseName;
    bool thermoSection = true;
    std::string thermoDatabasePath;
};

struct ThermoDocument {
    std::string text; // CR LF line ends, the last line included
    std::vector<std::string> refusals;
    int written = 0; // species in the SPECIES list
};

ThermoDocument writeThermoDocument(const std::vector<SpeciesRecord>& species,
                                   const ElementTable& elements, const ThermoDocumentHeader& header,
                                   bool withComments);

struct ClipboardText {
    std::string text; // lines joined by CR LF
    std::vector<std::string> refusals;
};

ClipboardText writeClipboardText(const std::vector<SpeciesRecord>& species,
                                 const ElementTable& elements, bool withComments = false);

} // namespace kinetra::thermo
