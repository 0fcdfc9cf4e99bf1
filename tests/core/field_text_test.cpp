// SPDX-License-Identifier: MIT
#include "calc/text/field_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace lumora {
namespace {

struct ReadRow {
    const char* name;
    std::string text;
    std::optional<double> value;
};

void PrintTo(const ReadRow& row, std::ostream* os) { *os << row.name; }

class FieldReading : public testing::TestWithParam<ReadRow> {};

TEST_P(FieldReading, ReadsOnlyNumberTexts)
{
    const ReadRow& row = GetParam();
    EXPECT_EQ(IsNumberText(row.text), row.value.has_value());
    const std::optional<double> value = ReadNumber(row.text);
    ASSERT_EQ(value.has_value(), row.value.has_value());
    if (value) {
        EXPECT_EQ(*value, *row.value);
        EXPECT_EQ(std::signbit(*value), std::signbit(*row.value));
    }
}

const double Inf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Rows, FieldReading,
    testing::Values(
        ReadRow{"Plain", "2.5", 2.5}, ReadRow{"TrailingPoint", "5.", 5.0}, ReadRow{"LeadingPoint", ".5", 0.5},
        ReadRow{"LeadingZeros", "007", 7.0}, ReadRow{"NearestDouble", "0.1", 0.1}, ReadRow{"Minus", "-25", -25.0},
        ReadRow{"MinusPoint", "-.5", -0.5}, ReadRow{"MinusZero", "-0", -0.0},
        ReadRow{"HundredsOfDigits", "1" + std::string(300, '0'), 1e300},
        ReadRow{"BeyondRange", std::string(400, '9'), Inf},
        ReadRow{"NegativeBeyondRange", "-" + std::string(400, '9'), -Inf},
        ReadRow{"BelowSmallestSubnormal", "0." + std::string(400, '0') + "1", 0.0},
        ReadRow{"Subnormal", "0." + std::string(310, '0') + "1", 1e-311},
        ReadRow{"ManyZerosAfterPoint", "1." + std::string(500, '0'), 1.0}, ReadRow{"Empty", "", std::nullopt},
        ReadRow{"LonePoint", ".", std::nullopt}, ReadRow{"LoneMinus", "-", std::nullopt},
        ReadRow{"MinusPointOnly", "-.", std::nullopt}, ReadRow{"TwoPoints", "1.2.3", std::nullopt},
        ReadRow{"Plus", "+5", std::nullopt}, ReadRow{"TwoMinus", "--5", std::nullopt},
        ReadRow{"TrailingMinus", "5-", std::nullopt}, ReadRow{"Exponent", "1e3", std::nullopt},
        ReadRow{"UpperExponent", "1E3", std::nullopt}, ReadRow{"Comma", "12,5", std::nullopt},
        ReadRow{"Thousands", "1,000", std::nullopt}, ReadRow{"LeadingSpace", " 5", std::nullopt},
        ReadRow{"TrailingSpace", "5 ", std::nullopt}, ReadRow{"Hex", "0x1A", std::nullopt},
        ReadRow{"Infinity", "inf", std::nullopt}, ReadRow{"NotANumber", "nan", std::nullopt},
        ReadRow{"Currency", "$5", std::nullopt}, ReadRow{"ArabicIndicDigit", "\xd9\xa3", std::nullopt},
        ReadRow{"FullwidthDigit", "\xef\xbc\x95", std::nullopt}, ReadRow{"ControlCharacter", "5\x01", std::nullopt},
        ReadRow{"EmbeddedNul",
                std::string("5\0"
                            "5",
                            3),
                std::nullopt},
        ReadRow{"NewLine", "5\n", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FieldRules, BlankAndLonePointAreExactTexts)
{
    EXPECT_TRUE(IsBlank(""));
    EXPECT_FALSE(IsBlank(" "));
    EXPECT_TRUE(IsLonePoint("."));
    EXPECT_FALSE(IsLonePoint(" ."));
    EXPECT_FALSE(IsLonePoint(".5"));
    EXPECT_FALSE(IsLonePoint("5."));
}

// A desktop session switches the C locale to the user's; a German or French
// user must still get "." as the decimal point.
TEST(FieldRules, ReadingIgnoresTheProcessLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    int tried = 0;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "German_Germany.1252"}) {
        if (!std::setlocale(LC_ALL, name))
            continue;
        ++tried;
        EXPECT_EQ(ReadNumber("2.5"), 2.5) << name;
        EXPECT_EQ(ReadNumber("2,5"), std::nullopt) << name;
    }
    std::setlocale(LC_ALL, saved.c_str());
    if (tried == 0)
        GTEST_SKIP() << "no German or French locale installed";
}

} // namespace
} // namespace lumora
