// SPDX-License-Identifier: MIT
// A light meter's runtime log, as a builder brings it: read, and where it
// reads, laid beside a run with its FL1 figures and ratios.
//
// Input: the bytes are the log's text.

#include "calc/reports/light_run.h"
#include "calc/reports/measured_log.h"
#include "calc/reports/runtime_plot.h"
#include "calc/text/printable.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace {

// One run the log is laid beside, made once.
const lumora::LightRun& Prediction()
{
    static const lumora::LightRun run = [] {
        lumora::LightInputs inputs;
        for (const auto& [key, text] :
             {std::pair{"led", "lh351d"}, {"cell", "18650"}, {"driver", "linear"}, {"current", "2000"}})
            inputs.Give(key, text);
        return lumora::RunLight(inputs);
    }();
    return run;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::variant<lumora::MeasuredLog, std::string> read = lumora::ReadMeasuredLog(text);
    if (const std::string* refusal = std::get_if<std::string>(&read)) {
        FUZZ_CHECK(!refusal->empty());
        FUZZ_CHECK(lumora::Printable(*refusal) == *refusal);
        return 0;
    }
    const lumora::MeasuredLog& log = std::get<lumora::MeasuredLog>(read);
    FUZZ_CHECK(log.Points.size() >= 2);
    for (std::size_t k = 1; k < log.Points.size(); ++k)
        FUZZ_CHECK(log.Points[k].Minutes >= log.Points[k - 1].Minutes);
    lumora::LightRun run = Prediction();
    const lumora::PlotLine line = lumora::CompareMeasured(run, log, "log.csv");
    for (const auto& [hours, percent] : line.Points)
        FUZZ_CHECK(std::isfinite(hours) && std::isfinite(percent));
    for (const lumora::RunField& field : run.Figures)
        FUZZ_CHECK(field.Text != "inf" && field.Text != "nan" && field.Text != "-inf");
    const std::string svg = lumora::RuntimePlotSvg(run.Run, run.Labels, {}, &line);
    FUZZ_CHECK(svg.find("nan") == std::string::npos && svg.find("inf") == std::string::npos);
    return 0;
}
