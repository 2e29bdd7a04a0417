#include "register/devices/pole.h"

#include <gtest/gtest.h>

using namespace reg;

TEST(PoleText, TopLineIsAlwaysTwentyCharacters) {
    EXPECT_EQ(poleTopLine("Widget"), "Widget" + QString(14, ' '));
    EXPECT_EQ(poleTopLine(""), QString(20, ' '));
    EXPECT_EQ(poleTopLine("12345678901234567890"), "12345678901234567890");
    EXPECT_EQ(poleTopLine("1234567890123456789012345"), "12345678901234567890");
    EXPECT_EQ(poleTopLine("Widget   {REFUND}"), "Widget   {REFUND}   ");
}

TEST(PoleText, SpreadKeepsAtLeastOneBlankAndNeverCuts) {
    EXPECT_EQ(poleSpread("2.50", "2.50", 19), "2.50" + QString(11, ' ') + "2.50");
    EXPECT_EQ(poleSpread("-2.50", "0.00", 19), "-2.50" + QString(10, ' ') + "0.00");
    EXPECT_EQ(poleSpread("TAX-> ", "0.63", 20), "TAX-> " + QString(10, ' ') + "0.63");
    EXPECT_EQ(poleSpread("123456789.00", "1234567.00", 19), "123456789.00 1234567.00");
    EXPECT_EQ(poleSpread("123456789", "123456789", 19), "123456789 123456789");
}

TEST(PoleText, CountsCharactersNotStorageUnits) {
    const QString pic = QString::fromUtf8("😀");
    EXPECT_EQ(poleTopLine(pic + pic), pic + pic + QString(18, ' '));
    EXPECT_EQ(poleTopLine(pic.repeated(25)), pic.repeated(20));
    EXPECT_EQ(poleSpread(pic + pic, "1.00", 19), pic + pic + QString(13, ' ') + "1.00");
    // One byte a character: what the display cannot show is one "?", never two.
    EXPECT_EQ(poleBytes(QString::fromUtf8("Café ") + pic), QByteArray("Caf\xe9 ?"));
}
