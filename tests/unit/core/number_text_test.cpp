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
    EXPECT_EQ(FormatMoney(ParseNumber(FixCurrency("07"))), "0.07");
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

TEST(NumberText, ParseNumberReadsNumbersExactlyAndNamesWhatItCannot) {
    const std::pair<const char*, const char*> exact[] = {
        {"  -1.5e2 ", "-150"}, {"+.5", "0.5"},
        {"0.1", "0.1"},        {"1.115", "1.115"},
        {"2.675", "2.675"},    {"12.", "12"},
        {"1e-2", "0.01"},      {"0.000", "0"},
        {"-0", "0"},           {"123456789012.34", "123456789012.34"},
        {"1e-400", "0"},       {"0.0000000000000000005", "0.000000000000000001"}};
    for (auto [in, out] : exact) {
        const Decimal d = ParseNumber(in);
        EXPECT_EQ(d.fixed(d.places()), out) << in;
    }
    for (const char* bad : {"", "1.2.3", "abc", "1e", "12,5", "--1", ". ", "inf", "0x10"}) {
        try {
            ParseNumber(bad);
            ADD_FAILURE() << "parsed " << bad;
        } catch (const store::ConversionError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("'") + bad + "' is not a valid floating point value");
        }
    }
    // A number, but none the register can carry: an error of its own, not a wrong value.
    for (const char* huge : {"1e308", "1e400", "9999999999999999999"}) {
        try {
            ParseNumber(huge);
            ADD_FAILURE() << "parsed " << huge;
        } catch (const store::ConversionError&) {
            ADD_FAILURE() << huge << " is a number";
        } catch (const store::PosError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("'") + huge + "' is too large a number for the register.");
        }
    }
    EXPECT_EQ(FormatQuantity(ParseQuantity("0.004")), "0.004");
    EXPECT_EQ(FormatQuantity(ParseNumber("4667")), "4667.00");
    EXPECT_EQ(FormatQuantity(ParseNumber("9.996")), "9.996");
    EXPECT_EQ(FormatQuantity(ParseNumber("0.5")), "0.50");
    EXPECT_THROW(ParseQuantity("0.0005"), store::PosError);
}

TEST(NumberText, FormatMoneyRoundsHalvesAwayFromZeroAtEveryMagnitude) {
    const std::pair<const char*, const char*> cases[] = {
        {"0.625", "0.63"},
        {"2.675", "2.68"},
        {"1.115", "1.12"},
        {"-0.625", "-0.63"},
        {"-12", "-12.00"},
        {"123456.78", "123456.78"},
        {"123456.789", "123456.79"},
        {"1234567.891", "1234567.89"},
        {"0.5", "0.50"},
        {"0", "0.00"},
        {"-0.0", "0.00"},
        {"9.995", "10.00"},
        {"9.994999", "9.99"},
        {"0.005", "0.01"},
        {"1.005", "1.01"},
        {"99999999.995", "100000000.00"},
        {"1e15", "1000000000000000.00"},
        {"-1000000000000000.125", "-1000000000000000.13"}};
    for (auto [v, text] : cases)
        EXPECT_EQ(FormatMoney(ParseNumber(v)), text) << v;
    // A negative amount that rounds to nothing carries no sign.
    EXPECT_EQ(FormatMoney(ParseNumber("-0.004")), "0.00");
    EXPECT_EQ(FormatMoney(ParseNumber("-0.005")), "-0.01");
}

// The sale's arithmetic: tax on the taxable sub total, rounded once, then added.
TEST(NumberText, TaxIsRoundedOnceOnTheTaxableSubTotal) {
    const Decimal rate = ParseNumber("6.25").shifted(2);
    auto taxOf = [&](const Decimal& taxable) { return (rate * taxable).rounded(2); };
    Decimal a = ParseNumber("1.25") + ParseNumber("2.99");
    EXPECT_EQ(FormatMoney(taxOf(a)), "0.27");
    EXPECT_EQ(FormatMoney(a + taxOf(a)), "4.51");
    Decimal b = ParseNumber("0.24");
    EXPECT_EQ(FormatMoney(taxOf(b)), "0.02");
    EXPECT_EQ(FormatMoney(b + taxOf(b)), "0.26");
    Decimal hundred;
    for (int i = 0; i < 100; ++i)
        hundred += ParseNumber("0.10");
    EXPECT_EQ(hundred, ParseNumber("10.00"));
    EXPECT_EQ(FormatMoney(taxOf(hundred)), "0.63");
    EXPECT_EQ(FormatMoney(hundred + taxOf(hundred)), "10.63");
    // A discount: 15 % off 19.99 is 16.9915, written as 16.99.
    const Decimal u = ParseNumber("19.99");
    EXPECT_EQ(FormatMoney(u - u * ParseNumber("15").shifted(2)), "16.99");
}

// Sums, line prices and taxes against the same reckoning in whole integers.
TEST(NumberText, RandomisedMoneyAgreesWithIntegerArithmetic) {
    std::mt19937_64 rng(20261209);
    auto money = [](long long cents) {
        return QString("%1%2.%3")
            .arg(cents < 0 ? "-" : "")
            .arg(std::llabs(cents) / 100)
            .arg(std::llabs(cents) % 100, 2, 10, QChar('0'));
    };
    // n / d rounded half away from zero, in integers.
    auto roundDiv = [](long long n, long long d) {
        const long long q = n / d, r = n % d;
        return 2 * std::llabs(r) >= d ? q + (n < 0 ? -1 : 1) : q;
    };
    for (int i = 0; i < 20000; ++i) {
        Decimal sum;
        long long cents = 0;
        const int lines = 1 + int(rng() % 100);
        for (int l = 0; l < lines; ++l) {
            const long long price = (long long)(rng() % 1000000) - 200000; // −2000.00 … 7999.99
            const long long qty = 1 + (long long)(rng() % 5000);           // 0.001 … 5.000
            const long long line = roundDiv(price * qty, 1000);
            const Decimal d =
                ParseNumber(money(price)) * ParseNumber(QString::number(qty)).shifted(3);
            ASSERT_EQ(FormatMoney(d), money(line)) << qPrintable(money(price)) << " x " << qty;
            sum += ParseNumber(FormatMoney(d));
            cents += line;
        }
        ASSERT_EQ(FormatMoney(sum), money(cents));
        const long long rate = (long long)(rng() % 2000); // 0.00 % … 19.99 %
        const Decimal tax = (ParseNumber(money(rate)).shifted(2) * sum).rounded(2);
        ASSERT_EQ(FormatMoney(tax), money(roundDiv(rate * cents, 10000)))
            << qPrintable(money(rate)) << " % of " << qPrintable(money(cents));
    }
}

// Random texts against the rules' invariants, for a few seconds' worth.
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
            EXPECT_GE(ParseNumber(cur).sign(), 0);
        }
        QString fl = FixFloat(s);
        EXPECT_EQ(FixFloat(fl), fl);

        // A number is exactly what this pattern says; it reads as the value strtod reads.
        static const QRegularExpression number(
            R"(^[ \t]*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?[ \t]*$)");
        const QByteArray raw = s.toLatin1();
        const double ref = std::strtod(raw.constData(), nullptr);
        const bool isNumber = number.match(s).hasMatch();
        try {
            const Decimal parsed = ParseNumber(s);
            EXPECT_TRUE(isNumber) << raw.constData();
            if (ref == 0 || std::fabs(ref) >= 1e-6) {
                const double back =
                    std::strtod(parsed.fixed(Decimal::kMaxScale).toLatin1(), nullptr);
                EXPECT_EQ(back, ref) << raw.constData();
            }
        } catch (const store::ConversionError&) {
            EXPECT_FALSE(isNumber) << raw.constData();
        } catch (const store::PosError&) {
            EXPECT_TRUE(isNumber && std::fabs(ref) >= 1e17) << raw.constData();
        }
    }
}
