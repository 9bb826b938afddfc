#include "support/number_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <random>

#include "support/exception.h"
#include "support/format.h"
#include "support/text_reader.h"

namespace nerim {
namespace {

TEST(RealTextForm, WritesTwentyThreeCharacters) {
    EXPECT_EQ(FormatReal(100.0), " 1.00000000000000E+0002");
    EXPECT_EQ(FormatReal(0.0), " 0.00000000000000E+0000");
    EXPECT_EQ(FormatReal(-0.0), "-0.00000000000000E+0000");
    EXPECT_EQ(FormatReal(-2.5), "-2.50000000000000E+0000");
    EXPECT_EQ(FormatReal(0.34), " 3.40000000000000E-0001");
    EXPECT_EQ(FormatReal(1e-300), " 1.00000000000000E-0300");
    EXPECT_EQ(FormatReal(1e300), " 1.00000000000000E+0300");
    EXPECT_EQ(FormatReal(std::numeric_limits<double>::denorm_min()), " 4.94065645841247E-0324");
    EXPECT_EQ(FormatReal(std::numeric_limits<double>::max()), " 1.79769313486232E+0308");
    for (double v : {1.0, -1e-300, 123456.789, 1e300})
        EXPECT_EQ(FormatReal(v).size(), static_cast<std::size_t>(kRealTextWidth));
}

TEST(RealTextForm, SinglePrecisionValuesShowTheirNoise) {
    EXPECT_EQ(FormatReal(static_cast<double>(0.6f)), " 6.00000023841858E-0001");
    EXPECT_EQ(FormatReal(static_cast<double>(1.4f)), " 1.39999997615814E+0000");
}

TEST(RealTextForm, RoundsAtTheFifteenthDigitHalfAwayFromZero) {
    // 0.1 + 0.2 = 0.30000000000000004: the 16th digit is 0.
    EXPECT_EQ(FormatReal(0.1 + 0.2), " 3.00000000000000E-0001");
    EXPECT_EQ(FormatReal(2.0 / 3.0), " 6.66666666666667E-0001");
    EXPECT_EQ(FormatReal(-2.0 / 3.0), "-6.66666666666667E-0001");
    // Rounding up carries into a new leading digit and a larger exponent.
    EXPECT_EQ(FormatReal(9.999999999999999), " 1.00000000000000E+0001");
    EXPECT_EQ(FormatReal(0.99999999999999999), " 1.00000000000000E+0000");
    // An exact halfway case at the 16th significant digit goes away from zero.
    EXPECT_EQ(FormatReal(100000000000000.5), " 1.00000000000001E+0014");
    EXPECT_EQ(FormatReal(-100000000000000.5), "-1.00000000000001E+0014");
}

TEST(RealTextForm, RefusesValuesThatAreNotNumbers) {
    EXPECT_THROW(FormatReal(std::numeric_limits<double>::quiet_NaN()), EFloatingPointError);
    EXPECT_THROW(FormatReal(std::numeric_limits<double>::infinity()), EFloatingPointError);
    EXPECT_THROW(FormatFixed(-std::numeric_limits<double>::infinity(), 2), EFloatingPointError);
}

TEST(RealTextForm, RoundTripsFifteenSignificantDigits) {
    for (double v : {0.0, -0.0, 1e-300, 1e300, 123.456, -987654.321098765, 0.333333333333333, 6.02214076e23}) {
        TextReader reader(FormatReal(v) + "\r\n", "mem");
        const double back = reader.ReadRealLine();
        EXPECT_EQ(FormatReal(back), FormatReal(v));
        EXPECT_NEAR(back, v, std::abs(v) * 1e-14);
        EXPECT_EQ(std::signbit(back), std::signbit(v));
        EXPECT_TRUE(reader.Eof());
    }
}

TEST(FixedFormat, MatchesPrintfStyleWithHalfAwayRounding) {
    EXPECT_EQ(FormatFixed(0.126, 2), "0.13");
    EXPECT_EQ(FormatFixed(-3.0, 2), "-3.00");
    EXPECT_EQ(FormatFixed(0.125, 2), "0.13");  // exact tie
    EXPECT_EQ(FormatFixed(-0.125, 2), "-0.13");
    EXPECT_EQ(FormatFixed(2.675, 2), "2.67");  // 2.67499999... in binary
    EXPECT_EQ(FormatFixed(0.4, 4), "0.4000");
    EXPECT_EQ(FormatFixed(200.0, 4), "200.0000");
    EXPECT_EQ(FormatFixed(1.5, 8), "1.50000000");
    EXPECT_EQ(FormatFixed(99.995, 2), "100.00");  // 99.99499999... in binary
    EXPECT_EQ(FormatFixed(99.9951, 2), "100.00");
    EXPECT_EQ(FormatFixed(9.5, 0), "10");
    EXPECT_EQ(FormatFixed(1e20, 1), "100000000000000000000.0");
}

TEST(FixedFormat, ValuesRoundingToZeroHaveNoSign) {
    EXPECT_EQ(FormatFixed(-0.0, 2), "0.00");
    EXPECT_EQ(FormatFixed(-0.001, 2), "0.00");
    EXPECT_EQ(FormatFixed(-0.005, 2), "-0.01");
}

// FormatFixedTo must give exactly the text of FormatFixed, whichever way it takes.
std::string FixedTo(double value, int decimals) {
    char text[kFixedTextMaxWidth];
    return {text, FormatFixedTo(text, value, decimals)};
}

::testing::AssertionResult SameFixedText(double value) {
    for (int decimals = 0; decimals <= 4; ++decimals) {
        const std::string fast = FixedTo(value, decimals);
        const std::string general = FormatFixed(value, decimals);
        if (fast != general)
            return ::testing::AssertionFailure() << std::hexfloat << value << std::defaultfloat << " (" << value
                                                 << ") with " << decimals << " decimals: " << fast << " instead of "
                                                 << general;
    }
    return ::testing::AssertionSuccess();
}

TEST(FixedFormatTo, HalfwayCasesRoundAwayFromZero) {
    EXPECT_EQ(FixedTo(0.125, 2), "0.13");
    EXPECT_EQ(FixedTo(-0.125, 2), "-0.13");
    EXPECT_EQ(FixedTo(0.005, 2), "0.01");   // a little above 0.005 in binary
    EXPECT_EQ(FixedTo(2.675, 2), "2.67");   // a little below
    EXPECT_EQ(FixedTo(1.005, 2), "1.00");
    EXPECT_EQ(FixedTo(0.0625, 3), "0.063");
    EXPECT_EQ(FixedTo(2.5, 0), "3");
    EXPECT_EQ(FixedTo(0.25, 1), "0.3");
    EXPECT_EQ(FixedTo(99.995, 2), "100.00");
    EXPECT_EQ(FixedTo(999.9999, 3), "1000.000");
    // Every multiple of 1/16 up to 64, the exact ties among them included, and their neighbours.
    for (int k = -1024; k <= 1024; ++k) {
        const double v = k / 16.0;
        EXPECT_TRUE(SameFixedText(v));
        EXPECT_TRUE(SameFixedText(std::nextafter(v, 1e300)));
        EXPECT_TRUE(SameFixedText(std::nextafter(v, -1e300)));
    }
    // The doubles nearest to the decimal ties, and their neighbours.
    for (int k = 0; k < 20000; ++k) {
        const double v = (k + 0.5) / 100.0;
        EXPECT_TRUE(SameFixedText(v));
        EXPECT_TRUE(SameFixedText(-v));
        EXPECT_TRUE(SameFixedText(std::nextafter(v, 0.0)));
        EXPECT_TRUE(SameFixedText(std::nextafter(v, 1.0e300)));
    }
}

TEST(FixedFormatTo, ValuesRoundingToZeroHaveNoSign) {
    EXPECT_EQ(FixedTo(-0.0, 2), "0.00");
    EXPECT_EQ(FixedTo(-0.004999, 2), "0.00");
    EXPECT_EQ(FixedTo(-0.005, 2), "-0.01");
    EXPECT_EQ(FixedTo(-0.4, 0), "0");
    EXPECT_EQ(FixedTo(std::numeric_limits<double>::denorm_min(), 2), "0.00");
    EXPECT_EQ(FixedTo(-std::numeric_limits<double>::denorm_min(), 3), "0.000");
    EXPECT_EQ(FixedTo(-std::numeric_limits<double>::min(), 2), "0.00");
}

TEST(FixedFormatTo, LargeValuesAndTheEdgeOfTheIntegerWay) {
    const double edge = 9007199254740992.0;  // 2^53
    for (double v : {edge, std::nextafter(edge, 0.0), std::nextafter(edge, 1e300), 1e15 + 0.125, 4503599627370495.5,
                     1e20, -1e20, std::numeric_limits<double>::max(), -std::numeric_limits<double>::max()})
        EXPECT_TRUE(SameFixedText(v));
    EXPECT_EQ(FixedTo(4503599627370495.5, 0), "4503599627370496");
    EXPECT_EQ(FixedTo(-1e20, 2), "-100000000000000000000.00");
}

TEST(FixedFormatTo, RandomValuesOfEveryMagnitude) {
    std::mt19937_64 engine(42);
    for (int k = 0; k < 100000; ++k) {
        // Any finite bit pattern, then values of ordinary sizes.
        double v = std::bit_cast<double>(engine());
        if (!std::isfinite(v)) continue;
        EXPECT_TRUE(SameFixedText(v));
        const double magnitude = std::pow(10.0, static_cast<double>(engine() % 40) - 20.0);
        v = (static_cast<double>(engine() >> 11) * 0x1.0p-53 - 0.5) * magnitude;
        EXPECT_TRUE(SameFixedText(v));
    }
}

TEST(FixedFormatTo, RefusesValuesThatAreNotNumbers) {
    char text[kFixedTextMaxWidth];
    EXPECT_THROW(FormatFixedTo(text, std::numeric_limits<double>::quiet_NaN(), 2), EFloatingPointError);
    EXPECT_THROW(FormatFixedTo(text, -std::numeric_limits<double>::infinity(), 2), EFloatingPointError);
}

TEST(IntegerFormat, PadsToTheMinimumDigits) {
    EXPECT_EQ(FormatInteger(0), "0");
    EXPECT_EQ(FormatInteger(-42), "-42");
    EXPECT_EQ(FormatInteger(7, 4), "0007");
    EXPECT_EQ(FormatInteger(12345, 4), "12345");
    EXPECT_EQ(FormatInteger(-7, 4), "-0007");
    EXPECT_EQ(FormatInteger(std::numeric_limits<long long>::min()), "-9223372036854775808");
}

TEST(NumberParsing, AcceptsWhatTheWritersProduceAndCommonForms) {
    EXPECT_EQ(ParseReal(" 1.00000000000000E+0002").value_or(-1), -1);  // blanks belong to the reader
    EXPECT_EQ(*ParseReal("1.00000000000000E+0002"), 100.0);
    EXPECT_EQ(*ParseReal("-2.5"), -2.5);
    EXPECT_EQ(*ParseReal("+2.5"), 2.5);
    EXPECT_EQ(*ParseReal("3"), 3.0);
    EXPECT_EQ(*ParseReal(".5"), 0.5);
    EXPECT_EQ(*ParseReal("5."), 5.0);
    EXPECT_EQ(*ParseReal("1e3"), 1000.0);
    EXPECT_EQ(*ParseReal("1E-2"), 0.01);
    EXPECT_EQ(*ParseReal("1e-400"), 0.0);
    for (const char* bad : {"", "-", ".", "e5", "1e", "1e+", "12a", "1,5", "inf", "nan", "0x10", "1e400", "--1", "+-1", "1.2.3"})
        EXPECT_FALSE(ParseReal(bad)) << bad;
}

TEST(NumberParsing, TheLargestDoubleAsWrittenReadsBack) {
    // Fifteen digits round the largest double up beyond itself; a project holding it must reopen.
    constexpr double kMax = std::numeric_limits<double>::max();
    EXPECT_EQ(FormatReal(kMax), " 1.79769313486232E+0308");
    EXPECT_EQ(*ParseReal("1.79769313486232E+0308"), kMax);
    EXPECT_EQ(*ParseReal("-1.79769313486232E+0308"), -kMax);
    EXPECT_EQ(*ParseReal("1.7976931348623157e308"), kMax);
    EXPECT_FALSE(ParseReal("1.79769313486233E+0308"));
    EXPECT_FALSE(ParseReal("1.8e308"));
    // Out of range is told by the value, not by the exponent's sign.
    EXPECT_FALSE(ParseReal("1" + std::string(400, '0') + "e-10"));
    EXPECT_EQ(*ParseReal("0." + std::string(400, '0') + "1e10"), 0.0);
}

TEST(NumberParsing, IntegersStayWithin32Bits) {
    EXPECT_EQ(*ParseInteger("12"), 12);
    EXPECT_EQ(*ParseInteger("-7"), -7);
    EXPECT_EQ(*ParseInteger("+7"), 7);
    EXPECT_EQ(*ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(*ParseInteger("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "-", "2147483648", "-2147483649", "12a", "1.0", "99999999999999999999"})
        EXPECT_FALSE(ParseInteger(bad)) << bad;
}

TEST(Format, FillsMessageFormats) {
    EXPECT_EQ(Format("Div. X: %d, Div. Y: %d", {11LL, 12LL}), "Div. X: 11, Div. Y: 12");
    EXPECT_EQ(Format("X: %.4f, Y: %.4f", {0.0, 10.0}), "X: 0.0000, Y: 10.0000");
    EXPECT_EQ(Format("%.4d.dat", {7LL}), "0007.dat");
    EXPECT_EQ(Format("%.4f %.4f", {0.4, 200.0}), "0.4000 200.0000");
    EXPECT_EQ(Format("%s.%s=%s##%s", {std::string("frm"), std::string("btn"), std::string("A"), std::string("B")}),
              "frm.btn=A##B");
    EXPECT_EQ(Format("%f", {0.126}), "0.13");
    EXPECT_EQ(Format("100%%", {}), "100%");
    EXPECT_EQ(Format("[%5d|%-5d]", {42LL, 42LL}), "[   42|42   ]");
    EXPECT_EQ(Format("%x", {255LL}), "FF");
    EXPECT_EQ(Format("%e", {1234.5}), "1.23450000000000E+003");
}

TEST(Format, RefusesMismatchedArguments) {
    EXPECT_THROW(Format("%d", {1.5}), EConvertError);
    EXPECT_THROW(Format("%f", {1LL}), EConvertError);
    EXPECT_THROW(Format("%d %d", {1LL}), EConvertError);
    EXPECT_THROW(Format("%q", {1LL}), EConvertError);
    EXPECT_THROW(Format("%", {}), EConvertError);
}

// The number texts must not follow the locale: under a locale whose decimal separator is a
// comma they stay the same.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "es_ES.UTF-8"}) {
            if (std::setlocale(LC_ALL, name)) {
                active_ = true;
                break;
            }
        }
        previous_ = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    }
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        std::locale::global(previous_);
    }
    struct CommaPunct : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    bool active_ = false;
    std::locale previous_;
};

TEST_F(CommaLocale, NumberTextsIgnoreIt) {
    if (!active_) GTEST_SKIP() << "no C locale with a decimal comma is installed (tools/install-deps makes one)";
    ASSERT_EQ(std::localeconv()->decimal_point[0], ',');
    EXPECT_EQ(FormatReal(100.0), " 1.00000000000000E+0002");
    EXPECT_EQ(FormatFixed(0.4, 4), "0.4000");
    EXPECT_EQ(Format("%.8f %.8f", {1.5, -2.25}), "1.50000000 -2.25000000");
    EXPECT_EQ(*ParseReal("2.5"), 2.5);
    EXPECT_FALSE(ParseReal("2,5"));
}

}  // namespace
}  // namespace nerim
