// SPDX-License-Identifier: MIT
// lumora-cli's argument reader and everything behind it.
//
// Input: the command line, arguments separated by NUL bytes (at most 24).
// Whatever it holds, the program must end with a documented exit code, say
// why on standard error when it refuses, and print nothing on standard
// output but the ASCII of its results: a raw byte of the input never gets
// there, and neither does an infinity or a NaN. A --plot file is always
// standard output.

#include "cli/command_line.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t MostArguments = 24;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> args;
    for (std::size_t start = 0; start <= input.size() && args.size() < MostArguments;) {
        std::size_t end = input.find('\0', start);
        if (end == std::string_view::npos)
            end = input.size();
        args.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }

    // The picture goes to standard output, never to a file the input names.
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].rfind("--plot=", 0) == 0)
            args[i] = "--plot=-";
        else if (args[i] == "--plot" && i + 1 < args.size())
            args[i + 1] = "-";
    }

    std::ostringstream out, err;
    const int exit = lumora::cli::RunCommandLine(args, out, err);
    const std::string printed = out.str();
    const std::string told = err.str();

    FUZZ_CHECK(exit >= 0 && exit <= 3);
    FUZZ_CHECK(exit == 0 || !told.empty());
    FUZZ_CHECK(exit != 2 || printed.empty());
    for (char c : printed)
        FUZZ_CHECK(c == '\n' || (c >= 0x20 && c < 0x7F));
    std::string word;
    for (char c : printed + '\n') {
        if (c == ' ' || c == ',' || c == '\n' || c == '"' || c == ':') {
            FUZZ_CHECK(word != "inf" && word != "-inf" && word != "nan" && word != "-nan");
            word.clear();
        } else {
            word += c;
        }
    }
    // Every message line is the program's own.
    std::istringstream lines(told);
    for (std::string line; std::getline(lines, line);)
        FUZZ_CHECK(line.rfind("lumora-cli: ", 0) == 0 || line.rfind("Try 'lumora-cli --help'", 0) == 0);
    return 0;
}
