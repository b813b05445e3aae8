#include "shell/OptionsFile.h"

#include "common/QuotedItems.h"

#include <optional>
#include <vector>

namespace kinetra {

namespace {

// A colour item must fit the 24 bits of red, green and blue.
std::optional<Colour> readColour(QuotedItemReader& in) {
    auto v = in.readInteger();
    if (!v || *v < 0 || *v > 0xFFFFFF)
        return std::nullopt;
    return static_cast<Colour>(*v);
}

} // namespace

OptionsReadResult readOptionsText(std::string_view text) {
    OptionsReadResult r;
    OptionsFile& o = r.values;
    QuotedItemReader in(text);
    auto step = [&r](bool ok) {
        if (ok)
            ++r.itemsRead;
        return ok;
    };
    auto integer = [&in](std::int64_t& target) {
        auto v = in.readInteger();
        if (v)
            target = *v;
        return v.has_value();
    };
    auto colour = [&in](Colour& target) {
        auto v = readColour(in);
        if (v)
            target = *v;
        return v.has_value();
    };
    auto string = [&in](std::string& target) {
        auto v = in.readString();
        if (v)
            target = *v;
        return v.has_value();
    };
    auto real = [&in](double& target) {
        auto v = in.readReal();
        if (v)
            target = *v;
        return v.has_value();
    };

    if (!step(integer(o.reserved1)) || !step(integer(o.reserved2)) || !step(colour(o.highlight)) ||
        !step(colour(o.selection)) || !step(integer(o.openThermoAtStart)) ||
        !step(string(o.reserved6)))
        return r;
    for (auto& s : o.reserved7to10)
        if (!step(string(s)))
            return r;
    if (!step(integer(o.reserved11)))
        return r;
    // A physical constant must be positive, as the options window demands: a negative gas
    // constant would turn every energy conversion around without a word.
    for (auto& c : o.constants)
        if (!step(real(c) && c > 0))
            return r;
    if (!step(colour(o.background)))
        return r;
    r.ok = true;
    return r;
}

std::string writeOptionsText(const OptionsFile& o) {
    std::vector<QuotedValue> items;
    items.emplace_back(o.reserved1);
    items.emplace_back(o.reserved2);
    items.emplace_back(std::int64_t{o.highlight});
    items.emplace_back(std::int64_t{o.selection});
    items.emplace_back(o.openThermoAtStart);
    items.emplace_back(o.reserved6);
    for (const auto& s : o.reserved7to10)
        items.emplace_back(s);
    items.emplace_back(o.reserved11);
    for (double c : o.constants)
        items.emplace_back(c);
    items.emplace_back(std::int64_t{o.background});
    return writeQuotedItems(items);
}

} // namespace kinetra
