#include "reactions/ReactionTextReader.h"

#include "ReactionFixture.h"

#include <gtest/gtest.h>

namespace kinetra::reactions {
namespace {

using Options = ReadingOptions;
using testing::kTestConstants;

// The first block of the text, read.
BlockReading readFirst(const std::string& text, const Options& options = {}) {
    const GatheredText gathered = gatherReactionBlocks(splitReactionText(text));
    EXPECT_FALSE(gathered.noReactionData) << text;
    if (gathered.blocks.empty())
        return {};
    return readReactionBlock(gathered.blocks.front(), options, kTestConstants);
}

TEST(ReactionTextReader, LinesAndBlocks) {
    const GatheredText g = gatherReactionBlocks(splitReactionText(
        "! heading\r\n\r\n  H+O2=OH+O  1E14 0 16800 ! Smith 1990\r\n"
        "\tH2/2.5/\tH2O/12/ ! enhanced\n!note here\nEND\n!END\nH2+M=2H+M 4.6E19 -1.4 104000\n"));
    ASSERT_EQ(g.blocks.size(), 2u);
    const auto& first = g.blocks[0].lines;
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].text, "H+O2=OH+O  1E14 0 16800 ! Smith 1990");
    EXPECT_EQ(first[0].sourceLine, 3);
    EXPECT_EQ(g.blocks[1].lines[0].sourceLine, 8);
    EXPECT_EQ(blockListingText(g.blocks[0]), "H+O2=OH+O  1E14 0 16800 ! Smith 1990\r\n"
                                             "H2/2.5/ H2O/12/\r\n!note here\r\n");

    // Bytes of no text are shown escaped, long blocks cut: a binary file is never echoed whole.
    ReactionBlock binary{{{"A=B \x01\x02\xFF 1 2 3", 1}}};
    for (int i = 0; i < 100; ++i)
        binary.lines.push_back({std::string(1000, 'x'), i + 2});
    const std::string shown = blockListingText(binary);
    EXPECT_EQ(shown.substr(0, 30), "A=B \\x01\\x02\\xFF 1 2 3\r\nxxxxxx");
    EXPECT_LT(shown.size(), 20000u);
    EXPECT_NE(shown.find("... 61 more lines\r\n"), std::string::npos);

    for (const char* text : {"", "  \n! only comments\nEND\n", "LOW/1 2 3/ ! k=A*T^n\nA=B 1 2 3"})
        EXPECT_TRUE(gatherReactionBlocks(splitReactionText(text)).noReactionData) << text;

    const BlockReading r =
        readFirst("H+O2=OH+O  1E14 0 16800 ! Smith 1990\n!first\nDUP\n!second\n");
    ASSERT_TRUE(r.accepted) << r.reason;
    EXPECT_EQ(r.record.reference, "Smith 1990");
    EXPECT_EQ(r.record.comment, "Duplicate  first second");
    EXPECT_EQ(r.record.upaste, 1);
}

TEST(ReactionTextReader, ArrowsTypesAndSpeciesNames) {
    // Read as written: only "=>" is one-way.
    EXPECT_EQ(readFirst("A=>B 1 2 3").record.type, "Irrev ");
    EXPECT_EQ(readFirst("A<=>B 1 2 3").record.type, "");
    EXPECT_EQ(readFirst("A=B 1 2 3").record.type, "");
    const BlockReading rev = readFirst("A+B<=>C 1E13 0 100\n  REV / 2.3456E12 0.5 200 /");
    EXPECT_EQ(rev.record.type, "Rev");
    EXPECT_EQ(std::tuple(rev.record.al, rev.record.nl, rev.record.el),
              std::tuple(2.3456e12, 0.5, 200.0));
    EXPECT_EQ(readFirst("A+B=C 1E13 0 100\nREV").record.al, 0);

    // LOW after TROE: the type does not depend on the order of the lines.
    const BlockReading troe = readFirst("H+O2(+M)=HO2(+M) 4.65E12 0.44 0\n"
                                        "TROE/0.5 1E-30 1E30/\nLOW/6.366E20 -1.72 524.8/\n"
                                        "H2O/14/ O2/0.78/");
    ASSERT_TRUE(troe.accepted) << troe.reason;
    EXPECT_EQ(troe.record.type, "Low Troe");
    EXPECT_EQ(troe.record.falloff[1], 1e-30);
    EXPECT_FALSE(troe.record.falloff[3].has_value());
    EXPECT_EQ(std::pair(troe.record.thirdBodies[1], troe.record.efficiencies[1]),
              std::pair(std::string("O2"), std::optional(0.78)));
    EXPECT_EQ(readFirst("A+B(+M)=AB(+M) 1 2 3\nLOW/1 2 3/\nSRI/1.1 700 1234 56 0.7/").record.type,
              "Low SRI");

    const auto slotsOf = [](const std::string& text, const Options& options = {}) {
        const auto& s = readFirst(text, options).record.species;
        return std::vector<std::string>(s.begin(), s.begin() + 6);
    };
    Options noFlag, lower;
    noFlag.stoichiometric = false;
    lower.letterCase = Options::LetterCase::Lower;
    using V = std::vector<std::string>;
    EXPECT_EQ(slotsOf("2OH=H2O2 1 2 3"), (V{"OH", "OH", "", "H2O2", "", ""}));
    EXPECT_EQ(slotsOf("2OH=H2O2 1 2 3", noFlag), (V{"2OH", "", "", "H2O2", "", ""}));
    EXPECT_EQ(slotsOf("1OH=H2O2 1 2 3"), (V{"1OH", "", "", "H2O2", "", ""}));
    EXPECT_EQ(slotsOf("H3O++OH=2H2O 1 2 3"), (V{"H3O+", "OH", "", "H2O", "H2O", ""}));
    EXPECT_EQ(slotsOf("M+2H=H2+M 1 2 3"), (V{"H", "H", "M", "H2", "M", ""}));
    EXPECT_EQ(slotsOf("H+O2(+ AR )=HO2(+AR) 1 2 3\nLOW/1 2 3/"),
              (V{"H", "O2", "AR$", "HO2", "AR$", ""}));
    EXPECT_EQ(slotsOf("OH+HO2+M=H2O+O2+M 1 2 3\nH2O/12/", lower),
              (V{"oh", "ho2", "M", "h2o", "o2", "M"}));
    EXPECT_EQ(slotsOf("ABCDEFGHIJKLMNOPQ=B 1 2 3")[0], "ABCDEFGHIJKLMNOP");
}

TEST(ReactionTextReader, RefusalsNameTheirReason) {
    for (const auto& [text, reason] : std::vector<std::pair<std::string, std::string>>{
             {"A=>B 1 2 3\nREV/1 2 3/",
              "The reaction is written one-way ('=>') but has a REV line with reverse "
              "parameters; write '<=>' or remove the REV line."},
             {"H+O2(+M)=HO2(+M) 1 2 3",
              "The pressure dependent reaction must contain a line with the LOW keyword."},
             {"A=B 1 2 3\nLOW/1 2 3/",
              "Reaction of this type must not contain line with the LOW keyword."},
             {"A+B=AB 1 2 3\nH2/2/", "Reaction type has not been recognized. The line without "
                                     "keywords is interpreted as a list of third bodies. "},
             {"A+B(+M)=AB(+M) 1 2 3\nLOW/1 2 3/\nLOW/1 2 3/",
              "Duplicate specification of the keyword LOW in current reaction."},
             {"A+B+M=AB+M 1 2 3\nA/1/ B/2/ C/3/ D/4/ E/5/ F/6/\nG/7/ H/8/ I/9/ J/1/ K/2/",
              "In the reaction with M or (+M), there are more then 10 third bodies."},
             {"A+M(+M)=AB+M(+M) 1 2 3\nLOW/1 2 3/",
              "The reaction type has not been recognized. Check 'M' and '(+M)' symbols."},
             {"A+B(+M)=AB 1 2 3\nLOW/1 2 3/", "The reaction type has not been recognized."},
             {"2A+2B=C 1 2 3", "The number of reactants exceeds the maximum allowable value (3)."},
             {"A=4B+3C 1 2 3", "The number of products exceeds the maximum allowable value (6)."},
             {"A(=B 1 2 3", "In the reactant names, expected ')'."},
             {"A=B 1 2 3 4", "Arrhenius coefficients, numbers are required."},
             {"A+B(+M)=AB(+M) 1 2 3\nLOW/1 2/",
              "Arrhenius coefficients for the LOW pressure limit are incomplete. Make sure that "
              "the number of the coefficients is 3."}}) {
        const BlockReading r = readFirst(text);
        EXPECT_FALSE(r.accepted) << text;
        EXPECT_EQ(r.reason, reason);
    }
}

// Every digit the text gives is kept: a rate constant rounded on reading would change every
// simulation that uses it, and every export after that.
TEST(ReactionTextReader, CoefficientsAndUnits) {
    const BlockReading r = readFirst("A+B=C 1.2345E+13 -0.123456 1234.56");
    EXPECT_EQ(std::tuple(r.record.a, r.record.n, r.record.e),
              std::tuple(1.2345e13, -0.123456, 1234.56));
    const BlockReading troe = readFirst("A+B(+M)=AB(+M) 4.577E+19 -1.4 104380.1\n"
                                        "LOW/6.3660E+20 -1.72 524.8/\nTROE/0.7346 94.0 1756 5182/");
    EXPECT_EQ(std::tuple(troe.record.al, troe.record.nl, troe.record.el),
              std::tuple(6.366e20, -1.72, 524.8));
    EXPECT_EQ(std::tuple(troe.record.falloff[0], troe.record.falloff[1], troe.record.falloff[3]),
              std::tuple(0.7346, 94.0, 5182.0));

    // A conversion keeps the 15 digits the product has, without the noise of the last bit.
    Options kelvin, kj, kcal;
    kelvin.eUnits = Options::EUnits::Kelvin;
    kj.eUnits = Options::EUnits::KJPerMol;
    kcal.eUnits = Options::EUnits::KcalPerMol;
    EXPECT_EQ(readFirst("A=B 1 0 1000", kelvin).record.e, 1987.17);
    EXPECT_EQ(readFirst("A=B 1 0 100", kj).record.e, 23900.0253773223); // 1E5 * 1.98717/8.31451
    EXPECT_EQ(readFirst("A=B 1 0 1.2345", kcal).record.e, 1234.5);

    // Per molecule: a bimolecular rate and its fall-off partner alike carry N_A, the low-pressure
    // limit one order more; a reverse rate follows the products.
    Options molecule;
    molecule.aUnits = Options::AUnits::CmSec;
    for (const char* collider : {"(+AR)", "(+M)"}) {
        const BlockReading pd = readFirst(std::string("H+O2") + collider + "=HO2" + collider +
                                              " 1E-11 0 0\nLOW/1E-30 0 0/",
                                          molecule);
        ASSERT_TRUE(pd.accepted) << pd.reason;
        EXPECT_EQ(pd.record.a, 6.0221367e12) << collider;
        EXPECT_EQ(pd.record.al, 3.62661304334869e17) << collider;
    }
    const BlockReading rev = readFirst("A+B=C+D+E 1E-11 0 0\nREV/1E-30 0 0/", molecule);
    EXPECT_EQ(rev.record.a, 6.0221367e12);
    EXPECT_EQ(rev.record.al, 3.62661304334869e17);
    const ReactionBlock block{{{"A=B 1 2 3", 1}}};
    EXPECT_THROW(readReactionBlock(block, molecule, UnitConstants{}), std::invalid_argument)
        << "no silent zero when the constant is missing";
}

// Published files write their reaction lines in styles the blank rules of the equation did not
// expect; the coefficients are the last three numbers of the line.
TEST(ReactionTextReader, ReactionLinesAsPublishedFilesWriteThem) {
    const BlockReading signedLine =
        readFirst("H2+M<=>H+H+M   +4.5770000E+019 -1.4000000E+000 +1.0440000E+005\nH2O/12/");
    ASSERT_TRUE(signedLine.accepted) << signedLine.reason;
    EXPECT_EQ(std::tuple(signedLine.record.a, signedLine.record.n, signedLine.record.e),
              std::tuple(4.577e19, -1.4, 104400.0));
    EXPECT_EQ(signedLine.record.species[3], "H");
    EXPECT_EQ(signedLine.record.species[4], "H");

    const BlockReading blankInside = readFirst("H2O+O<=>2 OH   7.600e+00 3.840 12779.64");
    ASSERT_TRUE(blankInside.accepted) << blankInside.reason;
    EXPECT_EQ(blankInside.record.species[3], "OH");
    EXPECT_EQ(blankInside.record.species[4], "OH");
    EXPECT_EQ(blankInside.record.e, 12779.64);

    const BlockReading plusSign = readFirst("A=B 1E13 +0.5 100");
    ASSERT_TRUE(plusSign.accepted) << plusSign.reason;
    EXPECT_EQ(plusSign.record.n, 0.5);

    // Numbers separated by commas in the auxiliary lines.
    const BlockReading commas = readFirst("CH3+CH3(+M)=C2H6(+M) 2.1E16 -0.97 620\n"
                                          "LOW/ 1.99E41, -7.08, 6685. /\n"
                                          "TROE/ 0.902, 696., 358., 3856. /");
    ASSERT_TRUE(commas.accepted) << commas.reason;
    EXPECT_EQ(commas.record.el, 6685.0);
    EXPECT_EQ(std::tuple(commas.record.falloff[0], commas.record.falloff[3]),
              std::tuple(0.902, 3856.0));

    // A zero Troe temperature is read as written; a missing one stays empty for the check.
    const BlockReading zero =
        readFirst("A+B(+M)=AB(+M) 1 2 3\nLOW/1 2 3/\nTROE/ 0.168 1203.00 0.00 /");
    ASSERT_TRUE(zero.accepted) << zero.reason;
    EXPECT_EQ(zero.record.falloff[2], 0.0);
    const BlockReading missing = readFirst("A+B(+M)=AB(+M) 1 2 3\nLOW/1 2 3/\nTROE/ 0.5 /");
    EXPECT_FALSE(missing.record.falloff[1].has_value());

    for (const auto& [text, reason] : std::vector<std::pair<std::string, std::string>>{
             {"OH+C3H4-P=0.15CO+0.15C2H5+0.85CH3COCH2 1 2 3",
              "The stoichiometric coefficient 0.15 of 0.15CO cannot be stored in the reaction "
              "table; the reaction has been omitted."},
             {"A=.5B+.5C 1 2 3", "The stoichiometric coefficient .5 of .5B cannot be stored in "
                                 "the reaction table; the reaction has been omitted."},
             // A fourth number is a coefficient too many, not part of a name.
             {"A=B 5 1E13 0 100", "Arrhenius coefficients, numbers are required."},
             {"A=B+ 5 1E13 0 100", "Arrhenius coefficients, numbers are required."},
             {"A=2 1E13 0 100", "The species name 2 is a number; the equation cannot be read."},
             {"A=B 1E13 0", "Arrhenius coefficients are incomplete. Make sure that the number "
                            "of the coefficients is 3."},
             {"A=B 1E13 x 100", "Arrhenius coefficients, numbers are required."},
             // Found by fuzzing: a collider in front of every species.
             {"(+R2) = P1+H(+ R2)  2.0E18   -3.0   1200\nLOW/1 2 3/",
              "Reactants in the reaction equation were not specified."}}) {
        const BlockReading r = readFirst(text);
        EXPECT_FALSE(r.accepted) << text;
        EXPECT_EQ(r.reason, reason) << text;
    }
}

} // namespace
} // namespace kinetra::reactions
