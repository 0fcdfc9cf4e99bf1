// SPDX-License-Identifier: MIT
// A builder's cell file, as someone else may have written it: read, and
// where it reads, run as a cell and written back.
//
// Input: the bytes are the file's text.

#include "calc/light/cell_test.h"
#include "calc/request/cell_file.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::variant<lumora::CellFile, std::string> read = lumora::ReadCellFile(text);
    if (const std::string* refusal = std::get_if<std::string>(&read)) {
        FUZZ_CHECK(!refusal->empty());
        return 0;
    }
    const lumora::CellModel& model = std::get<lumora::CellFile>(read).Model;
    FUZZ_CHECK(model.OpenCircuitVolts.size() >= 2);
    FUZZ_CHECK(model.CapacityAh >= 0.0 && std::isfinite(model.CapacityAh));
    // A cell read runs a test to its end: finite charge and energy.
    if (model.CapacityAh > 0.0) {
        const lumora::CellTest test = lumora::RunCellTest(model, {lumora::LoadKind::Current, 1.0}, 0.0);
        FUZZ_CHECK(std::isfinite(test.DeliveredAh) && test.DeliveredAh >= 0.0);
        FUZZ_CHECK(std::isfinite(test.DeliveredWh) && test.DeliveredWh >= 0.0);
    }
    return 0;
}
