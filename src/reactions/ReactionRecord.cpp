#include "reactions/ReactionRecord.h"

namespace kinetra::reactions {

namespace {

using store::Value;

// The untouched fields, in the order of ReactionRecord::untouched.
constexpr std::array<std::size_t, 6> kUntouched{rx::kAccm,  rx::kEccm, rx::kALccm,
                                                rx::kELccm, rx::kTmin, rx::kTmax};

Value number(const std::optional<double>& v) {
    return v ? Value(*v) : Value();
}

Value text(const std::string& s) {
    return s.empty() ? Value() : Value(s);
}

} // namespace

ReactionRecord reactionFromValues(const std::vector<Value>& v) {
    // Opening a database checks its fields; a row set of another shape is a fault of the caller.
    if (v.size() < rx::kFieldCount)
        throw store::StoreError("A reaction row has " + std::to_string(v.size()) +
                                " fields instead of " + std::to_string(rx::kFieldCount));
    ReactionRecord r;
    r.num = store::toInteger(v.at(rx::kNum)).value_or(0);
    r.enabled = store::toInteger(v[rx::kEnabled]).value_or(0) != 0;
    r.reaction = store::toText(v[rx::kReaction]);
    r.composition = store::toText(v[rx::kComposition]);
    for (std::size_t s = 0; s < rx::kSlotCount; ++s)
        r.species[s] = store::toText(v[rx::kR1 + s]);
    r.a = store::toDouble(v[rx::kA]);
    r.n = store::toDouble(v[rx::kN]);
    r.e = store::toDouble(v[rx::kE]);
    r.type = store::toText(v[rx::kType]);
    r.al = store::toDouble(v[rx::kAL]);
    r.nl = store::toDouble(v[rx::kNL]);
    r.el = store::toDouble(v[rx::kEL]);
    for (std::size_t i = 0; i < r.falloff.size(); ++i)
        r.falloff[i] = store::toDouble(v[rx::kTa + i]);
    for (std::size_t i = 0; i < rx::kThirdBodyCount; ++i) {
        r.thirdBodies[i] = store::toText(v[rx::kS1 + 2 * i]);
        r.efficiencies[i] = store::toDouble(v[rx::kE1 + 2 * i]);
    }
    r.tmp = store::toInteger(v[rx::kTmp]).value_or(0);
    r.info = store::toInteger(v[rx::kInfo]).value_or(0);
    r.selT = store::toInteger(v[rx::kSelT]).value_or(0);
    r.dir = store::toInteger(v[rx::kDir]).value_or(0);
    r.red = store::toInteger(v[rx::kRed]).value_or(0);
    r.reference = store::toText(v[rx::kReference]);
    r.comment = store::toText(v[rx::kComment]);
    r.upaste = store::toInteger(v[rx::kUPaste]).value_or(0);
    for (std::size_t i = 0; i < kUntouched.size(); ++i)
        r.untouched[i] = v[kUntouched[i]];
    return r;
}

ReactionRecord reactionFromRow(const store::Row& row) {
    return reactionFromValues(row.values());
}

std::vector<Value> rowFromReaction(const ReactionRecord& r) {
    std::vector<Value> v(rx::kFieldCount);
    v[rx::kNum] = r.num;
    v[rx::kEnabled] = r.enabled ? kTrue : kFalse;
    v[rx::kReaction] = text(r.reaction);
    v[rx::kComposition] = text(r.composition);
    for (std::size_t s = 0; s < rx::kSlotCount; ++s)
        v[rx::kR1 + s] = text(r.species[s]);
    v[rx::kA] = number(r.a);
    v[rx::kN] = number(r.n);
    v[rx::kE] = number(r.e);
    v[rx::kType] = text(r.type);
    v[rx::kAL] = number(r.al);
    v[rx::kNL] = number(r.nl);
    v[rx::kEL] = number(r.el);
    for (std::size_t i = 0; i < r.falloff.size(); ++i)
        v[rx::kTa + i] = number(r.falloff[i]);
    for (std::size_t i = 0; i < rx::kThirdBodyCount; ++i) {
        v[rx::kS1 + 2 * i] = text(r.thirdBodies[i]);
        v[rx::kE1 + 2 * i] = number(r.efficiencies[i]);
    }
    v[rx::kTmp] = r.tmp;
    v[rx::kInfo] = r.info;
    v[rx::kSelT] = r.selT;
    v[rx::kDir] = r.dir;
    v[rx::kRed] = r.red;
    v[rx::kReference] = text(r.reference);
    v[rx::kComment] = text(r.comment);
    v[rx::kUPaste] = r.upaste;
    for (std::size_t i = 0; i < kUntouched.size(); ++i)
        v[kUntouched[i]] = r.untouched[i];
    return v;
}

} // namespace kinetra::reactions
