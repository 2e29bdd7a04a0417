#pragma once

#include <QString>

#include <compare>
#include <cstdint>
#include <optional>
#include <string_view>

namespace core {

// An exact decimal number, as the register reckons amounts (cents), quantities (thousandths)
// and rates: a whole number of units of 10^-scale, so 12.50 is 1250 units at scale 2. No
// binary floating point lies between the text read and the text written, so what is shown,
// printed and stored adds up cent for cent.
class Decimal {
public:
    using Units = __int128;
    // Finer than anything the shop counts; a product of two numbers is cut back to it.
    static constexpr int kMaxScale = 18;

    constexpr Decimal() = default;
    static Decimal fromUnits(Units units, int scale);
    static Decimal whole(std::int64_t n) { return fromUnits(n, 0); }

    // Reads a number text: blanks around it, an optional sign, digits with at most one ".",
    // an optional exponent. Nullopt when the text is no number; a number too large to carry
    // throws PosError. Decimals past kMaxScale round half away from zero.
    static std::optional<Decimal> read(std::string_view text);

    // Rounded to `places` decimals, halves away from zero (2.675 → 2.68, −0.625 → −0.63).
    Decimal rounded(int places) const;
    // Rounded to `places` decimals and written with exactly that many; "-" only when the
    // written value is not zero.
    QString fixed(int places) const;
    // The decimals needed to write the value exactly (0.50 needs 1, 9.996 needs 3).
    int places() const;
    int sign() const { return m_units > 0 ? 1 : m_units < 0 ? -1 : 0; }
    // The value divided by 10^n, exactly (a percentage as a fraction: shifted(2)).
    Decimal shifted(int n) const;

    Decimal operator-() const;
    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b) { return a + -b; }
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    Decimal& operator+=(const Decimal& b) { return *this = *this + b; }
    Decimal& operator-=(const Decimal& b) { return *this = *this - b; }
    friend bool operator==(const Decimal& a, const Decimal& b) { return compare(a, b) == 0; }
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
        return compare(a, b) <=> 0;
    }

private:
    static int compare(const Decimal& a, const Decimal& b);

    Units m_units = 0;
    int m_scale = 0;
};

} // namespace core
