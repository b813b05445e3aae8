#include "thermo/ElementEditor.h"

#include "common/NumberFormat.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "store/Database.h"

#include <algorithm>
#include <cctype>

namespace kinetra::thermo {

namespace {

constexpr PeriodicElement kPeriodicTable[] = {
    {1, "H", 1.00794f},     {2, "He", 4.0026f},     {3, "Li", 6.941f},      {4, "Be", 9.012f},
    {5, "B", 10.811f},      {6, "C", 12.0107f},     {7, "N", 14.00674f},    {8, "O", 15.9994f},
    {9, "F", 18.998f},      {10, "Ne", 20.1797f},   {11, "Na", 22.98977f},  {12, "Mg", 24.305f},
    {13, "AL", 26.9815f},   {14, "Si", 28.0855f},   {15, "P", 30.974f},     {16, "S", 32.066f},
    {17, "Cl", 35.4527f},   {18, "Ar", 39.948f},    {19, "K", 39.0983f},    {20, "Ca", 40.078f},
    {21, "Sc", 44.95591f},  {22, "Ti", 47.8672f},   {23, "V", 50.94152f},   {24, "Cr", 51.99612f},
    {25, "Mn", 54.93805f},  {26, "Fe", 55.84572f},  {27, "Co", 58.9332f},   {28, "Ni", 58.69342f},
    {29, "Cu", 63.5462f},   {30, "Zn", 65.392f},    {31, "Ga", 69.7232f},   {32, "Ge", 72.612f},
    {33, "As", 74.9216f},   {34, "Se", 78.962f},    {35, "Br", 79.9042f},   {36, "Kr", 83.802f},
    {37, "Rb", 85.46782f},  {38, "Sr", 87.622f},    {39, "Y", 88.90585f},   {40, "Zr", 91.2242f},
    {41, "Nb", 92.90638f},  {42, "Mo", 95.942f},    {43, "Tc", 98.0f},      {44, "Ru", 101.072f},
    {45, "Rh", 102.9055f},  {46, "Pd", 106.422f},   {47, "Ag", 107.86822f}, {48, "Cd", 112.4112f},
    {49, "In", 114.8182f},  {50, "Sn", 118.7102f},  {51, "Sb", 121.7602f},  {52, "Te", 127.602f},
    {53, "I", 126.90447f},  {54, "Xe", 131.292f},   {55, "Cs", 132.90546f}, {56, "Ba", 137.3272f},
    {57, "La", 138.90552f}, {58, "Ce", 140.1162f},  {59, "Pr", 140.90765f}, {60, "Nd", 144.242f},
    {61, "Pm", 145.0f},     {62, "Sm", 150.362f},   {63, "Eu", 151.9642f},  {64, "Gd", 157.252f},
    {65, "Tb", 158.92534f}, {66, "Dy", 162.502f},   {67, "Ho", 164.93033f}, {68, "Er", 167.262f},
    {69, "Tm", 168.93422f}, {70, "Yb", 173.042f},   {71, "Lu", 174.9672f},  {72, "Hf", 178.492f},
    {73, "Ta", 180.94792f}, {74, "W", 183.842f},    {75, "Re", 186.2072f},  {76, "Os", 190.232f},
    {77, "Ir", 192.2172f},  {78, "Pt", 195.0782f},  {79, "Au", 196.96655f}, {80, "Hg", 200.592f},
    {81, "Tl", 204.38332f}, {82, "Pb", 207.22f},    {83, "Bi", 208.98038f}, {84, "Po", 209.0f},
    {85, "At", 210.0f},     {86, "Rn", 222.0f},     {87, "Fr", 223.0f},     {88, "Ra", 226.0f},
    {89, "Ac", 227.0f},     {90, "Th", 232.03812f}, {91, "Pa", 231.03589f}, {92, "U", 238.02892f},
    {93, "Np", 237.0f},     {94, "Pu", 244.0f},     {95, "Am", 243.0f},     {96, "Cm", 247.0f},
    {97, "Bk", 247.0f},     {98, "Cf", 251.0f},     {99, "Es", 252.0f},     {100, "Fm", 257.0f},
    {101, "Md", 258.0f},    {102, "No", 259.0f},    {103, "Lr", 262.0f},    {104, "Rf", 261.0f},
    {105, "Db", 262.0f},    {106, "Sg", 263.0f},    {107, "Bh", 262.0f},    {108, "Hs", 265.0f},
    {109, "Mt", 266.0f},
};
static_assert(std::size(kPeriodicTable) == 109);

const std::string kTitle(kElementEditorTitle);

bool hasDigit(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

ElementValidation refuse(int row, int column, std::string message) {
    return {false, row, column, std::move(message)};
}

// The weight a row stands for: a positive number, or 0 for anything else.
double weightOf(const ElementRow& row) {
    const std::optional<double> w = parseNumber(row.weight);
    return w && *w > 0 ? *w : 0;
}

} // namespace

std::span<const PeriodicElement> periodicTable() {
    return kPeriodicTable;
}

const PeriodicElement* findElement(std::string_view symbol) {
    const std::string wanted = trimBlanks(symbol);
    if (wanted.empty())
        return nullptr;
    for (const PeriodicElement& e : kPeriodicTable)
        if (equalsIgnoreCase(e.symbol, wanted))
            return &e;
    return nullptr;
}

std::string proposedWeight(std::string_view symbol) {
    const PeriodicElement* e = findElement(symbol);
    if (!e)
        return "0";
    // Five decimals hide the single-precision tail (26.9815f is 26.98150062561...).
    return formatNumber(static_cast<double>(e->weight), kElementWeightFormat);
}

ElementRows emptyElementRows() {
    ElementRows rows;
    for (int i = 0; i < kElementRowCount; ++i)
        rows[static_cast<std::size_t>(i)].num = i + 1;
    return rows;
}

ElementRows loadElementRows(store::Connection& connection) {
    ElementRows rows = emptyElementRows();
    std::array<bool, kElementRowCount> filled{};
    const store::RowSet set = connection.query("SELECT * FROM [Elements] Order By Num");
    for (const store::Row& r : set.rows) {
        const std::optional<std::int64_t> num = store::toInteger(r.field("Num"));
        if (!num || *num < 1 || *num > kElementRowCount)
            continue;
        const auto index = static_cast<std::size_t>(*num - 1);
        if (filled[index])
            continue;
        filled[index] = true;
        rows[index].symbol = store::toText(r.field("Element"));
        const std::optional<double> aw = store::toDouble(r.field("AW"));
        rows[index].weight = aw ? formatNumber(*aw, kElementWeightFormat) : std::string();
    }
    return rows;
}

ElementValidation validateElementRows(const ElementRows& rows) {
    for (int i = 0; i < kElementRowCount; ++i) {
        const std::string symbol = trimBlanks(rows[static_cast<std::size_t>(i)].symbol);
        if (symbol.empty())
            continue;
        if (symbol.size() > 2)
            return refuse(i, kColumnSymbol,
                          "The name '" + symbol +
                              "' is too long. An element name may consist of 2 letters.");
        if (hasDigit(symbol))
            return refuse(i, kColumnSymbol,
                          "The name '" + symbol +
                              "' contains a number. An element name may consist of 2 letters.");
        const std::optional<double> weight = parseNumber(rows[static_cast<std::size_t>(i)].weight);
        if (!weight || *weight <= 0)
            return refuse(i, kColumnWeight,
                          "Enter a positive number for atomic weight of the element '" + symbol +
                              "'.");
        for (int j = i + 1; j < kElementRowCount; ++j)
            if (trimBlanks(rows[static_cast<std::size_t>(j)].symbol) == symbol)
                return refuse(i, kColumnSymbol,
                              "The element name '" + symbol +
                                  "' has a duplicate. Change the name.");
    }
    return {};
}

std::vector<std::string> removedSymbols(const ElementRows& before, const ElementRows& rows) {
    std::vector<std::string> removed;
    for (const ElementRow& old : before) {
        const std::string symbol = trimBlanks(old.symbol);
        if (symbol.empty() || std::find(removed.begin(), removed.end(), symbol) != removed.end())
            continue;
        const bool kept = std::any_of(rows.begin(), rows.end(), [&](const ElementRow& r) {
            return trimBlanks(r.symbol) == symbol;
        });
        if (!kept)
            removed.push_back(symbol);
    }
    return removed;
}

std::string removalQuestion(const std::vector<std::string>& removed) {
    if (removed.empty())
        return {};
    if (removed.size() == 1)
        return "Are you sure you want to remove the element '" + removed.front() +
               "' and all species from the THERMO table, which contain this element?";
    std::string list;
    for (const std::string& s : removed)
        list += (list.empty() ? "" : ", ") + s;
    return "Are you sure you want to remove the elements '" + list +
           "' and all species from the THERMO table, which contain these elements?";
}

ElementValidation confirmElementRows(Dialogs& dialogs, const ElementRows& before,
                                     const ElementRows& rows) {
    ElementValidation result = validateElementRows(rows);
    if (!result.ok) {
        dialogs.message(result.message, kTitle, Icon::Exclamation);
        return result;
    }
    const std::string question = removalQuestion(removedSymbols(before, rows));
    // No is the default: the answer decides whether species are deleted.
    if (!question.empty() &&
        dialogs.ask(question, kTitle, Buttons::YesNo, Answer::No, Icon::Question) != Answer::Yes)
        result.ok = false;
    return result;
}

void writeElementRows(store::Connection& connection, const ElementRows& rows) {
    std::vector<std::vector<store::Value>> values;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::string symbol = trimBlanks(rows[i].symbol);
        const double weight = symbol.empty() ? 0.0 : weightOf(rows[i]);
        values.push_back({store::Value{static_cast<std::int64_t>(i + 1)},
                          store::Value{std::move(symbol)}, store::Value{weight}});
    }
    store::Transaction transaction(connection);
    // Replacing the slot rows whole also clears a second row a damaged table may hold for a slot.
    connection.execute("DELETE * FROM [Elements] WHERE Num >= 1 AND Num <= 10;");
    connection.insertRows("Elements", values);
    transaction.commit();
}

ElementTable toElementTable(const ElementRows& rows) {
    ElementTable table;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string symbol = trimBlanks(rows[i].symbol);
        const double weight = weightOf(rows[i]);
        // A slot needs both; half a slot is kept free so it never shows up in a formula.
        if (symbol.empty() || weight <= 0)
            continue;
        table.symbols[i + 1] = symbol;
        table.weights[i + 1] = weight;
    }
    return table;
}

} // namespace kinetra::thermo
