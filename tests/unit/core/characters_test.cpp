#include "core/characters.h"

#include <gtest/gtest.h>

using namespace core;

TEST(Characters, CountAndCutWholeCharacters) {
    const QString pic = QString::fromUtf8("😀");
    const QString text = "ab" + pic + "c" + pic;
    EXPECT_EQ(charCount(text), 5);
    EXPECT_EQ(leftChars(text, 3), "ab" + pic);
    EXPECT_EQ(midChars(text, 2, 2), pic + "c");
    EXPECT_EQ(midChars(text, 4), pic);
    EXPECT_EQ(midChars(text, 9), "");
    EXPECT_EQ(fitChars(pic, 3), pic + "  ");
    EXPECT_EQ(fitChars(text, 3), "ab" + pic);
    QString typed = "x" + pic;
    chopChar(typed);
    EXPECT_EQ(typed, "x");
    chopChar(typed);
    chopChar(typed);
    EXPECT_EQ(typed, "");
}
