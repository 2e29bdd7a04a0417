#include "core/decimal.h"

#include "core/errors.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace core {
namespace {

using Units = Decimal::Units;

[[noreturn]] void tooLarge() {
    throw PosError("A number is too large for the register to reckon with.");
}

Units pow10(int n) {
    Units p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

Units times10(Units u, int n) {
    for (int i = 0; i < n; ++i)
        if (__builtin_mul_overflow(u, Units(10), &u)) tooLarge();
    return u;
}

// Wide division is slow; amounts of a shop fit in 64 bits.
bool fits64(Units u) {
    return u > Units(INT64_MIN) && u < Units(INT64_MAX);
}

// u / 10^n, halves away from zero.
Units divideRounded(Units u, int n) {
    if (n <= 0) return times10(u, -n);
    if (n > 38) return 0;
    if (fits64(u) && n <= 18) {
        const std::int64_t v = std::int64_t(u), p = std::int64_t(pow10(n));
        std::int64_t q = v / p;
        const std::int64_t r = v % p;
        if ((r < 0 ? -r : r) * 2 >= p) q += v < 0 ? -1 : 1;
        return q;
    }
    const Units p = pow10(n);
    Units q = u / p;
    const Units r = u % p;
    const Units twice = r < 0 ? -r * 2 : r * 2;
    if (twice >= p) q += u < 0 ? -1 : 1;
    return q;
}

std::string digitsOf(Units u) {
    char buf[48];
    char* end = buf + sizeof buf;
    char* p = end;
    if (fits64(u)) {
        std::uint64_t v = std::uint64_t(std::int64_t(u));
        do {
            *--p = char('0' + v % 10);
            v /= 10;
        } while (v != 0);
    } else {
        do {
            *--p = char('0' + int(u % 10));
            u /= 10;
        } while (u != 0);
    }
    return std::string(p, end);
}

// The largest value we carry, in digits: leaves room for a product of two amounts.
constexpr int kMaxDigits = 36;

} // namespace

Decimal Decimal::fromUnits(Units units, int scale) {
    Decimal d;
    if (scale < 0) {
        d.m_units = times10(units, -scale);
        d.m_scale = 0;
    } else if (scale > kMaxScale) {
        d.m_units = divideRounded(units, scale - kMaxScale);
        d.m_scale = kMaxScale;
    } else {
        d.m_units = units;
        d.m_scale = scale;
    }
    return d;
}

std::optional<Decimal> Decimal::read(std::string_view text) {
    // The common case first: [-]digits[.digits], few enough digits to need no care.
    {
        size_t i = 0;
        const size_t n = text.size();
        const bool negative = n > 0 && text[0] == '-';
        if (negative) ++i;
        std::int64_t units = 0;
        int digits = 0, scale = -1;
        for (; i < n; ++i) {
            const char c = text[i];
            if (c >= '0' && c <= '9') {
                units = units * 10 + (c - '0');
                ++digits;
                if (scale >= 0) ++scale;
            } else if (c == '.' && scale < 0) {
                scale = 0;
            } else {
                break;
            }
        }
        if (i == n && digits > 0 && digits <= 17)
            return fromUnits(negative ? -units : units, scale < 0 ? 0 : scale);
    }
    size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t'))
        --e;
    const std::string_view s = text.substr(b, e - b);
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

    std::string digits; // significant digits, without leading zeros
    int fractionDigits = 0;
    bool anyDigit = false;
    auto take = [&](bool fraction) {
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            anyDigit = true;
            if (!(digits.empty() && s[i] == '0')) digits += s[i];
            if (fraction) ++fractionDigits;
            ++i;
        }
    };
    take(false);
    if (i < s.size() && s[i] == '.') {
        ++i;
        take(true);
    }
    if (!anyDigit) return std::nullopt;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) expNegative = s[i++] == '-';
        const size_t start = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            if (exponent < 1000000) exponent = exponent * 10 + (s[i] - '0');
            ++i;
        }
        if (i == start) return std::nullopt;
        if (expNegative) exponent = -exponent;
    }
    if (i != s.size()) return std::nullopt;

    // The digits (fraction digits included, leading zeros dropped) × 10^-scale.
    const long long scale = fractionDigits - exponent;
    if (digits.empty()) return Decimal();
    const long long wholeDigits = static_cast<long long>(digits.size()) - scale;
    if (wholeDigits > kMaxDigits - kMaxScale)
        throw PosError("'" + std::string(text) + "' is too large a number for the register.");
    // Past kMaxScale decimals only the rounding digit counts.
    long long keep = static_cast<long long>(digits.size());
    if (scale > kMaxScale) keep -= scale - kMaxScale;
    if (keep < 0) return Decimal(); // every digit lies beyond the rounding digit
    Units units = 0;
    for (long long k = 0; k < keep; ++k)
        units = units * 10 + (digits[size_t(k)] - '0');
    if (keep < static_cast<long long>(digits.size()) && digits[size_t(keep)] >= '5') ++units;
    Decimal d = fromUnits(units, int(scale > kMaxScale ? kMaxScale : scale));
    if (negative) d.m_units = -d.m_units;
    return d;
}

Decimal Decimal::rounded(int places) const {
    if (places >= m_scale) return *this;
    Decimal d;
    d.m_units = divideRounded(m_units, m_scale - places);
    d.m_scale = places;
    return d;
}

QString Decimal::fixed(int places) const {
    const Decimal r = rounded(places);
    const Units units = times10(r.m_units, places - r.m_scale);
    if (fits64(units) && places <= 18) {
        // Written backwards into a small buffer: the usual amounts, without a heap detour.
        char buf[48];
        char* end = buf + sizeof buf;
        char* p = end;
        std::uint64_t v = units < 0 ? std::uint64_t(-std::int64_t(units)) : std::uint64_t(units);
        for (int k = 0; k < places; ++k, v /= 10)
            *--p = char('0' + v % 10);
        if (places > 0) *--p = '.';
        do {
            *--p = char('0' + v % 10);
            v /= 10;
        } while (v != 0);
        if (units < 0) *--p = '-';
        return QString::fromLatin1(p, qsizetype(end - p));
    }
    std::string s = digitsOf(units < 0 ? -units : units);
    if (places > 0) {
        if (s.size() <= size_t(places)) s.insert(0, size_t(places) + 1 - s.size(), '0');
        s.insert(s.size() - size_t(places), 1, '.');
    }
    if (units < 0) s.insert(s.begin(), '-');
    return QString::fromStdString(s);
}

int Decimal::places() const {
    int p = m_scale;
    if (fits64(m_units)) {
        std::int64_t u = std::int64_t(m_units);
        while (p > 0 && u % 10 == 0) {
            u /= 10;
            --p;
        }
        return p;
    }
    Units u = m_units;
    while (p > 0 && u % 10 == 0) {
        u /= 10;
        --p;
    }
    return p;
}

Decimal Decimal::shifted(int n) const {
    return fromUnits(m_units, m_scale + n);
}

Decimal Decimal::operator-() const {
    Decimal d = *this;
    d.m_units = -d.m_units;
    return d;
}

Decimal operator+(const Decimal& a, const Decimal& b) {
    const int scale = std::max(a.m_scale, b.m_scale);
    Units sum;
    if (__builtin_add_overflow(times10(a.m_units, scale - a.m_scale),
                               times10(b.m_units, scale - b.m_scale), &sum))
        tooLarge();
    return Decimal::fromUnits(sum, scale);
}

Decimal operator*(const Decimal& a, const Decimal& b) {
    Units product;
    if (__builtin_mul_overflow(a.m_units, b.m_units, &product)) tooLarge();
    return Decimal::fromUnits(product, a.m_scale + b.m_scale);
}

int Decimal::compare(const Decimal& a, const Decimal& b) {
    if (a.sign() != b.sign()) return a.sign() < b.sign() ? -1 : 1;
    const int scale = std::max(a.m_scale, b.m_scale);
    const Units x = times10(a.m_units, scale - a.m_scale);
    const Units y = times10(b.m_units, scale - b.m_scale);
    return x < y ? -1 : x > y ? 1 : 0;
}

} // namespace core
