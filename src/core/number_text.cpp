#include "core/number_text.h"

#include "core/errors.h"

#include <algorithm>

namespace core {

QString FixCurrency(const QString& text) {
    QString digits;
    for (QChar c : text)
        if (c >= '0' && c <= '9') digits += c;
    if (digits.size() >= 2) digits.insert(digits.size() - 2, '.');
    return digits;
}

QString FixFloat(const QString& text) {
    QString out;
    for (QChar c : text)
        if ((c >= '0' && c <= '9') || c == '.') out += c;
    return out;
}

QString FormatMoney(const Decimal& value) {
    return value.fixed(2);
}

QString FormatQuantity(const Decimal& value) {
    return value.fixed(std::max(2, value.places()));
}

Decimal ParseNumber(std::string_view text) {
    if (auto d = Decimal::read(text)) return *d;
    throw store::notAFloat(std::string(text));
}

Decimal ParseNumber(const QString& text) {
    return ParseNumber(std::string_view(text.toStdString()));
}

qint64 ParseWhole(const QString& text) {
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    if (!ok)
        throw ConversionError(QString("'%1' is not a valid integer value").arg(text).toStdString());
    return n;
}

Decimal ParseQuantity(const QString& text) {
    const Decimal q = ParseNumber(text);
    if (q.places() > 3)
        throw PosError(QString("'%1' has more decimals than a quantity can hold (three at most).")
                           .arg(text)
                           .toStdString());
    return q;
}

QString normalised(const QString& text, const QString& fallback,
                   QString (*helper)(const QString&)) {
    return helper(text.trimmed().isEmpty() ? fallback : text);
}

} // namespace core
