// Reads species from NASA four-line thermo text (pasted text or a whole thermo file). Pure
// parsing: nothing here touches the database or asks the user; the paste operation decides
// what to do with each outcome.
#pragma once

#include "thermo/SpeciesRecord.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinetra::thermo {

struct ReadOptions {
    enum class LetterCase { No, Upper, Lower };
    enum class NameRule {
        First16,   // the name is columns 1..16, blanks inside kept
        FirstBlank // the name ends at its first blank; the rest of columns 1..24 is comment
    };
    LetterCase letterCase = LetterCase::No;
    NameRule nameRule = NameRule::FirstBlank;
    // Used when a species leaves its common temperature empty (the range line of a file).
    std::optional<double> defaultTcom;
};

struct DataLine {
    std::string text;   // untrimmed, without line breaks
    int sourceLine = 0; // 1-based line number in the text given to collectSpeciesBlocks
};

struct SpeciesBlock {
    std::array<DataLine, 4> lines;
    std::string trailingComment; // comment lines that belong to this species, joined by blanks
};

struct CollectedText {
    std::vector<SpeciesBlock> blocks; // complete groups of four data lines only
    bool emptyText = false;
    bool notMultipleOfFour = false; // the caller refuses the whole text then
    int dataLineCount = 0;
};

enum class BlockOutcome { Accepted, Rejected, UnknownElements };

struct BlockResult {
    BlockOutcome outcome = BlockOutcome::Rejected;
    SpeciesRecord record;                    // Accepted only
    std::string reason;                      // Rejected only: the message shown to the user
    std::string name;                        // UnknownElements (and Accepted): the species name
    std::vector<std::string> unknownSymbols; // UnknownElements only, as written in the text
};

// Splits the text into data lines and comment lines and groups the data lines by four.
CollectedText collectSpeciesBlocks(std::string_view text);

// Reads one species. Never throws; malformed text gives Rejected with a reason.
BlockResult readSpeciesBlock(const SpeciesBlock& block, const ElementTable& elements,
                             const ReadOptions& options);

// The name readSpeciesBlock gives the species, without reading the rest of the block.
std::string speciesNameOf(const SpeciesBlock& block, const ReadOptions& options);

// Drops the frame of a whole thermo file: "THERMO" / "THERMO ALL" lines, the temperature range
// line right after them and "END" lines. rangeMiddle receives the middle temperature of the
// range line (the file's default common temperature), or nothing when there is none. Comment
// lines and everything else are returned unchanged.
std::string stripThermoFileFrame(std::string_view text, std::optional<double>& rangeMiddle);

// For files: a text carrying the frame of a thermo file ("THERMO" or "THERMO ALL", the range
// line, "END") has it removed; the middle temperature of the range line becomes the default
// common temperature unless the options already set one. Other text is returned as it is.
std::string unframeThermoFile(std::string_view text, ReadOptions& options);

} // namespace kinetra::thermo
