#include "layout_format.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace truvex {
namespace {

struct LayoutCase {
    const char* layout;
    std::vector<LayoutValue> values;
    const char* expected;
};

void PrintTo(const LayoutCase& c, std::ostream* out) { *out << c.layout; }

class LayoutFormatTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutFormatTest, FormatsAsTheNotationSays)
{
    const LayoutCase& c = GetParam();
    EXPECT_EQ(formatLayout(c.layout, c.values), c.expected) << c.layout;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, LayoutFormatTest,
    testing::Values(
        // E fields: mantissa 0.ddd, signed two-digit exponent, rounding carries.
        LayoutCase{"(E10.3)", {12.3}, " 0.123E+02\n"},
        LayoutCase{"(E10.3)", {-12.3}, "-0.123E+02\n"},
        LayoutCase{"(E10.3)", {0.0}, " 0.000E+00\n"},
        LayoutCase{"(E10.3)", {9.9996}, " 0.100E+02\n"},
        LayoutCase{"(E10.3)", {0.00012345}, " 0.123E-03\n"},
        LayoutCase{"(E10.3)", {1.0}, " 0.100E+01\n"},
        LayoutCase{"(E9.3)", {-12.3}, "-.123E+02\n"},      // optional zero dropped to fit
        LayoutCase{"(E8.3)", {-12.3}, "********\n"},
        LayoutCase{"(E10.3)", {1.0e120}, "**********\n"},  // three-digit exponent
        LayoutCase{"(E10.3)", {1.0e-120}, "**********\n"},
        LayoutCase{"(E13.4)", {-1234.5678}, "  -0.1235E+04\n"},
        // Scale factor 1: one non-zero digit before the point; it persists.
        LayoutCase{"(1P, E9.3)", {12.3}, "1.230E+01\n"},
        LayoutCase{"(1PE10.3)", {-0.5}, "-5.000E-01\n"},
        LayoutCase{"(1P, E9.3)", {0.0}, "0.000E+00\n"},
        LayoutCase{"(1P, 2E10.2)", {9.999, 1.0e-5}, "  1.00E+01  1.00E-05\n"},
        // F fields.
        LayoutCase{"(F9.3)", {40.0}, "   40.000\n"},
        LayoutCase{"(F9.3)", {-0.0004}, "    0.000\n"},
        LayoutCase{"(F5.3)", {-0.5}, "-.500\n"},
        LayoutCase{"(F4.1)", {1234.5}, "****\n"},
        LayoutCase{"(F6.0)", {12.4}, "   12.\n"},
        LayoutCase{"(F10.2)", {3.0}, "      3.00\n"},
        // I fields, with minimum digits.
        LayoutCase{"(I4)", {42LL}, "  42\n"},
        LayoutCase{"(I4)", {-123LL}, "-123\n"},
        LayoutCase{"(I3)", {1234LL}, "***\n"},
        LayoutCase{"(I2.2)", {5LL}, "05\n"},
        LayoutCase{"(I4.3)", {-7LL}, "-007\n"},
        LayoutCase{"(2I4, I3)", {1LL, 40LL, 0LL}, "   1  40  0\n"},
        // A fields: cut or padded at the right; A alone keeps the length.
        LayoutCase{"(A5, '|')", {std::string("ab")}, "ab   |\n"},
        LayoutCase{"(A3, '|')", {std::string("abcdef")}, "abc|\n"},
        LayoutCase{"(A, '|')", {std::string("abcdef")}, "abcdef|\n"},
        // Text, blanks, new lines, groups and repeated characters.
        LayoutCase{"(5X, 'It''s')", {}, "     It's\n"},
        LayoutCase{"(6X, 5('*'))", {}, "      *****\n"},
        LayoutCase{"(/, 2X, I2)", {7LL}, "\n   7\n"},
        LayoutCase{"(I2, //, I2)", {1LL, 2LL}, " 1\n\n 2\n"},
        LayoutCase{"(/)", {}, "\n\n"},
        LayoutCase{"(4(2X, E10.3))", {1.0, 2.0, 3.0, 4.0}, "   0.100E+01   0.200E+01   0.300E+01   0.400E+01\n"},
        LayoutCase{"(1X, 2(I2, 'x'), 'end')", {1LL, 2LL}, "  1x 2xend\n"},
        // Output stops at the first field with no value left.
        LayoutCase{"('A=', I3, ' B=', I3)", {5LL}, "A=  5 B=\n"},
        LayoutCase{"('only text', I3)", {}, "only text\n"},
        // More values than fields: a new line from the first field again.
        LayoutCase{"('v', I2)", {1LL, 2LL, 3LL}, "v 1\nv 2\nv 3\n"},
        LayoutCase{"(2I3)", {1LL, 2LL, 3LL}, "  1  2\n  3\n"},
        // Integers print in real fields.
        LayoutCase{"(F6.2)", {3LL}, "  3.00\n"}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return "case" + std::to_string(info.index); });

TEST(LayoutFormat, LineOfBlanks)
{
    EXPECT_EQ(format("(20X)"), std::string(20, ' ') + "\n");
}

TEST(LayoutFormat, FormatConvertsArgumentKinds)
{
    EXPECT_EQ(format("(I3, F6.2, 1X, A)", 7, 2.5f, "txt"), "  7  2.50 txt\n");
}

TEST(LayoutFormat, NonFiniteValuesStayReadable)
{
    EXPECT_EQ(format("(E10.3)", std::numeric_limits<double>::quiet_NaN()), "       NaN\n");
    EXPECT_EQ(format("(E10.3)", -std::numeric_limits<double>::infinity()), " -Infinity\n");
    EXPECT_EQ(format("(F5.1)", std::numeric_limits<double>::infinity()), "*****\n");
}

TEST(LayoutFormat, ProgrammingErrorsAreRejected)
{
    EXPECT_THROW(formatLayout("I3", {1LL}), std::logic_error);
    EXPECT_THROW(formatLayout("(I3", {1LL}), std::logic_error);
    EXPECT_THROW(formatLayout("(Q3)", {1LL}), std::logic_error);
    EXPECT_THROW(formatLayout("(I3)", {1.5}), std::logic_error);
    EXPECT_THROW(formatLayout("(A3)", {1LL}), std::logic_error);
    EXPECT_THROW(formatLayout("('x')", {1LL}), std::logic_error);   // values but no field
    EXPECT_THROW(formatLayout("(E10)", {1.0}), std::logic_error);
}

}  // namespace
}  // namespace truvex
