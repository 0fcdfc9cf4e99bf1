// SPDX-License-Identifier: MIT
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace lumora {
namespace {

struct SingleRow {
    const char* name;
    float value;
    const char* text;
};

void PrintTo(const SingleRow& row, std::ostream* os) { *os << row.name; }

class SingleTexts : public testing::TestWithParam<SingleRow> {};

TEST_P(SingleTexts, WriteSevenSignificantDigitsAndReadBack)
{
    const SingleRow& row = GetParam();
    const std::string text = SingleText(row.value);
    EXPECT_EQ(text, row.text);
    EXPECT_TRUE(IsNumberText(text));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SingleTexts,
    testing::Values(SingleRow{"TwoDecimals", 2.66f, "2.66"}, SingleRow{"OneDecimal", 22.6f, "22.6"},
                    SingleRow{"Whole", 40.0f, "40"}, SingleRow{"Zero", 0.0f, "0"},
                    SingleRow{"NegativeZero", -0.0f, "0"}, SingleRow{"Half", 0.5f, "0.5"},
                    SingleRow{"Cent", 0.01f, "0.01"}, SingleRow{"SevenDigits", 99999.99f, "99999.99"},
                    SingleRow{"EighthDigitRounded", 123456.78f, "123456.8"}, SingleRow{"Negative", -2.66f, "-2.66"},
                    SingleRow{"TenMillion", 1e7f, "10000000"}, SingleRow{"LargePlain", 12345678.0f, "12345680"},
                    SingleRow{"JustBelowAPowerOfTen", 1e28f, "9999999000000000000000000000"},
                    SingleRow{"LargestSingle", 3.4028235e38f, "340282300000000000000000000000000000000"}),
    [](const auto& info) { return std::string(info.param.name); });

struct DoubleRow {
    const char* name;
    double value;
    const char* text;
};

void PrintTo(const DoubleRow& row, std::ostream* os) { *os << row.name; }

class DoubleTexts : public testing::TestWithParam<DoubleRow> {};

TEST_P(DoubleTexts, WriteFifteenSignificantDigitsAndReadBack)
{
    const DoubleRow& row = GetParam();
    const std::string text = DoubleText(row.value);
    EXPECT_EQ(text, row.text);
    EXPECT_TRUE(IsNumberText(text));
}

INSTANTIATE_TEST_SUITE_P(Rows, DoubleTexts,
                         testing::Values(DoubleRow{"Hundred", 100.0, "100"}, DoubleRow{"Half", 0.5, "0.5"},
                                         DoubleRow{"Quarter", 3.25, "3.25"}, DoubleRow{"Small", 0.04, "0.04"},
                                         DoubleRow{"Negative", -25.0, "-25"}, DoubleRow{"NegativeZero", -0.0, "0"},
                                         DoubleRow{"SumOfTenths", 0.1 + 0.2, "0.3"},
                                         DoubleRow{"FifteenDigits", 123456789012.345, "123456789012.345"},
                                         DoubleRow{"SixteenthDigitRounded", 1234567890123.456, "1234567890123.46"},
                                         DoubleRow{"BeyondFifteenDigitsPlain", 1e15, "1000000000000000"},
                                         DoubleRow{"HugePlain", 1.5e20, "150000000000000000000"},
                                         DoubleRow{"TinyNegative", -1e-5, "-0.00001"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RoundRow {
    const char* name;
    double value;
    double rounded;
};

void PrintTo(const RoundRow& row, std::ostream* os) { *os << row.name; }

class HalfEven : public testing::TestWithParam<RoundRow> {};

TEST_P(HalfEven, RoundsTiesToTheEvenNeighbour) { EXPECT_EQ(RoundHalfEven(GetParam().value), GetParam().rounded); }

INSTANTIATE_TEST_SUITE_P(Rows, HalfEven,
                         testing::Values(RoundRow{"HalfDown", 12.5, 12.0}, RoundRow{"HalfUp", 37.5, 38.0},
                                         RoundRow{"JustAboveHalf", 12.500000000000002, 13.0},
                                         RoundRow{"NegativeHalf", -2.5, -2.0}, RoundRow{"ZeroPointFive", 0.5, 0.0},
                                         RoundRow{"OnePointFive", 1.5, 2.0}, RoundRow{"Below", 2.4999, 2.0},
                                         RoundRow{"LargeWhole", 9007199254740993.0, 9007199254740992.0}),
                         [](const auto& info) { return std::string(info.param.name); });

// The quick writer of rounded values gives DoubleText's own text of the
// rounded quotient, byte for byte: at every count of decimals up to 6, for
// values from a millionth to a billion of either sign, ties, whole numbers,
// zero and negative zero, and beyond 10^15 steps (the slow path).
TEST(NumberText, RoundedTextIsDoubleTextOfTheQuotient)
{
    std::vector<double> values = {0.0,  -0.0, 0.125, 2.5,     -2.5,   0.05,      1e-7,    123456.789,
                                  1e15, 3e17, -1e20, 999.995, 0.0049, 1048576.5, -0.0004, 7.0};
    std::uint64_t state = 12345;
    for (int i = 0; i < 4000; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const double unit = static_cast<double>(state >> 11) / 9007199254740992.0; // [0, 1)
        const double magnitude = std::pow(10.0, -6.0 + 15.0 * unit);
        values.push_back((state & 1) ? -magnitude : magnitude);
    }
    for (const double value : values)
        for (int decimals = 0; decimals <= 6; ++decimals) {
            const double scale = std::pow(10.0, decimals);
            ASSERT_EQ(RoundedText(value, decimals), DoubleText(RoundHalfEven(value * scale) / scale))
                << value << " to " << decimals;
        }
}

// Where the C++ library has floating-point to_chars, it is the reference for
// both writers: the rounded digits at every precision, and the shortest text
// exactly (the JSON numbers of lumora-cli).
TEST(NumberText, AgreesWithTheStandardLibrary)
{
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
    const double values[] = {
        1048576.5,               // a tie at seven digits: even neighbour
        16777215.0,              // a tie that rounds up into the next decade
        0.125,                   // a tie at two digits
        1e-5,                    // exponent form is shorter
        1e21,                    // exponent form is shorter
        10000.0,                 // as long in either form: plain
        123456789012345680000.0, // plain is shorter, and exact beyond 2^53
        -3536942264456577024.0,  // exact digits where the fewest would end in zeros
        4.9e-324,                // the smallest subnormal
        1.7976931348623157e308,  // the largest double
        -0.0,
    };
    for (const double value : values) {
        char buffer[400];
        const auto shortest = std::to_chars(buffer, buffer + sizeof buffer, value);
        EXPECT_EQ(ShortestText(value), std::string(buffer, shortest.ptr)) << value;
        for (int digits = 1; digits <= 17; ++digits) {
            const auto rounded =
                std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits - 1);
            double reference = 0.0;
            if (std::from_chars(buffer, rounded.ptr, reference).ec == std::errc::result_out_of_range)
                reference = std::copysign(std::numeric_limits<double>::infinity(), value); // rounded up past the top
            EXPECT_EQ(ReadNumber(DecimalText(value, digits)), reference) << value << " to " << digits << " digits";
        }
    }
#else
    GTEST_SKIP() << "this C++ library has no floating-point to_chars";
#endif
}

TEST(NumberText, WritingIgnoresTheProcessLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "no German locale installed";
    EXPECT_EQ(SingleText(2.66f), "2.66");
    EXPECT_EQ(DoubleText(3.25), "3.25");
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
} // namespace lumora
