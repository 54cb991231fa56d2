// quorvel-convert: the size converter for terminals and scripts.
#include <string_view>
#include <vector>

#include "console.h"
#include "convert.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The arguments arrive as UTF-8 (the manifest sets the active code page);
    // the console is told that the bytes written are UTF-8 too.
    SetConsoleOutputCP(CP_UTF8);
#endif
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    quorvel::cli::FdSource in(0);
    quorvel::cli::FdSink out(1), err(2);
    quorvel::cli::Console console{in, out, err};
    return quorvel::cli::RunConvert(args, console);
}
