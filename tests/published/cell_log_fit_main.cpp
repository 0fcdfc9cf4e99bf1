// SPDX-License-Identifier: MIT
// Fits the named 30Q to cell S001's five logs in the shared data and prints
// its rows for data/cell-fits.csv, then the leave-one-out table for
// docs/cell-fits.md ("make fit-cell-logs"); not a test.
#include "tests/published/s001_fit.h"
#include "tests/published/shared_data.h"

#include <cstdio>

int main(int argc, char** argv)
{
    const std::optional<std::vector<lumora::DischargeLog>> logs = lumora::S001Logs();
    if (!logs) {
        std::fprintf(stderr, "%s\n",
                     lumora::AbsentText("samsung-30q-arts/cc/Q30_S001_*.csv", "the 30Q is fitted to them").c_str());
        return 1;
    }
    const bool table = argc > 1 && std::string(argv[1]) == "--table";
    if (table) {
        std::fputs(lumora::LeaveOneOutTable(lumora::LeaveOneOut(*logs)).c_str(), stdout);
        return 0;
    }
    const auto fit = lumora::FitS001(*logs);
    if (const std::string* refusal = std::get_if<std::string>(&fit)) {
        std::fprintf(stderr, "%s\n", refusal->c_str());
        return 1;
    }
    std::fputs(lumora::CellFitRows("samsung-30q", std::get<lumora::FittedCell>(fit), lumora::S001Source).c_str(),
               stdout);
    return 0;
}
