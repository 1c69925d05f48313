#include "objl/obj_loader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

using Pieces = std::vector<std::string>;

namespace {

struct WordsCase {
    std::string line;
    std::string first;
    std::string rest;
};

struct SplitCase {
    std::string text;
    std::string separator;
    Pieces pieces;
};

struct NumberCase {
    std::string text;
    float value;
};

struct NumberErrorCase {
    std::string text;
    bool outOfRange;
    std::string message;
};

// Runs one conversion that must fail and checks the kind and message of its
// error.
template <typename Convert>
void expectConversionError(Convert convert, const NumberErrorCase& c)
{
    try {
        convert(c.text);
        ADD_FAILURE() << "no error for " << c.text;
    } catch (const std::out_of_range& e) {
        EXPECT_TRUE(c.outOfRange) << c.text;
        EXPECT_EQ(std::string(e.what()), c.message);
    } catch (const std::invalid_argument& e) {
        EXPECT_FALSE(c.outOfRange) << c.text;
        EXPECT_EQ(std::string(e.what()), c.message);
    }
}

}  // namespace

TEST(TextHelpers, FirstTokenAndTail)
{
    const WordsCase cases[] = {
        {"\tKa 1 2 3", "Ka", "1 2 3"},
        {"newmtl\r", "newmtl\r", ""},
        {"newmtl abc\r", "newmtl", "abc\r"},
        {"v  -1.0000 1.0000 0.0000 ", "v", "-1.0000 1.0000 0.0000"},
        {"usemtl a \t b\t", "usemtl", "a \t b"},
        {"", "", ""},
        {" \t ", "", ""},
        {"word", "word", ""},
        {"  word  ", "word", ""},
    };
    for (const WordsCase& c : cases) {
        EXPECT_EQ(objl::firstToken(c.line), c.first) << c.line;
        EXPECT_EQ(objl::tail(c.line), c.rest) << c.line;
    }
}

TEST(TextHelpers, SplitKeepsEmptyPiecesOfRuns)
{
    const SplitCase cases[] = {
        {"1/2/3", "/", {"1", "2", "3"}},
        {"1//3", "/", {"1", "", "3"}},
        {"7", "/", {"7"}},
        {"a/", "/", {"a"}},
        {"/a", "/", {"", "a"}},
        {"a  b", " ", {"a", "", "b"}},
        {"a   b", " ", {"a", "", "", "b"}},
        {"", " ", {}},
        {"/", "/", {""}},
        {"ab::cd", "::", {"ab", "cd"}},
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(objl::split(c.text, c.separator), c.pieces) << '"' << c.text << '"';
}

TEST(TextHelpers, TrimLineEndRemovesOnlyTrailingLineBreaks)
{
    EXPECT_EQ(objl::trimLineEnd("wire\r"), "wire");
    EXPECT_EQ(objl::trimLineEnd("wire\r\n\r\n"), "wire");
    EXPECT_EQ(objl::trimLineEnd("a\rb"), "a\rb");
    EXPECT_EQ(objl::trimLineEnd("\r\n"), "\r\n");
    EXPECT_EQ(objl::trimLineEnd(""), "");
}

TEST(NumberConversions, FloatReadsTheLeadingDecimalNumber)
{
    const float inf = std::numeric_limits<float>::infinity();
    const NumberCase cases[] = {
        {"32\r", 32.0f},
        {"0.3412\r", 0.3412f},
        {"  \t\r\n\v\f-1.5", -1.5f},
        {"+.5x", 0.5f},
        {"5.", 5.0f},
        {"1e3", 1000.0f},
        {"2E-1", 0.2f},
        {"1e", 1.0f},          // an exponent without digits is not part of it
        {"1e+", 1.0f},
        {"0x10", 0.0f},        // decimal only: reads the 0
        {"1e40", inf},         // within double range, beyond float
        {"-1e40", -inf},
        {"3.4028235e38", std::numeric_limits<float>::max()},
        {"0e-99999", 0.0f},
    };
    for (const NumberCase& c : cases)
        EXPECT_EQ(objl::toFloat(c.text), c.value) << c.text;
    EXPECT_TRUE(std::signbit(objl::toFloat("-0.0000")));
}

TEST(NumberConversions, IntReadsTheLeadingDecimalNumber)
{
    EXPECT_EQ(objl::toInt("2abc"), 2);
    EXPECT_EQ(objl::toInt(" \r\n-17/4"), -17);
    EXPECT_EQ(objl::toInt("+3"), 3);
    EXPECT_EQ(objl::toInt("2147483647"), 2147483647);
    EXPECT_EQ(objl::toInt("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(objl::toInt("007"), 7);
}

TEST(NumberConversions, MalformedOrOutOfRangeNumbersThrow)
{
    const NumberErrorCase floatCases[] = {
        {"x1", false, "invalid stof argument"},
        {"", false, "invalid stof argument"},
        {".", false, "invalid stof argument"},
        {"-", false, "invalid stof argument"},
        {"nan", false, "invalid stof argument"},
        {"inf", false, "invalid stof argument"},
        {"1e999", true, "stof argument out of range"},
        {"-1e999", true, "stof argument out of range"},
        {"1e-999", true, "stof argument out of range"},
    };
    for (const NumberErrorCase& c : floatCases)
        expectConversionError(objl::toFloat, c);

    const NumberErrorCase intCases[] = {
        {"x", false, "invalid stoi argument"},
        {"", false, "invalid stoi argument"},
        {"-", false, "invalid stoi argument"},
        {" - 1", false, "invalid stoi argument"},
        {"2147483648", true, "stoi argument out of range"},
        {"-2147483649", true, "stoi argument out of range"},
        {"99999999999999999999999", true, "stoi argument out of range"},
    };
    for (const NumberErrorCase& c : intCases)
        expectConversionError(objl::toInt, c);
}
