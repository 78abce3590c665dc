#include "free_format.h"
#include "run_stop.h"

#include <gtest/gtest.h>

#include <sstream>

namespace truvex {
namespace {

TEST(FreeFormat, SeparatorsAndRecordsOverSeveralLines)
{
    std::istringstream text("1 2.5\t3,4\n"
                            "5\r\n"
                            "  6 , 7 ,8  9 ignored values\n"
                            "10\n");
    FreeFormatReader in(text, "THE PROJECT FILE");
    int a = 0, c = 0;
    double b = 0, d = 0;
    in.read(a, b, c, d);   // one line
    EXPECT_EQ(a, 1);
    EXPECT_DOUBLE_EQ(b, 2.5);
    EXPECT_EQ(c, 3);
    EXPECT_DOUBLE_EQ(d, 4);

    int e = 0, f = 0, g = 0;
    in.read(e, f, g);      // continues onto the next line; the rest of it is skipped
    EXPECT_EQ(e, 5);
    EXPECT_EQ(f, 6);
    EXPECT_EQ(g, 7);

    int h = 0;
    in.read(h);
    EXPECT_EQ(h, 10);
    EXPECT_EQ(in.lineNumber(), 4);
}

TEST(FreeFormat, ValuesLeftOnALineAreSkipped)
{
    std::istringstream text("1 2 3\n4\n");
    FreeFormatReader in(text, "THE PROJECT FILE");
    int a = 0, b = 0;
    in.read(a);
    in.read(b);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 4);
}

TEST(FreeFormat, RealForms)
{
    std::istringstream text("1E-5 1.2345679E8 -.5 +3 2.5D2 7.\n");
    FreeFormatReader in(text, "THE PROJECT FILE");
    double v[6] = {};
    in.read(v[0], v[1], v[2], v[3], v[4], v[5]);
    EXPECT_DOUBLE_EQ(v[0], 1e-5);
    EXPECT_DOUBLE_EQ(v[1], 1.2345679e8);
    EXPECT_DOUBLE_EQ(v[2], -0.5);
    EXPECT_DOUBLE_EQ(v[3], 3);
    EXPECT_DOUBLE_EQ(v[4], 250);
    EXPECT_DOUBLE_EQ(v[5], 7);
}

TEST(FreeFormat, NullValuesRepeatsAndSlash)
{
    std::istringstream text("1,,3\n3*2.5\n4 /\n");
    FreeFormatReader in(text, "THE PROJECT FILE");
    int a = 0, b = 99, c = 0;
    in.read(a, b, c);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 99);   // a null value leaves the target as it was
    EXPECT_EQ(c, 3);

    double x = 0, y = 0, z = 0;
    in.read(x, y, z);
    EXPECT_DOUBLE_EQ(x, 2.5);
    EXPECT_DOUBLE_EQ(z, 2.5);

    int p = 0, q = -1;
    in.read(p, q);
    EXPECT_EQ(p, 4);
    EXPECT_EQ(q, -1);   // the slash ends the read
}

TEST(FreeFormat, TitleLinesKeepTheirText)
{
    std::istringstream text("  Sheet pile, 6 m cut  \r\n");
    FreeFormatReader in(text, "THE PROJECT FILE");
    EXPECT_EQ(in.readLine(), "  Sheet pile, 6 m cut  ");
    EXPECT_FALSE(in.tryReadLine().has_value());
}

struct BadInput {
    const char* text;
    const char* expectedMessage;
};

void PrintTo(const BadInput& c, std::ostream* out) { *out << c.expectedMessage; }

class FreeFormatErrorTest : public testing::TestWithParam<BadInput> {};

TEST_P(FreeFormatErrorTest, EndsTheRunWithAClearMessage)
{
    std::istringstream text(GetParam().text);
    FreeFormatReader in(text, "THE PROJECT FILE");
    int count = 0;
    double value = 0;
    try {
        in.read(count, value);
        FAIL() << "no error for " << GetParam().text;
    } catch (const RunStop& stop) {
        EXPECT_STREQ(stop.what(), GetParam().expectedMessage);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, FreeFormatErrorTest,
    testing::Values(
        BadInput{"abc 1.0\n", "     INPUT ERROR -- 'abc' ON LINE 1 OF THE PROJECT FILE IS NOT A WHOLE NUMBER"},
        BadInput{"12.0 1.0\n", "     INPUT ERROR -- '12.0' ON LINE 1 OF THE PROJECT FILE IS NOT A WHOLE NUMBER"},
        BadInput{"3 1.0x\n", "     INPUT ERROR -- '1.0x' ON LINE 1 OF THE PROJECT FILE IS NOT A NUMBER"},
        BadInput{"3 E5\n", "     INPUT ERROR -- 'E5' ON LINE 1 OF THE PROJECT FILE IS NOT A NUMBER"},
        BadInput{"3 nan\n", "     INPUT ERROR -- 'nan' ON LINE 1 OF THE PROJECT FILE IS NOT A NUMBER"},
        BadInput{"3\n", "     INPUT ERROR -- THE PROJECT FILE ENDS BEFORE ITS LAST RECORD (AFTER LINE 1)"},
        BadInput{"", "     INPUT ERROR -- THE PROJECT FILE ENDS BEFORE ITS LAST RECORD (AFTER LINE 0)"},
        BadInput{"99999999999 1\n", "     INPUT ERROR -- THE WHOLE NUMBER 99999999999 ON LINE 1 OF THE PROJECT FILE IS TOO LARGE"},
        BadInput{"1 1e999\n", "     INPUT ERROR -- '1e999' ON LINE 1 OF THE PROJECT FILE IS NOT A NUMBER OF A USABLE SIZE"},
        BadInput{"1 -2E21\n", "     INPUT ERROR -- '-2E21' ON LINE 1 OF THE PROJECT FILE IS NOT A NUMBER OF A USABLE SIZE"}),
    [](const testing::TestParamInfo<BadInput>& info) { return "case" + std::to_string(info.index); });

}  // namespace
}  // namespace truvex
