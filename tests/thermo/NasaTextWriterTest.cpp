#include "thermo/NasaTextWriter.h"

#include "ThermoFixture.h"

#include <gtest/gtest.h>
#include <sstream>

namespace kinetra::thermo {
namespace {

using testing::templateElements;

constexpr int H = 1, O = 2, C = 3, N = 4, AR = 5, HE = 6, S = 7;

SpeciesRecord species(const std::string& name, std::vector<std::pair<int, double>> composition) {
    SpeciesRecord s = testing::speciesRecord(name, 200, 3500, 1000);
    for (auto [slot, count] : composition)
        s.composition[slot] = count;
    return s;
}

std::vector<std::string> split(const std::string& text, const std::string& separator = "\r\n") {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size())
        lines.push_back(text.substr(start, end - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

const std::string kNotCreated =
    "The text thermodynamic data for this species has not been created.";

TEST(NasaTextWriter, LineOneColumns) {
    ElementTable elements = templateElements();

    SpeciesRecord ch4 = species("  CH4 ", {{C, 1}, {H, 4}});
    SpeciesText text = writeSpeciesLines(ch4, elements, LineFourEnd::Document, false);
    EXPECT_EQ(text.lines.at(0),
              "CH4                     H   4C   1    0    0G    200.00   3500.00  "
              "1000.0      1");

    // Over-long name and reference are cut in place; a missing Tcom and Tmin read 0.0.
    SpeciesRecord longName = species("ABCDEFGHIJKLMNOPQRSTUV", {{O, 2}});
    longName.reference = " TPIS89XYZ";
    longName.tcom.reset();
    longName.tmin = -5;
    longName.phase = "gas";
    text = writeSpeciesLines(longName, elements, LineFourEnd::Document, false);
    EXPECT_EQ(text.lines.at(0),
              "ABCDEFGHIJKLMNOP  TPIS89O   2    0    0    0g       0.0   3500.00     "
              "0.0      1");

    // A positive ion: the electron field comes first; an empty phase is a blank.
    SpeciesRecord ch3plus = species("CH3+", {{0, -1}, {C, 1}, {H, 3}});
    ch3plus.reference = "J 6/68";
    ch3plus.phase = "";
    text = writeSpeciesLines(ch3plus, elements, LineFourEnd::Clipboard, false);
    EXPECT_EQ(text.lines.at(0).substr(0, 45), "CH3+              J 6/68E  -1H   3C   1    0 ");
}

TEST(NasaTextWriter, CoefficientLinesReproducePublishedDigits) {
    const std::vector<std::string> h2o = split(testing::kFourSpecies.substr(81 * 8, 81 * 4), "\n");
    SpeciesRecord record = species("H2O", {{H, 2}, {O, 1}});
    record.reference = "L 8/89";
    for (int i = 0; i < 14; ++i)
        record.coefficients[i] = std::stod(h2o[1 + i / 5].substr(15 * (i % 5), 15));

    SpeciesText doc = writeSpeciesLines(record, templateElements(), LineFourEnd::Document, false);
    ASSERT_EQ(doc.lines.size(), 4u);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(doc.lines[i], h2o[i]) << "line " << i + 1;
    EXPECT_EQ(doc.lines[0].substr(0, 24), h2o[0].substr(0, 24));

    record.coefficients[14] = -1234.5;
    SpeciesText clip = writeSpeciesLines(record, templateElements(), LineFourEnd::Clipboard, false);
    ASSERT_EQ(clip.lines.size(), 4u);
    EXPECT_EQ(clip.lines[3], h2o[3].substr(0, 60) + "-1.23450000E+03    4");
    for (const std::string& line : clip.lines)
        EXPECT_EQ(line.size(), 80u) << line;
}

TEST(NasaTextWriter, RefusesSpeciesThatDoNotFit) {
    ElementTable elements = templateElements();

    SpeciesRecord neutral = species(" BIG ", {{H, 1}, {O, 1}, {C, 1}, {N, 1}, {S, 1}, {AR, 0}});
    SpeciesText text = writeSpeciesLines(neutral, elements, LineFourEnd::Document, false);
    EXPECT_EQ(text.refusal, "The NASA format allows a neutral species to be composed of 4 "
                            "elements. The species BIG contains more then 4 elements. " +
                                kNotCreated);

    // Four elements fit a neutral species, but not an ion: the electron takes a field.
    SpeciesRecord ion = species("ION+", {{0, -1}, {H, 1}, {O, 1}, {C, 1}, {N, 1}});
    text = writeSpeciesLines(ion, elements, LineFourEnd::Document, false);
    EXPECT_EQ(text.refusal, "The NASA format allows an ion to be composed of 3 elements. The "
                            "species ION+ contains more then 3 elements. " +
                                kNotCreated);
    // A zero electron count makes no ion and no field.
    ion.composition[0] = 0;
    EXPECT_EQ(writeSpeciesLines(ion, elements, LineFourEnd::Document, false).lines.size(), 4u);

    // A value wider than its column would shift the rest of the line.
    SpeciesRecord wide = species("POLY", {{C, 1000}});
    EXPECT_EQ(writeSpeciesLines(wide, elements, LineFourEnd::Document, false).refusal,
              "The species POLY has a value that does not fit its column of the NASA format. " +
                  kNotCreated);
    wide.composition[C] = 1;
    wide.coefficients[3] = -1e120;
    EXPECT_FALSE(writeSpeciesLines(wide, elements, LineFourEnd::Document, false).refusal.empty());
}

TEST(NasaTextWriter, ThermoDocument) {
    ElementTable elements = templateElements();
    elements.weights[HE] = 4.0;
    std::vector<SpeciesRecord> list;
    SpeciesRecord ch4 = species("CH4", {{C, 1}, {H, 4}});
    ch4.comment = "  methane  ";
    list.push_back(ch4);
    list.push_back(species("HE", {{HE, 1}}));
    list.push_back(species("BIG", {{H, 1}, {O, 1}, {C, 1}, {N, 1}, {S, 1}})); // refused
    // With the two names before them, these fill the first SPECIES line to exactly 80.
    for (std::string name : {std::string(16, 'A'), std::string(16, 'B'), std::string(16, 'D'),
                             std::string(10, 'E'), std::string(5, 'F')})
        list.push_back(species(name, {{C, 1}}));
    for (int i = 0; i < 20; ++i)
        list.push_back(species("C" + std::to_string(i) + "H" + std::string(i % 7, 'X'), {{C, 1}}));

    ThermoDocumentHeader header;
    header.when = {2026, 12, 6, 14, 5, 9};
    header.reactionDatabaseName = "GRI30";
    header.thermoDatabasePath = "C:\\Data\\thermo.tdb";
    ThermoDocument doc = writeThermoDocument(list, elements, header, true);

    EXPECT_EQ(doc.written, 27);
    ASSERT_EQ(doc.refusals.size(), 1u);
    std::vector<std::string> lines = split(doc.text);
    EXPECT_EQ(lines[0], "!KINETRA Dec 6 2026  14:05:09");
    EXPECT_EQ(lines[2], "!Reaction DataBase: GRI30");
    EXPECT_EQ(lines[3], "!Thermodynamic DataBase: C:\\Data\\thermo.tdb");
    // Only the elements in use, weights to five digits.
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 5, lines.begin() + 12),
              (std::vector<std::string>{"ELEMENTS", "H / 1.00794 /", "C / 12.011 /", "HE / 4 /",
                                        "END", "!Species 27", "SPECIES"}));

    // Names wrapped at the last separator that fits, every name once, in order.
    std::vector<std::string> names;
    std::size_t i = 12;
    for (; lines.at(i) != "END"; ++i) {
        EXPECT_LE(lines[i].size(), 80u);
        EXPECT_EQ(lines[i], lines[i].substr(0, lines[i].find_last_not_of(' ') + 1));
        std::istringstream words(lines[i]);
        for (std::string w; words >> w;)
            names.push_back(w);
        if (lines[i + 1] != "END") {
            std::size_t nextName = lines[i + 1].find(' ');
            EXPECT_GT(lines[i].size() + 2 + std::min(nextName, lines[i + 1].size()), 80u);
        }
    }
    ASSERT_EQ(names.size(), 27u);
    EXPECT_EQ(names[26], "C19HXXXXX");
    EXPECT_EQ(lines[12], "CH4  HE  " + std::string(16, 'A') + "  " + std::string(16, 'B') + "  " +
                             std::string(16, 'D') + "  " + std::string(10, 'E') + "  FFFFF");

    ASSERT_EQ(lines.at(i + 1), "THERMO");
    EXPECT_EQ(lines.at(i + 6), "! methane");
    EXPECT_EQ(lines.at(i + 7).substr(0, 3), "HE ");
    EXPECT_EQ(lines.size(), i + 2 + 5 + 26 * 4 + 1);
}

} // namespace
} // namespace kinetra::thermo
