#include "reactions/ReactionInputModel.h"

#include "ReactionFixture.h"

#include <gtest/gtest.h>

namespace kinetra::reactions {
namespace {

using testing::ReactionFixture;
using Tab = ReactionInputTab;
using Box = ReactionInputBox;

// The GRI-Mech fall-off reaction H + CH3 (+M), with its only store key.
struct FalloffRow {
    ReactionFixture f;
    ReactionInputModel model;
    FalloffRow() {
        f.read({"H+CH3(+M)<=>CH4(+M) 1.39E+16 -.534 536", "LOW / 2.62E+33 -4.76 2440 /",
                "TROE / .783 74 2941 6964 /", "H2/2/ H2O/6/ AR/.7/"});
        model.load(f.records().front(), f.table->rows().keys.front());
    }
    std::vector<store::Value> row() {
        return f.database.connection().query("SELECT * FROM [Reactions];").rows.front().values();
    }
};

TEST(ReactionInputModel, LoadsAndRefusesInOrder) {
    FalloffRow r;
    ReactionInputModel& m = r.model;
    EXPECT_EQ(std::tuple(m.lowA, m.falloff[0], m.thirdBodies[2]),
              std::tuple("2.62e+33", "0.783", "AR"));
    EXPECT_EQ(m.lowAUnits(), "cm^6/mol^2 s"); // one order above the bimolecular forward rate

    const auto before = r.row();
    auto refused = [&](const char* message, ReactionInputFocus focus) {
        const ReactionInputResult result = m.ok(r.f.database, r.f.species, r.f.fake.dialogs);
        EXPECT_FALSE(result.saved);
        EXPECT_EQ(result.message, message);
        EXPECT_EQ(r.f.fake.dialogs.last().text, message);
        EXPECT_EQ(result.focus, focus) << message;
    };
    m.a = "";
    refused("A-value of forward reaction, please enter a positive number.",
            {Tab::General, Box::ForwardA});
    m.a = "1E16";
    m.lowE = "x";
    refused("Parameters of pressure dependent reaction, please enter numbers.",
            {Tab::PressureEffects, Box::LowE});
    m.lowE = "2440";
    m.efficiencies[1] = "six";
    refused("Third-body efficiency, please enter a number.",
            {Tab::ThirdBodies, Box::ThirdBodyValue, 1});
    m.efficiencies[1] = "6";
    m.species[3] = "CH5";
    refused("The species CH5 isn't declared in the THERMO table.", {Tab::General, Box::Species, 3});
    m.species[3] = "CH4";
    m.reverse = true;
    m.reverseA = "1";
    m.reverseN = m.reverseE = "0";
    refused("A pressure dependent reaction cannot have reverse parameters; clear the Reverse "
            "check box.",
            {Tab::General, Box::Reverse});
    EXPECT_EQ(r.row(), before);
    EXPECT_FALSE(r.f.database.isModified());
}

TEST(ReactionInputModel, WritesTheBoxes) {
    FalloffRow r;
    ReactionInputModel& m = r.model;
    m.irreversible = true;
    m.a = "1.23456E16";
    m.falloff[0] = "0.78333333";
    m.efficiencies[0] = "";
    m.thirdBodies[0] = "";
    m.reference = "Baulch 2005";
    ASSERT_TRUE(m.ok(r.f.database, r.f.species, r.f.fake.dialogs).saved);
    const ReactionRecord written = r.f.records().front();
    EXPECT_EQ(written.type, "Irrev Low Troe");
    EXPECT_EQ(written.reaction, "H + CH3 + M$ => CH4 + M$");
    // The boxes keep every digit typed, as the text reader does.
    EXPECT_EQ(written.a, 1.23456e16);
    EXPECT_EQ(written.falloff[0], 0.78333333);
    EXPECT_EQ(written.thirdBodies[0], "H2O"); // the emptied row closes up
    EXPECT_EQ(written.reference, "Baulch 2005");

    // An ordinary reaction with reverse parameters: the low-pressure fields go.
    ReactionInputModel plain;
    r.f.read({"H+O2<=>O+OH 2.65E+16 -0.671 17041"});
    plain.load(r.f.records()[1], r.f.table->rows().keys[1]);
    plain.reverse = true;
    plain.reverseA = "3E13";
    plain.reverseN = plain.reverseE = "0";
    ASSERT_TRUE(plain.ok(r.f.database, r.f.species, r.f.fake.dialogs).saved);
    EXPECT_EQ(r.f.records()[1].type, "Rev");
    EXPECT_DOUBLE_EQ(*r.f.records()[1].al, 3e13);
    plain.irreversible = true;
    EXPECT_FALSE(plain.ok(r.f.database, r.f.species, r.f.fake.dialogs).saved);
}

TEST(ReactionInputModel, DoubleClickLeadsToTheBox) {
    using M = ReactionInputModel;
    EXPECT_EQ(M::focusOfColumn(rx::kTa + 2, "Low SRI"),
              (ReactionInputFocus{Tab::PressureEffects, Box::Falloff, 2}));
    EXPECT_EQ(M::focusOfColumn(rx::kNL, "Rev"), (ReactionInputFocus{Tab::General, Box::ReverseN}));
    // "IRREV" itself does not name reverse parameters.
    EXPECT_EQ(M::focusOfColumn(rx::kAL, "Irrev "), (ReactionInputFocus{Tab::General, Box::None}));
    EXPECT_EQ(M::focusOfColumn(rx::kS1 + 3, ""),
              (ReactionInputFocus{Tab::ThirdBodies, Box::ThirdBodyValue, 1}));
}

} // namespace
} // namespace kinetra::reactions
