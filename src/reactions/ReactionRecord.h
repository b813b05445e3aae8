// One row of the reaction table in typed form, and the fixed positions of its 59 fields. Whole
// records travel by position (reading, rebuild, copy), so the positions live here once.
#pragma once

#include "store/Database.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kinetra::reactions {

namespace rx {
inline constexpr std::size_t kNum = 0, kEnabled = 1, kReaction = 2, kComposition = 3, kR1 = 4,
                             kP1 = 7, kA = 13, kAccm = 14, kN = 15, kE = 16, kEccm = 17, kType = 18,
                             kAL = 19, kALccm = 20, kNL = 21, kEL = 22, kELccm = 23, kTa = 24,
                             kS1 = 29, kE1 = 30, kTmin = 49, kTmax = 50, kTmp = 51, kInfo = 52,
                             kSelT = 53, kDir = 54, kRed = 55, kReference = 56, kComment = 57,
                             kUPaste = 58, kFieldCount = 59;
// Species slot s (0..8: three reactants, then six products) is field kR1 + s.
inline constexpr std::size_t kSlotCount = 9, kReactantSlots = 3, kThirdBodyCount = 10;
} // namespace rx

// The yes/no field `Enabled` keeps the convention of the table: true is -1, false is 0.
inline constexpr std::int64_t kTrue = -1, kFalse = 0;

struct ReactionRecord {
    std::int64_t num = 0;
    bool enabled = false;
    std::string reaction;                            // normalised equation, "O2 + H <=> OH + O"
    std::string composition;                         // "O2 + H1 = H1O1 + O1"
    std::array<std::string, rx::kSlotCount> species; // 0..2 reactants, 3..8 products
    std::optional<double> a, n, e;                   // mol-cm-s, -, cal/mol
    std::string type;                 // "", "Rev", "Low", "Low Troe", "Low SRI", "Irrev " prefix
    std::optional<double> al, nl, el; // LOW or REV line
    std::array<std::optional<double>, 5> falloff; // Ta..Te (Troe a, T***, T*, T**; SRI a..e)
    std::array<std::string, rx::kThirdBodyCount> thirdBodies;
    std::array<std::optional<double>, rx::kThirdBodyCount> efficiencies;
    std::int64_t tmp = 0, info = 0, selT = 0, dir = 0, red = 0, upaste = 0;
    std::string reference, comment;
    // Fields no operation of this program sets (Accm, Eccm, ALccm, ELccm, Tmin, Tmax): kept as
    // they were read, so that copying a record never loses them.
    std::array<store::Value, 6> untouched{};
};

ReactionRecord reactionFromValues(const std::vector<store::Value>& values);
ReactionRecord reactionFromRow(const store::Row& row);
std::vector<store::Value> rowFromReaction(const ReactionRecord& record);

} // namespace kinetra::reactions
