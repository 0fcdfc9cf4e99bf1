// SPDX-License-Identifier: MIT
// lumora-cli: Lumora's calculators on the command line.
#include "cli/command_line.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The same bytes as on every other system: lines end in "\n" alone.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return lumora::cli::RunCommandLine(args, std::cout, std::cerr);
}
