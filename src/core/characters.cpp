#include "core/characters.h"

namespace core {
namespace {
// The UTF-16 offset where character `index` starts (the size when past the end).
qsizetype offsetOf(const QString& text, qsizetype index) {
    qsizetype i = 0;
    for (qsizetype c = 0; c < index && i < text.size(); ++c)
        i += (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2
                                                                                                : 1;
    return i;
}
} // namespace

qsizetype charCount(const QString& text) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++n)
        i += (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2
                                                                                                : 1;
    return n;
}

QString midChars(const QString& text, qsizetype from, qsizetype count) {
    const qsizetype b = offsetOf(text, from);
    if (count < 0) return text.mid(b);
    const qsizetype e = b + offsetOf(text.mid(b), count);
    return text.mid(b, e - b);
}

QString fitChars(const QString& text, qsizetype width) {
    const QString cut = leftChars(text, width);
    return cut + QString(width - charCount(cut), ' ');
}

void chopChar(QString& text) {
    if (text.isEmpty()) return;
    const qsizetype n = text.size();
    text.chop(n >= 2 && text[n - 1].isLowSurrogate() && text[n - 2].isHighSurrogate() ? 2 : 1);
}

} // namespace core
