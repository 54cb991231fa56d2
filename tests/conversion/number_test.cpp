#include <gtest/gtest.h>

#include <string>

#include "quorvel/conversion.h"

namespace quorvel {
namespace {

struct Same {
    std::string a, b;
};

TEST(ReadSizeNumber, EqualValuesCompareEqual)
{
    const Same cases[] = {
        {"44", "044"},    {"44", "44.0"},   {"44", " 44 "}, {"44", "\t44"},   {"44", "+44"},
        {"13", "13,00"},  {"1.5", "1,5"},   {"1.5", "01.50"}, {"0", "-0"},   {"0", "000"},
        {"0", "0.000"},   {"102", "102"},   {"44", "44" + std::string(5000, ' ')},
        {"44", "44." + std::string(10000, '0')}, {"44", std::string(10000, '0') + "44"},
    };
    for (const auto& [a, b] : cases) {
        SCOPED_TRACE(a + " vs " + b.substr(0, 40));
        const auto x = ReadSizeNumber(a), y = ReadSizeNumber(b);
        ASSERT_TRUE(x && y);
        EXPECT_EQ(*x, *y);
    }
}

TEST(ReadSizeNumber, DifferentValuesCompareDifferent)
{
    const Same cases[] = {
        {"44", "4.4"},  {"44", "440"}, {"44", "-44"}, {"1.5", "1.05"}, {"13", "12.5"},
        {"44", "44.000000001"}, {"44", "44" + std::string(10000, '0')},
        {"44", "1" + std::string(10000, '9')},
    };
    for (const auto& [a, b] : cases) {
        SCOPED_TRACE(a + " vs " + b.substr(0, 40));
        const auto x = ReadSizeNumber(a), y = ReadSizeNumber(b);
        ASSERT_TRUE(x && y);
        EXPECT_NE(*x, *y);
    }
}

TEST(ReadSizeNumber, RejectsWhatIsNotAPlainDecimal)
{
    const std::string cases[] = {
        "", " ", "\t", "+", "-", ".", ",", "44.", ".5", "4 4", "44a", "a44", "1e3", "1E3", "inf",
        "-inf", "nan", "NaN", "0x10", "1.5.5", "1,5,5", "++4", "+-4", "4-", "１２", "44\n", "\n44",
        "44\r", std::string("4\0" "4", 3), std::string(1, '\x7f'), "\xff\xfe", "4\xc2\xa0" "4",
        "14 S", "81-84", "LL", "1" + std::string(10000, '9') + "x",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        EXPECT_FALSE(ReadSizeNumber(text).has_value());
    }
}

}  // namespace
}  // namespace quorvel
