#pragma once

#include "core/decimal.h"

#include <QString>

#include <string_view>

namespace core {

// Every amount, price, quantity and rate is text with "." as its decimal point.

// Keeps the digits and takes the last two as cents: "1250" → "12.50", "12" → ".12".
QString FixCurrency(const QString& text);

// Keeps the digits and full stops: "-2" → "2", "1,000" → "1000", "abc" → "".
QString FixFloat(const QString& text);

// Fixed two-decimal money text, rounded to the cent at every magnitude, halves away from
// zero; "-" only when the result is not zero.
QString FormatMoney(const Decimal& value);

// A stock or other quantity: two decimals, or three when the third is needed (9.996).
QString FormatQuantity(const Decimal& value);

// Reads a number text (blanks around, sign, digits with one ".", exponent) exactly, or throws
// the conversion error "'%s' is not a valid floating point value".
Decimal ParseNumber(const QString& text);
Decimal ParseNumber(std::string_view text);
inline Decimal ParseNumber(const char* text) {
    return ParseNumber(std::string_view(text));
}

// A whole number (an invoice number) or the conversion error "'%s' is not a valid integer
// value".
qint64 ParseWhole(const QString& text);

// A quantity the register can count: at most three decimals, or an error naming the text.
Decimal ParseQuantity(const QString& text);

// The three steps every cleaned entry field follows: default when blank, helper, back.
QString normalised(const QString& text, const QString& fallback, QString (*helper)(const QString&));

} // namespace core
