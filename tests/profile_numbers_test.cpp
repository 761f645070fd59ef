#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "text/FormatCoord.h"
#include "text/NumberRules.h"
#include "profiles/ProfileState.h"

namespace kelo {
namespace {

TEST(ParseNumber, AcceptsWholeDecimalNumbers) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"0", 0},          {"25", 25},         {"-25.5", -25.5},   {"+7", 7},        {"  12.5  ", 12.5},
        {"\t3\t", 3},      {".5", 0.5},        {"5.", 5},          {"-.25", -0.25},  {"1E3", 1000},
        {"1e-3", 0.001},   {"-2.5E+2", -250},  {"007", 7},         {"5.0", 5},       {"1E-400", 0},
        {"1.7976931348623157E308", DBL_MAX},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseNumber(c.text), c.expected);
    }
}

TEST(ParseNumber, RejectsAnythingElse) {
    const char* cases[] = {"",    " ",     "abc",  "12.5mm", "1 2",  "-",    ".",   "1e",  "1e+",   "E5",
                           "+-1", "- 1",   "&H10", "0x10",   "1,5",  "inf",  "nan", "1E400", "-1E400", "1.2.3"};
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        EXPECT_THROW(ParseNumber(text), NumberError);
    }
}

// A long run of zeros moves the first digit far from the point: the exponent
// must still decide between overflow and underflow.
TEST(ParseNumber, LongTextsOverflowOrUnderflowByTheirWholeValue) {
    const std::string tiny = "0." + std::string(200000, '0') + "1e1000000";  // 1E799999
    EXPECT_THROW(ParseNumber(tiny), NumberError);
    EXPECT_EQ(ParseLeadingNumber(tiny), HUGE_VAL);
    const std::string huge = "1" + std::string(200000, '0') + "e-1000000";  // 1E-799999
    EXPECT_EQ(ParseNumber(huge), 0);
    EXPECT_EQ(ParseNumber("-" + huge + " "), 0);
}

TEST(ParseLeadingNumber, ReadsTheLongestLeadingNumberAndNeverFails) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"12.5mm", 12.5}, {"1 2", 12},        {"", 0},           {"abc", 0},      {"-", 0},        {"-2", -2},
        {"-25", -25},     {" - 2 5", -25},    {"1\t0\n0", 100},  {"+3", 3},       {".5x", 0.5},    {"1e3", 1000},
        {"1e", 1},        {"1e+", 1},         {"2E-1km", 0.2},   {"3..4", 3},     {"&H1F", 31},    {"&h10", 16},
        {"&O17", 15},     {"&o8", 0},         {"&HG", 0},        {"&", 0},        {"&Hff zz", 255}, {"x12", 0},
        {"17.3205", 17.3205},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseLeadingNumber(c.text), c.expected);
    }
}

TEST(ParseLeadingNumber, SaturatesBeyondTheDoubleRange) {
    EXPECT_EQ(ParseLeadingNumber("1E400"), HUGE_VAL);
    EXPECT_EQ(ParseLeadingNumber("-1E400"), -HUGE_VAL);
    EXPECT_EQ(ParseLeadingNumber("1E-400"), 0);
}

TEST(NumberText, GivesPlainDecimalWithUpToFifteenDigits) {
    const struct {
        double value;
        const char* expected;
    } cases[] = {
        {25, "25"},
        {12.75, "12.75"},
        {0.5, "0.5"},
        {-0.5, "-0.5"},
        {1.0 / 3, "0.333333333333333"},
        {0, "0"},
        {-0.0, "0"},
        {0.15, "0.15"},
        {-12.5, "-12.5"},
        {0.1 + 0.2, "0.3"},
        {0.00001, "0.00001"},
        {-1.5e-7, "-0.00000015"},
        {123456789012345, "123456789012345"},
        {999999999999999.4, "999999999999999"},
        {1e15, "1E15"},
        {-2.5e20, "-2.5E20"},
        {999999999999999.9, "1E15"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(NumberText(c.value), c.expected);
    }
}

// Fifteen digits of the largest doubles round beyond the double range; the text
// must still read back, or a start point carried into the next dialog could not.
TEST(NumberText, LargestDoublesReadBack) {
    for (double value : {DBL_MAX, -DBL_MAX, 1.797693134862315e308}) {
        SCOPED_TRACE(value);
        const std::string text = NumberText(value);
        EXPECT_NO_THROW(ParseNumber(text)) << text;
        EXPECT_EQ(std::fabs(ParseNumber(text)), 1.79769313486231e308);
    }
    EXPECT_EQ(NumberText(1.79769313486231e308), "1.79769313486231E308");
}

TEST(SingleText, GivesPlainDecimalWithUpToSevenDigits) {
    const struct {
        float value;
        const char* expected;
    } cases[] = {
        {133.55f, "133.55"},   {1.0f / 3, "0.3333333"}, {-25, "-25"},        {-0.0f, "0"},
        {12345678, "12345680"}, {0.00001f, "0.00001"},   {1e15f, "1E15"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(SingleText(c.value), c.expected);
    }
}

// The relative-Z sum: start Z rounded to single, the double sum rounded to single.
TEST(SingleText, ShowsSinglePrecisionSums) {
    const struct {
        const char* start;
        const char* relative;
        const char* expected;
    } cases[] = {
        {"1000", "0.0001", "1000"}, {"-25", "17.3205", "-7.6795"}, {"0", "-2", "-2"},
        {"5", "", "5"},             {"0.1", "0.2", "0.3"},         {"abc", "-25", "-25"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " + " + c.relative);
        const float s = ToSingle(ParseLeadingNumber(c.start));
        EXPECT_EQ(SingleText(ToSingle(static_cast<double>(s) + ParseLeadingNumber(c.relative))), c.expected);
    }
}

TEST(ToSingle, RoundsAndRejectsWhatSinglePrecisionCannotHold) {
    EXPECT_EQ(ToSingle(0.1), 0.1f);
    EXPECT_EQ(ToSingle(static_cast<double>(FLT_MAX)), FLT_MAX);
    EXPECT_EQ(ToSingle(-static_cast<double>(FLT_MAX) * (1 + 1e-9)), -FLT_MAX);  // still rounds to the largest
    EXPECT_THROW(ToSingle(3.5e38), NumberError);
    EXPECT_THROW(ToSingle(HUGE_VAL), NumberError);
    EXPECT_THROW(ToSingle(std::numeric_limits<double>::quiet_NaN()), NumberError);
}

TEST(FormatCoord, RoundsInPlaceToFourDecimalsTiesToEven) {
    const struct {
        double value;
        const char* text;
        double stored;
    } cases[] = {
        {0, "0", 0},
        {0.00004, "0", 0},
        {-0.00004, "0", 0},
        {0.00005, "0", 0},
        {12.34567, "12.3457", 12.3457},
        {0.5, "0.5", 0.5},
        {-0.25, "-0.25", -0.25},
        {-12.5, "-12.5", -12.5},
        {100, "100", 100},
        {0.99996, "1", 1},
        {-0.99996, "-1", -1},
        {0.12345, "0.1234", 0.1234},
        {0.12355, "0.1236", 0.1236},
        {0.0001, "0.0001", 0.0001},
        {-0.0001, "-0.0001", -0.0001},
        {-7.67945, "-7.6794", -7.6794},
        {80.00009, "80.0001", 80.0001},
        {-134.99989, "-134.9999", -134.9999},
        {1e15, "1E15", 1e15},
        // Below 1E15 the text stays plain, even where 15 digits round up to it.
        {999999999999999.9, "1000000000000000", 999999999999999.8},
        {-999999999999999.9, "-1000000000000000", -999999999999999.8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        double value = c.value;
        EXPECT_EQ(FormatCoord(value), c.text);
        EXPECT_EQ(value, c.stored);
    }
}

TEST(FormatCoord, RefusesValuesItCannotScale) {
    double value = DBL_MAX;
    EXPECT_THROW(FormatCoord(value), std::overflow_error);
    EXPECT_EQ(value, DBL_MAX);
}

TEST(TextOrNumber, ReadsEitherKindAsTheOther) {
    EXPECT_EQ(TextOrNumber(0.0).AsText(), "0");
    EXPECT_EQ(TextOrNumber(-8.0).AsText(), "-8");
    EXPECT_EQ(TextOrNumber(" 5.0").AsText(), " 5.0");  // a text stays as typed
    EXPECT_EQ(TextOrNumber(" 5.0").AsNumber(), 5);
    EXPECT_THROW(TextOrNumber("abc").AsNumber(), NumberError);

    ProfileState state;
    state.StartX = "99";
    InitProfileState(state);
    EXPECT_EQ(state.StartX, TextOrNumber(0.0));
    EXPECT_EQ(state.StartZ, TextOrNumber(0.0));
    EXPECT_EQ(state.Pi, 3.141592653589);
}

}  // namespace
}  // namespace kelo
