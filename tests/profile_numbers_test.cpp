// The number rules: the strict and the lenient reading, the texts of doubles and singles,
// FormatCoord, and the fields that hold a text or a number.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "profiles/ProfileState.h"
#include "text/FormatCoord.h"
#include "text/NumberRules.h"

namespace kelo {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();  // the strict reading refuses it

// The strict reading (whole decimal numbers, blanks around) and the lenient one (the longest
// leading number, blanks anywhere, &H and &O, never failing, saturating beyond the range).
TEST(ParseNumber, StrictAndLeadingReadings) {
    const struct {
        const char* text;
        double strict, leading;
    } cases[] = {
        {"0", 0, 0},            {"25", 25, 25},           {"-25.5", -25.5, -25.5},   {"+7", 7, 7},
        {"  12.5  ", 12.5, 12.5}, {"\t3\t", 3, 3},        {".5", 0.5, 0.5},          {"5.", 5, 5},
        {"-.25", -0.25, -0.25}, {"1E3", 1000, 1000},      {"1e-3", 0.001, 0.001},    {"-2.5E+2", -250, -250},
        {"007", 7, 7},          {"1E-400", 0, 0},         {"1.7976931348623157E308", DBL_MAX, DBL_MAX},
        {"", kNone, 0},         {" ", kNone, 0},          {"abc", kNone, 0},         {"12.5mm", kNone, 12.5},
        {"1 2", kNone, 12},     {"-", kNone, 0},          {".", kNone, 0},           {"1e", kNone, 1},
        {"1e+", kNone, 1},      {"E5", kNone, 0},         {"+-1", kNone, 0},         {"- 1", kNone, -1},
        {"&H10", kNone, 16},    {"0x10", kNone, 0},       {"1,5", kNone, 1},         {"inf", kNone, 0},
        {"nan", kNone, 0},      {"1E400", kNone, HUGE_VAL}, {"-1E400", kNone, -HUGE_VAL}, {"1.2.3", kNone, 1.2},
        {" - 2 5", kNone, -25}, {"1\t0\n0", kNone, 100},  {".5x", kNone, 0.5},       {"2E-1km", kNone, 0.2},
        {"3..4", kNone, 3},     {"&H1F", kNone, 31},      {"&h10", kNone, 16},       {"&O17", kNone, 15},
        {"&o8", kNone, 0},      {"&HG", kNone, 0},        {"&", kNone, 0},           {"&Hff zz", kNone, 255},
        {"x12", kNone, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        if (std::isnan(c.strict)) {
            EXPECT_THROW(ParseNumber(c.text), NumberError);
        } else {
            EXPECT_EQ(ParseNumber(c.text), c.strict);
        }
        EXPECT_EQ(ParseLeadingNumber(c.text), c.leading);
    }
    // A long run of zeros moves the first digit far from the point: the exponent still decides.
    const std::string tiny = "0." + std::string(200000, '0') + "1e1000000";  // 1E799999
    EXPECT_THROW(ParseNumber(tiny), NumberError);
    EXPECT_EQ(ParseLeadingNumber(tiny), HUGE_VAL);
    const std::string huge = "1" + std::string(200000, '0') + "e-1000000";  // 1E-799999
    EXPECT_EQ(ParseNumber("-" + huge + " "), 0);
}

TEST(NumberText, PlainDecimalWithUpToFifteenDigitsThatReadsBack) {
    const std::pair<double, const char*> cases[] = {
        {25, "25"},        {12.75, "12.75"},          {-0.5, "-0.5"},     {1.0 / 3, "0.333333333333333"}, {0, "0"},
        {-0.0, "0"},       {0.1 + 0.2, "0.3"},        {0.00001, "0.00001"}, {-1.5e-7, "-0.00000015"},
        {123456789012345, "123456789012345"},         {999999999999999.4, "999999999999999"},
        {1e15, "1E15"},    {-2.5e20, "-2.5E20"},      {999999999999999.9, "1E15"},
        // Fifteen digits of the largest doubles round beyond the range; the text must still read back.
        {DBL_MAX, "1.79769313486231E308"}, {-DBL_MAX, "-1.79769313486231E308"}, {1.797693134862315e308, "1.79769313486231E308"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(NumberText(value), text);
        EXPECT_EQ(NumberText(ParseNumber(text)), text);
    }
}

TEST(SingleText, SinglePrecisionTextsSumsAndLimits) {
    const std::pair<float, const char*> cases[] = {{133.55f, "133.55"}, {1.0f / 3, "0.3333333"}, {-25, "-25"},
                                                   {-0.0f, "0"}, {12345678, "12345680"}, {0.00001f, "0.00001"},
                                                   {1e15f, "1E15"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(SingleText(value), text);
    // The relative-Z sum: start Z rounded to single, the double sum rounded to single.
    const char* sums[][3] = {{"1000", "0.0001", "1000"}, {"-25", "17.3205", "-7.6795"}, {"0", "-2", "-2"},
                             {"5", "", "5"},             {"0.1", "0.2", "0.3"},         {"abc", "-25", "-25"}};
    for (const auto& [start, relative, sum] : sums) {
        const float s = ToSingle(ParseLeadingNumber(start));
        EXPECT_EQ(SingleText(ToSingle(static_cast<double>(s) + ParseLeadingNumber(relative))), sum) << start;
    }
    EXPECT_EQ(ToSingle(0.1), 0.1f);
    EXPECT_EQ(ToSingle(static_cast<double>(FLT_MAX)), FLT_MAX);
    EXPECT_EQ(ToSingle(-static_cast<double>(FLT_MAX) * (1 + 1e-9)), -FLT_MAX);  // still rounds to the largest
    for (double beyond : {3.5e38, HUGE_VAL, kNone}) EXPECT_THROW(ToSingle(beyond), NumberError);
}

// FormatCoord rounds its variable in place to 4 decimals, ties to even, and gives its text.
TEST(FormatCoord, RoundsInPlaceToFourDecimalsTiesToEven) {
    const struct {
        double value;
        const char* text;
        double stored;
    } cases[] = {
        {0, "0", 0},                       {0.00004, "0", 0},             {-0.00004, "0", 0},
        {0.00005, "0", 0},                 {12.34567, "12.3457", 12.3457}, {-12.5, "-12.5", -12.5},
        {0.99996, "1", 1},                 {-0.99996, "-1", -1},          {0.12345, "0.1234", 0.1234},
        {0.12355, "0.1236", 0.1236},       {-0.0001, "-0.0001", -0.0001}, {-7.67945, "-7.6794", -7.6794},
        {80.00009, "80.0001", 80.0001},    {-134.99989, "-134.9999", -134.9999}, {1e15, "1E15", 1e15},
        // Below 1E15 the text stays plain, even where 15 digits round up to it.
        {999999999999999.9, "1000000000000000", 999999999999999.8},
        {-999999999999999.9, "-1000000000000000", -999999999999999.8},
    };
    for (const auto& c : cases) {
        double value = c.value;
        EXPECT_EQ(FormatCoord(value), c.text);
        EXPECT_EQ(value, c.stored) << c.text;
    }
    double value = DBL_MAX;  // cannot be scaled: refused, the variable as it was
    EXPECT_THROW(FormatCoord(value), std::overflow_error);
    EXPECT_EQ(value, DBL_MAX);
}

TEST(TextOrNumber, ReadsEitherKindAsTheOther) {
    EXPECT_EQ(TextOrNumber(-8.0).AsText(), "-8");
    EXPECT_EQ(TextOrNumber(" 5.0").AsText(), " 5.0");  // a text stays as typed
    EXPECT_EQ(TextOrNumber(" 5.0").AsNumber(), 5);
    EXPECT_THROW(TextOrNumber("abc").AsNumber(), NumberError);
    ProfileState state;
    state.StartX = "99";
    state.Pi = 3;
    InitProfileState(state);
    EXPECT_TRUE(state.StartX == TextOrNumber(0.0) && state.StartZ == TextOrNumber(0.0) && state.Pi == kProfilePi);
}

}  // namespace
}  // namespace kelo
