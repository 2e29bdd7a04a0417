#pragma once

#include <QByteArray>
#include <QString>

namespace reg {

// The pole display shows two lines of 20 characters.

// The text and at least one blank, then blanks up to 20 characters or cut to 20.
QString poleTopLine(const QString& text);

// Left, blanks, right: at least `width` characters and at least one blank; never cut.
QString poleSpread(const QString& left, const QString& right, int width);

// What the display is sent: one byte a character, "?" for one it cannot show.
QByteArray poleBytes(const QString& text);

} // namespace reg
