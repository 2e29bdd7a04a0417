#include "register/devices/pole.h"

#include "core/characters.h"

namespace reg {

QString poleTopLine(const QString& text) {
    return core::fitChars(text + ' ', 20);
}

QString poleSpread(const QString& left, const QString& right, int width) {
    const qsizetype blanks =
        std::max<qsizetype>(1, width - core::charCount(left) - core::charCount(right));
    return left + QString(blanks, ' ') + right;
}

QByteArray poleBytes(const QString& text) {
    QByteArray out;
    for (char32_t c : text.toUcs4())
        out += c <= 0xFF ? char(c) : '?';
    return out;
}

} // namespace reg
