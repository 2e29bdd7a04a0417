#include "reports/list_filters.h"

#include "core/characters.h"

#include <algorithm>

namespace reports {

QString asciiLower(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= 'A' && c <= 'Z') c = QChar(c.unicode() + ('a' - 'A'));
    return out;
}

namespace {
// Code by code, the shorter text first when one begins the other.
int compareCodes(const QString& a, const QString& b) {
    const QByteArray x = a.toUtf8(), y = b.toUtf8();
    const qsizetype n = std::min(x.size(), y.size());
    for (qsizetype i = 0; i < n; ++i)
        if (x[i] != y[i]) return uchar(x[i]) < uchar(y[i]) ? -1 : 1;
    return x.size() < y.size() ? -1 : x.size() > y.size() ? 1 : 0;
}
} // namespace

CustomerRange::CustomerRange(const QString& from, const QString& to)
    : m_low(asciiLower((from.isEmpty() ? QString("A") : from).trimmed())),
      m_high(asciiLower((to.isEmpty() ? QString("Z") : to).trimmed())) {}

bool CustomerRange::contains(const QString& name) const {
    const QString key = asciiLower(name);
    return compareCodes(core::leftChars(key, core::charCount(m_low)), m_low) >= 0 &&
           compareCodes(core::leftChars(key, core::charCount(m_high)), m_high) <= 0;
}

NamePrefix::NamePrefix(const QString& from)
    : m_key(asciiLower((from.isEmpty() ? QString("A") : from).trimmed())) {}

bool NamePrefix::matches(const QString& name) const {
    // A name shorter than the key never matches.
    const qsizetype n = core::charCount(m_key);
    return core::charCount(name) >= n && asciiLower(core::leftChars(name, n)) == m_key;
}

} // namespace reports
