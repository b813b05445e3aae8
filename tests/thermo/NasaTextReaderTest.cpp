#include "thermo/NasaTextReader.h"

#include "ThermoFixture.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kinetra::thermo {
namespace {

using testing::sharedDataFile;

const ElementTable kGriTable = testing::templateElements();

// The species blocks of a file of the shared data, its frame stripped.
CollectedText fileBlocks(const char* relative) {
    std::optional<double> middle;
    return collectSpeciesBlocks(stripThermoFileFrame(sharedDataFile(relative), middle));
}

std::vector<BlockResult> readAll(const char* relative) {
    CollectedText collected = fileBlocks(relative);
    EXPECT_FALSE(collected.notMultipleOfFour);
    std::vector<BlockResult> results;
    for (const SpeciesBlock& b : collected.blocks)
        results.push_back(readSpeciesBlock(b, kGriTable, {}));
    return results;
}

// CH4 from GRI-Mech 3.0, the reference block of the edge-case tests.
const char* const kLine1 =
    "CH4               L 8/88C   1H   4          G   200.000  3500.000  1000.000    1";
const char* const kLine2 =
    " 7.48514950E-02 1.33909467E-02-5.73285809E-06 1.22292535E-09-1.01815230E-13    2";
const char* const kLine3 =
    "-9.46834459E+03 1.84373180E+01 5.14987613E+00-1.36709788E-02 4.91800599E-05    3";
const char* const kLine4 =
    "-4.84743026E-08 1.66693956E-11-1.02466476E+04-4.64130376E+00                   4";

SpeciesBlock makeBlock(std::string l1 = kLine1, std::string l2 = kLine2, std::string l3 = kLine3,
                       std::string l4 = kLine4) {
    SpeciesBlock b;
    b.lines = {DataLine{l1, 1}, DataLine{l2, 2}, DataLine{l3, 3}, DataLine{l4, 4}};
    return b;
}

// Writes `text` into `line` from 1-based column `col`, padding the line with blanks.
std::string put(std::string line, std::size_t col, std::string_view text) {
    if (line.size() < col - 1 + text.size())
        line.resize(col - 1 + text.size(), ' ');
    line.replace(col - 1, text.size(), text);
    return line;
}

BlockResult read(const SpeciesBlock& b, const ElementTable& t = kGriTable,
                 const ReadOptions& o = {}) {
    return readSpeciesBlock(b, t, o);
}

TEST(NasaTextReaderFiles, RealFilesReadEveryRecord) {
    for (const auto& [file, count] : {std::pair<const char*, long>{"gri30/gri30_thermo.dat", 53},
                                      {"c3mech-large/C3MechV3.3.THERM", 9180}}) {
        const std::vector<BlockResult> results = readAll(file);
        EXPECT_EQ(results.size(), count) << file;
        EXPECT_EQ(
            std::count_if(results.begin(), results.end(),
                          [](const BlockResult& r) { return r.outcome == BlockOutcome::Accepted; }),
            count)
            << file;
        EXPECT_EQ(results.at(0).record.comment, "") << file; // header comments belong to no species
    }

    const auto& gri = testing::griSpecies();
    const auto ch4 = std::find_if(gri.begin(), gri.end(),
                                  [](const SpeciesRecord& r) { return r.name == "CH4"; });
    ASSERT_NE(ch4, gri.end());
    EXPECT_EQ(ch4->coefficients[0], 7.48514950E-02);
    EXPECT_EQ(ch4->coefficients[5], -9.46834459E+03);
    EXPECT_EQ(ch4->coefficients[13], -4.64130376E+00);
    EXPECT_EQ(ch4->tmax, 3500.0);
    EXPECT_EQ(ch4->composition[3], 1.0); // C
    EXPECT_EQ(ch4->composition[1], 4.0); // H
    EXPECT_EQ(ch4->reference, "L 8/88 ");
}

TEST(NasaTextReaderFiles, MalformedFilesAreRefusedForTheirFault) {
    // R1A has a "C" in the count columns of its first element field.
    std::vector<BlockResult> comp = readAll("small/bad-nasa7-composition.dat");
    ASSERT_EQ(comp.size(), 3u);
    EXPECT_EQ(comp[1].reason, "Elemental content, integers are required.");
    EXPECT_EQ(comp[2].outcome, BlockOutcome::Accepted);

    // C10H20QJDQB has "-0.35101023E+ 0.1490370200E+00" on its third line.
    std::vector<BlockResult> flt = readAll("small/bad-nasa7-float.dat");
    ASSERT_EQ(flt.size(), 3u);
    EXPECT_EQ(flt[1].reason,
              "The polynomial coefficients are incomplete, or the data has a wrong format.");

    // H2 has its second line twice: 25 data lines.
    CollectedText fmt = fileBlocks("small/bad-nasa7-formatting.dat");
    EXPECT_TRUE(fmt.notMultipleOfFour);
    EXPECT_EQ(fmt.dataLineCount, 25);

    // P2B's interval (Tmax equal to Tcom) is the species check's to report: the reader hands
    // the values through untouched.
    std::vector<BlockResult> tr = readAll("small/bad-nasa7-Trange.dat");
    ASSERT_EQ(tr.size(), 3u);
    EXPECT_EQ(tr[1].record.tmax, tr[1].record.tcom);
}

TEST(NasaTextReaderFields, NumbersAndColumns) {
    // A blank after the exponent letter stands for "+".
    BlockResult r = read(makeBlock(kLine1, put(kLine2, 1, "      1.234E 02")));
    EXPECT_DOUBLE_EQ(r.record.coefficients[0], 123.4);

    // A positive number written from column 1 is read as if the sign column were blank.
    r = read(makeBlock(
        kLine1, "7.48514950E-02 1.33909467E-02-5.73285809E-06 1.22292535E-09-1.01815230E-13"));
    EXPECT_EQ(r.record.coefficients[0], 7.48514950E-02);

    // The fifteenth number.
    r = read(makeBlock(kLine1, kLine2, kLine3, put(kLine4, 61, " 1.50000000E+03")));
    EXPECT_EQ(r.record.coefficients[14], 1500.0);

    // Temperatures to three decimals, half away from zero; phase upper-cased.
    std::string l1 = put(put(kLine1, 46, "  200.0004"), 56, " 3500.0005");
    r = read(makeBlock(put(l1, 45, "s")));
    EXPECT_EQ(r.record.tmin, 200.0);
    EXPECT_EQ(r.record.tmax, 3500.001);
    EXPECT_EQ(r.record.phase, "S");

    // A tab inside the 80 columns refuses the block; one in a comment behind them does not
    // (a published file writes "    4!<TAB>Reference element" after O2).
    r = read(makeBlock(kLine1, kLine2, kLine3, put(kLine4, 40, "\t")));
    EXPECT_EQ(r.reason,
              "These lines contain the TABKEY symbols, replace the symbols with blank spaces.");
    r = read(makeBlock(std::string(kLine1) + "!\tReference element", kLine2, kLine3,
                       std::string(kLine4) + "\t"));
    EXPECT_EQ(r.outcome, BlockOutcome::Accepted) << r.reason;

    // A letter of two bytes would shift every column behind it: refused by its name.
    r = read(makeBlock(put(kLine1, 1,
                           "\xC3\x96"
                           "2  ")));
    EXPECT_EQ(r.reason, "Line 1 holds the character \xC3\x96 in column 1; the fixed columns of "
                        "thermo text hold one-byte characters only.");

    // Without a common temperature only a default makes the block.
    std::string noTcom = put(kLine1, 66, "        ");
    EXPECT_EQ(read(makeBlock(noTcom)).reason,
              "Error in temperature interval. The data has a wrong format or is incomplete.");

    ReadOptions withDefault;
    withDefault.defaultTcom = 1000.0;
    r = read(makeBlock(noTcom), kGriTable, withDefault);
    ASSERT_EQ(r.outcome, BlockOutcome::Accepted);
    EXPECT_EQ(r.record.tcom, 1000.0);

    // A line 1 holding only the name: every field empty, nothing read out of range.
    r = read(makeBlock("CH4"), kGriTable, withDefault);
    ASSERT_EQ(r.outcome, BlockOutcome::Accepted);
    EXPECT_EQ(r.record.tmin, 0.0);
    EXPECT_FALSE(r.record.composition[1]);
}

TEST(NasaTextReaderFields, ElementSymbols) {
    std::string l1 = put(kLine1, 25, "cl  1H   1                    ");
    BlockResult r = read(makeBlock(l1));
    EXPECT_EQ(r.outcome, BlockOutcome::UnknownElements);
    EXPECT_EQ(r.unknownSymbols, std::vector<std::string>{"cl"});

    ReadOptions up;
    up.letterCase = ReadOptions::LetterCase::Upper;
    r = read(makeBlock(l1), kGriTable, up);
    ASSERT_EQ(r.outcome, BlockOutcome::Accepted);
    EXPECT_EQ(r.record.composition[8], 1.0);

    // The electron in any letter case goes to slot 0; a count of 0 drops a symbol.
    r = read(makeBlock(put(kLine1, 25, "C   1H   3e  -1XX  0")));
    EXPECT_EQ(r.record.composition[0], -1.0);

    // A symbol given twice adds up.
    EXPECT_EQ(read(makeBlock(put(kLine1, 25, "C   1H   2H   2     "))).record.composition[1], 4.0);

    EXPECT_EQ(read(makeBlock(put(kLine1, 25, "C   xH   4"))).reason,
              "Elemental content, integers are required.");
}

TEST(NasaTextReaderFields, NameRules) {
    std::string l1 = put(kLine1, 1, "CH4 RRHO        L 8/88  ");
    SpeciesBlock b = makeBlock(l1);
    b.trailingComment = "from the tables";

    ReadOptions first16;
    first16.nameRule = ReadOptions::NameRule::First16;
    BlockResult r = read(b, kGriTable, first16);
    EXPECT_EQ(r.record.name, "CH4 RRHO");
    EXPECT_EQ(r.record.reference, "L 8/88 ");

    r = read(b); // FirstBlank
    EXPECT_EQ(r.record.name, "CH4");
    EXPECT_EQ(r.record.reference, " ");
    EXPECT_EQ(r.record.comment, "RRHO        L 8/88 from the tables");

    EXPECT_EQ(read(makeBlock(put(kLine1, 1, "                "))).reason,
              "The species name is empty, or the data has a wrong format.");
}

TEST(NasaTextReaderCollect, LinesCommentsAndFrame) {
    EXPECT_TRUE(collectSpeciesBlocks(" \r\n\t \n").emptyText);

    std::string block =
        std::string(kLine1) + "\r\n" + kLine2 + "\r\n" + kLine3 + "\r\n" + kLine4 + "\r\n";
    std::string text = "\n\n! header\n" + block + "! first note\n  !   \n!END\n! end\n" + block +
                       "!  second note  \n" + "\n";
    CollectedText c = collectSpeciesBlocks(text);
    ASSERT_EQ(c.blocks.size(), 2u);
    EXPECT_EQ(c.blocks[1].lines[3].sourceLine, 15);
    EXPECT_EQ(c.blocks[0].lines[1].text, kLine2); // CR gone, not trimmed
    EXPECT_EQ(c.blocks[0].trailingComment, "first note");
    EXPECT_EQ(read(c.blocks[1]).record.comment, "second note");

    // A note between the lines of a block goes with that block.
    c = collectSpeciesBlocks(block + kLine1 + "\n! inside\n" + kLine2 + "\n" + kLine3 + "\n" +
                             kLine4);
    ASSERT_EQ(c.blocks.size(), 2u);
    EXPECT_EQ(c.blocks[1].trailingComment, "inside");

    // Long collected comments are cut to 128 characters.
    c = collectSpeciesBlocks(block + "!" + std::string(200, 'a') + "\n!" + std::string(100, 'b'));
    EXPECT_EQ(c.blocks[0].trailingComment, std::string(128, 'a'));

    // A file frame left in place breaks the grouping; stripped, it gives the default Tcom.
    std::string file =
        "THERMO ALL ! all of them\n   300.000  1000.000  5000.000\n" + block + "END\n";
    EXPECT_TRUE(collectSpeciesBlocks(file).notMultipleOfFour);
    // The frame lines leave empty lines, so line numbers stay those of the file; line ends
    // of every system become LF.
    const std::string lfBlock =
        std::string(kLine1) + "\n" + kLine2 + "\n" + kLine3 + "\n" + kLine4 + "\n";
    std::optional<double> middle;
    EXPECT_EQ(stripThermoFileFrame(file, middle), "\n\n" + lfBlock + "\n");
    EXPECT_EQ(middle, 1000.0);
    // The keyword shortened as mechanism files do, and a mechanism document's THERMO section.
    ReadOptions options;
    EXPECT_EQ(unframeThermoFile("SPECIES\nH2O\nEND\nTHERM ALL\n 300. 1200. 5000.\n" + block +
                                    "END\nREACTIONS\nA=B 1 0 0\nEND\n",
                                options),
              "\n\n\n\n\n" + lfBlock);
    EXPECT_EQ(options.defaultTcom, 1200.0);
    EXPECT_EQ(unframeThermoFile("THERMO\n" + block + "ENDOFDATA\n", options), "\n" + lfBlock);
    EXPECT_EQ(stripThermoFileFrame(block, middle), lfBlock);
    EXPECT_FALSE(middle);
}

} // namespace
} // namespace kinetra::thermo
