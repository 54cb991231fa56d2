// quorvel-convert: the size converter for terminals and scripts.
#include "convert.h"

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return quorvel::cli::RunConvert(args, std::cout, std::cerr);
}
