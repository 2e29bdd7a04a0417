#include "core/number_text.h"

#include "store/errors.h"
#include "store/text.h"

#include <cmath>
#include <cstdio>

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

QString FormatMoney(double value) {
    if (!std::isfinite(value)) throw store::PosError("The amount is too large to be shown.");
    // %.70f is the exact decimal value of every double from 0.001 up (no double has more
    // fractional digits there); below that the cents are 0 whatever is cut.
    static thread_local std::string buf(400, '\0');
    int n = std::snprintf(nullptr, 0, "%.70f", std::fabs(value));
    if (int(buf.size()) <= n) buf.resize(n + 1);
    std::snprintf(buf.data(), buf.size(), "%.70f", std::fabs(value));
    const size_t dot = buf.find('.');
    std::string cents = buf.substr(0, dot) + buf.substr(dot + 1, 2);
    if (buf[dot + 3] >= '5') {
        // Round away from zero: add one cent to the digit string.
        int i = int(cents.size()) - 1;
        while (i >= 0 && cents[i] == '9')
            cents[i--] = '0';
        if (i >= 0)
            ++cents[i];
        else
            cents.insert(cents.begin(), '1');
    }
    size_t firstDigit = cents.find_first_not_of('0');
    std::string whole = cents.substr(0, cents.size() - 2);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.empty()) whole = "0";
    std::string out = whole + "." + cents.substr(cents.size() - 2);
    if (value < 0 && firstDigit != std::string::npos) out.insert(out.begin(), '-');
    return QString::fromStdString(out);
}

double ParseNumber(const QString& text) {
    return store::toNumber(text.toStdString());
}

QString normalised(const QString& text, const QString& fallback,
                   QString (*helper)(const QString&)) {
    return helper(text.trimmed().isEmpty() ? fallback : text);
}

} // namespace core
