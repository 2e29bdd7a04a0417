#pragma once

#include <QString>

// Text measured and cut in characters, never in UTF-16 units: a picture character outside
// the basic plane is one character, as the table engine counts it, and is never split.
namespace core {

qsizetype charCount(const QString& text);
// The characters from `from` on, at most `count` of them (all when count < 0).
QString midChars(const QString& text, qsizetype from, qsizetype count = -1);
inline QString leftChars(const QString& text, qsizetype count) {
    return midChars(text, 0, count);
}
// Cut or padded with blanks on the right to exactly `width` characters.
QString fitChars(const QString& text, qsizetype width);
// Removes the last character, whole.
void chopChar(QString& text);

} // namespace core
