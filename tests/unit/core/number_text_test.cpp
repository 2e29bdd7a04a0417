#include "core/number_text.h"
#include "store/errors.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <cmath>
#include <cstdio>
#include <random>

using namespace core;

TEST(NumberText, FixCurrencyTakesTheLastTwoDigitsAsCents) {
    const std::pair<const char*, const char*> cases[] = {
        {"12.50", "12.50"}, {"1250", "12.50"}, {"12.5", "1.25"},        {"12", ".12"}, {"5", "5"},
        {"0.00", "0.00"},   {"-3.00", "3.00"}, {"1,234.56", "1234.56"}, {"", ""},      {"7", "7"},
        {"07", ".07"},      {"000", "0.00"},   {"$ 4 x", "4"},          {"١٢٣", ""}};
    for (auto [in, out] : cases)
        EXPECT_EQ(FixCurrency(QString::fromUtf8(in)), out) << in;
    EXPECT_DOUBLE_EQ(ParseNumber(FixCurrency("07")), 0.07);
}

TEST(NumberText, FixFloatKeepsDigitsAndPoints) {
    const std::pair<const char*, const char*> cases[] = {{"1.5", "1.5"},    {"-2", "2"},
                                                         {"1,000", "1000"}, {"1.2.3", "1.2.3"},
                                                         {"abc", ""},       {" 7.5% ", "7.5"}};
    for (auto [in, out] : cases)
        EXPECT_EQ(FixFloat(in), out) << in;
    EXPECT_EQ(normalised("   ", "0", FixFloat), "0");
    EXPECT_EQ(normalised(" 2x ", "1", FixFloat), "2");
}

TEST(NumberText, ParseNumberReadsNumbersAndNamesWhatItCannot) {
    EXPECT_DOUBLE_EQ(ParseNumber("  -1.5e2 "), -150);
    EXPECT_DOUBLE_EQ(ParseNumber("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseNumber("1e308"), 1e308);
    for (const char* bad : {"", "1.2.3", "abc", "1e", "12,5", "1e400", "--1", ". "}) {
        try {
            ParseNumber(bad);
            ADD_FAILURE() << "parsed " << bad;
        } catch (const store::ConversionError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("'") + bad + "' is not a valid floating point value");
        }
    }
}

TEST(NumberText, FormatMoneyRoundsToTheCentAtEveryMagnitude) {
    const std::pair<double, const char*> cases[] = {{0.625, "0.63"},
                                                    {2.675, "2.67"},
                                                    {-12, "-12.00"},
                                                    {123456.78, "123456.78"},
                                                    {123456.789, "123456.79"},
                                                    {1234567.891, "1234567.89"},
                                                    {0.5, "0.50"},
                                                    {0, "0.00"},
                                                    {-0.0, "0.00"},
                                                    {9.995, "9.99"},
                                                    {9.999, "10.00"},
                                                    {-0.625, "-0.63"},
                                                    {0.005, "0.01"},
                                                    {1.005, "1.00"},
                                                    {99999999.995, "100000000.00"},
                                                    {1e15, "1000000000000000.00"},
                                                    {1e20, "100000000000000000000.00"},
                                                    {-1e15 - 0.125, "-1000000000000000.13"}};
    for (auto [v, text] : cases)
        EXPECT_EQ(FormatMoney(v), text) << v;
    // A negative amount that rounds to nothing carries no sign.
    EXPECT_EQ(FormatMoney(-0.004), "0.00");
    EXPECT_EQ(FormatMoney(-0.005), "-0.01");
    EXPECT_THROW(FormatMoney(INFINITY), store::PosError);
    EXPECT_THROW(FormatMoney(NAN), store::PosError);
}

// Random texts and values against the rules' invariants, for a few seconds' worth.
TEST(NumberText, RandomisedTextsKeepEveryRule) {
    std::mt19937_64 rng(20261209);
    const QString alphabet = "0123456789.-+eE ,a$\t";
    for (int i = 0; i < 300000; ++i) {
        QString s;
        int len = int(rng() % 16);
        for (int k = 0; k < len; ++k)
            s += alphabet[int(rng() % alphabet.size())];

        QString cur = FixCurrency(s);
        EXPECT_EQ(FixCurrency(cur), cur);
        if (cur.size() >= 3) {
            EXPECT_EQ(cur.indexOf('.'), cur.size() - 3);
            EXPECT_GE(ParseNumber(cur), 0);
        }
        QString fl = FixFloat(s);
        EXPECT_EQ(FixFloat(fl), fl);

        // A number is exactly what this pattern says; it parses to what strtod reads.
        static const QRegularExpression number(
            R"(^[ \t]*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?[ \t]*$)");
        const QByteArray raw = s.toLatin1();
        const double ref = std::strtod(raw.constData(), nullptr);
        const bool isNumber = number.match(s).hasMatch() && std::isfinite(ref);
        try {
            double parsed = ParseNumber(s);
            EXPECT_TRUE(isNumber) << raw.constData();
            EXPECT_EQ(parsed, ref) << raw.constData();
        } catch (const store::ConversionError&) {
            EXPECT_FALSE(isNumber) << raw.constData();
        }

        // Money: against the correctly rounded two-decimal text, ties away from zero.
        double v =
            std::ldexp(double(rng() % (1ull << 53)), int(rng() % 40) - 45) * ((rng() & 1) ? -1 : 1);
        QString money = FormatMoney(v);
        long double scaled = (long double)v * 100; // exact: 53 + 7 bits fit in 64
        long double frac = std::fabs(scaled - std::trunc(scaled));
        char buf[64];
        if (frac == 0.5L)
            std::snprintf(buf, sizeof buf, "%.2Lf", (std::trunc(scaled) + (v < 0 ? -1 : 1)) / 100);
        else
            std::snprintf(buf, sizeof buf, "%.2f", v);
        QString expected = QString::fromLatin1(buf);
        if (expected == "-0.00") expected = "0.00";
        ASSERT_EQ(money, expected) << "value " << v;
    }
}
