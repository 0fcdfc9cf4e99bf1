// SPDX-License-Identifier: MIT
// The field-reading rule and the number texts both calculators write.
//
// Input: the bytes are one field text. When there are at least 8 of them,
// their first 8 and first 4 also give a double and a float by bit pattern, so
// that values the reading rule never yields are written too.

#include "calc/text/field_text.h"
#include "calc/text/number_text.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace lumora;
using lumora::fuzz::IsWrittenNumber;

constexpr double DoubleDenormMin = std::numeric_limits<double>::denorm_min();
constexpr float FloatMax = std::numeric_limits<float>::max();
constexpr float FloatDenormMin = std::numeric_limits<float>::denorm_min();

// Reading must agree with the C library's own conversion, which the "C"
// locale of this process makes a reference for "." as the decimal point.
void CheckReading(std::string_view text)
{
    const std::optional<double> value = ReadNumber(text);
    FUZZ_CHECK(value.has_value() == IsNumberText(text));
    FUZZ_CHECK(!IsNumberText(text) || (!IsBlank(text) && !IsLonePoint(text)));
    if (!value)
        return;
    FUZZ_CHECK(!std::isnan(*value));

    const std::string copy(text);
    char* end = nullptr;
    const double reference = std::strtod(copy.c_str(), &end);
    FUZZ_CHECK(end == copy.c_str() + copy.size());
    FUZZ_CHECK(*value == reference);
    FUZZ_CHECK(std::signbit(*value) == std::signbit(reference));
}

// A written double reads back as the value it shows, which lies within half a
// unit of its 15th significant digit of the value written; writing it again
// gives the same text. The resistor calculator writes only values it could
// multiply by 100 on the way to two decimals, so nothing within a hundredth of
// the top of the double range, where 15 digits would round up past it.
void CheckDoubleText(double value)
{
    const std::string text = DoubleText(value);
    FUZZ_CHECK(IsWrittenNumber(text));
    const std::optional<double> shown = ReadNumber(text);
    FUZZ_CHECK(shown && std::isfinite(*shown));
    FUZZ_CHECK(std::fabs(*shown - value) <= 5.2e-15 * std::fabs(value) + DoubleDenormMin);
    FUZZ_CHECK(DoubleText(*shown) == text);
    FUZZ_CHECK((text.front() == '-') == (value < 0.0));
}

// The same for single precision and seven significant digits.
void CheckSingleText(float value)
{
    const std::string text = SingleText(value);
    FUZZ_CHECK(IsWrittenNumber(text));
    const std::optional<double> shown = ReadNumber(text);
    FUZZ_CHECK(shown && std::fabs(*shown) <= FloatMax);
    const float single = static_cast<float>(*shown);
    FUZZ_CHECK(std::fabs(single - value) <= 5.7e-7f * std::fabs(value) + FloatDenormMin);
    // Writing the read-back value again shows the same value to within the
    // same bound, but not always the same text: seven digits cannot tell every
    // float apart just below a power of ten ("1e28" reads as the float
    // 9.9999994e27, which is written "9999999000000000000000000000").
    const std::optional<double> again = ReadNumber(SingleText(single));
    FUZZ_CHECK(again && std::fabs(*again - *shown) <= 5.7e-7 * std::fabs(*shown));
    FUZZ_CHECK((text.front() == '-') == (value < 0.0f));
}

void CheckWriting(double value, std::size_t seed)
{
    if (!std::isfinite(value))
        return;
    if (std::fabs(value) <= std::numeric_limits<double>::max() / 100.0)
        CheckDoubleText(value);
    if (std::fabs(value) <= FloatMax)
        CheckSingleText(static_cast<float>(value));
    // Seventeen significant digits tell every double apart.
    const std::optional<double> exact = ReadNumber(DecimalText(value, 17));
    FUZZ_CHECK(exact && *exact == value);
    const int digits = 1 + static_cast<int>(seed % 17);
    FUZZ_CHECK(IsWrittenNumber(DecimalText(value, digits)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckReading(text);
    if (const std::optional<double> value = ReadNumber(text))
        CheckWriting(*value, size);

    if (size >= sizeof(double)) {
        double bits = 0.0;
        std::memcpy(&bits, data, sizeof bits);
        CheckWriting(bits, data[size - 1]);
        float single = 0.0f;
        std::memcpy(&single, data, sizeof single);
        if (std::isfinite(single))
            CheckSingleText(single);
    }
    return 0;
}
