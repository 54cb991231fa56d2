#include <gtest/gtest.h>

#include <string>

#include "quorvel/conversion.h"

namespace quorvel {
namespace {

TEST(ReadSizeNumber, ComparesDecimalValuesExactly)
{
    const std::string zeros(10000, '0');
    const struct { std::string a, b; bool equal; } cases[] = {
        {"44", "044", true},  {"44", "44.0", true},  {"44", " 44\t", true},   {"44", "+44", true},
        {"1.5", "1,50", true}, {"0", "-0.000", true}, {"44", "44." + zeros, true}, {"44", zeros + "44", true},
        {"44", "4.4", false}, {"44", "-44", false},  {"1.5", "1.05", false}, {"13", "12.5", false},
        {"44", "44.000000001", false}, {"44", "44" + zeros, false},
    };
    for (const auto& [a, b, equal] : cases) {
        const auto x = ReadSizeNumber(a), y = ReadSizeNumber(b);
        EXPECT_TRUE(x && y && (*x == *y) == equal) << a << " vs " << b.substr(0, 30);
    }
}

TEST(ReadSizeNumber, RejectsWhatIsNotAPlainDecimal)
{
    const std::string cases[] = {
        "", " ", "+", "-", ".", "44.", ".5", "4 4", "44a", "1e3", "inf", "nan", "0x10", "1.5.5", "++4",
        "１２", "44\n", std::string("4\0" "4", 3), "\xff\xfe", "4\xc2\xa0" "4", "14 S", "81-84",
        "1" + std::string(10000, '9') + "x",
    };
    for (const std::string& text : cases) EXPECT_FALSE(ReadSizeNumber(text).has_value()) << text.substr(0, 30);
}

}  // namespace
}  // namespace quorvel
