#include "common/QuotedItems.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kinetra {
namespace {

std::vector<std::string> texts(std::string_view file) {
    std::vector<std::string> out;
    for (const QuotedItem& item : splitQuotedItems(file))
        out.push_back(item.quoted ? '"' + item.text + '"' : item.text);
    return out;
}

TEST(QuotedItems, Splitting) {
    using Items = std::vector<std::string>;
    struct Case {
        const char* file;
        Items items; // quoted items shown in quotes
    };
    for (const Case& c : std::initializer_list<Case>{
             {"1,2,\"a, b\"\r\n3", {"1", "2", "\"a, b\"", "3"}},
             {"", {}},
             {"\r\n  \r\n\t\n", {}},
             {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
             {"  x y \t, z ", {"x y", "z"}},
             {"1,,2", {"1", "", "2"}},
             {"1,\r\n2", {"1", "", "2"}},
             {"\"q\" ignored ,next", {"\"q\"", "next"}},
             {"\"two\r\nlines\"\r\n5", {"\"two\r\nlines\"", "5"}},
             {"\"\"", {"\"\""}},
             {"\"open, to the end\r\nx", {"\"open, to the end\r\nx\""}},
         })
        EXPECT_EQ(texts(c.file), c.items) << c.file;
}

TEST(QuotedItems, ReaderTypesAndStayingOnAFailedItem) {
    QuotedItemReader reader("12,\"34\",-7,+8,2.5E-3, , x,99999999999999999999\r\n\"end\"");
    EXPECT_EQ(reader.readInteger(), 12);
    EXPECT_FALSE(reader.readInteger()); // quoted
    EXPECT_FALSE(reader.readReal());
    EXPECT_EQ(reader.readString(), "34");
    EXPECT_EQ(reader.readInteger(), -7);
    EXPECT_EQ(reader.readInteger(), 8);
    EXPECT_FALSE(reader.readInteger()); // a real is not an integer
    EXPECT_EQ(reader.readReal(), 2.5e-3);
    EXPECT_FALSE(reader.readReal()); // empty
    EXPECT_EQ(reader.readString(), "");
    EXPECT_FALSE(reader.readReal());
    EXPECT_EQ(reader.readString(), "x");
    EXPECT_FALSE(reader.readInteger()); // too large for 64 bits
    EXPECT_EQ(reader.readReal(), 1e20);
    EXPECT_FALSE(reader.atEnd());
    reader.skip();
    EXPECT_TRUE(reader.atEnd());
    EXPECT_FALSE(reader.readString());
    reader.skip();
    EXPECT_TRUE(reader.atEnd());
}

TEST(QuotedItems, RealItems) {
    struct Case {
        double value;
        const char* text;
    };
    for (const Case& c : std::initializer_list<Case>{
             {6.02214076e23, "6.02214076E+23"},
             {1.380649e-23, "1.380649E-23"},
             {8.314462618, "8.314462618"},
             {101.325, "101.325"},
             {1e-10, "1E-10"},
             {0.0001, "0.0001"},
             {1234567890123.0, "1234567890123"},
             {-0.5, "-0.5"},
             {0, "0"},
         })
        EXPECT_EQ(formatRealItem(c.value), c.text);
}

TEST(QuotedItems, WrittenValuesReadBackExactly) {
    std::vector<QuotedValue> values{
        std::int64_t{42},
        std::int64_t{-9223372036854775807 - 1},
        8.314462618,
        1.987204259,
        6.02214076e23,
        1.380649e-23,
        101.325,
        0.123456789012345,
        -987654321.012345,
        1e-300,
        std::string("plain"),
        std::string("with, comma"),
        std::string("  blanks  "),
        std::string("two\r\nlines"),
        std::string(""),
    };
    std::string file = writeQuotedItems(values);
    EXPECT_EQ(file.substr(0, 4), "42\r\n");
    EXPECT_EQ(file.substr(file.size() - 4), "\"\"\r\n");
    QuotedItemReader reader(file);
    for (const QuotedValue& value : values) {
        if (const auto* integer = std::get_if<std::int64_t>(&value))
            EXPECT_EQ(reader.readInteger(), *integer);
        else if (const auto* real = std::get_if<double>(&value))
            EXPECT_EQ(reader.readReal(), *real);
        else
            EXPECT_EQ(reader.readString(), std::get<std::string>(value));
    }
    EXPECT_TRUE(reader.atEnd());
}

TEST(QuotedItems, EmbeddedDoubleQuoteBecomesSingleQuote) {
    EXPECT_EQ(formatQuotedValue(std::string("say \"hi\"")), "\"say 'hi'\"");
    QuotedItemReader reader(writeQuotedItems({std::string("a\"b"), std::int64_t{1}}));
    EXPECT_EQ(reader.readString(), "a'b");
    EXPECT_EQ(reader.readInteger(), 1);
}

} // namespace
} // namespace kinetra
