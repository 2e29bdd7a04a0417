#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace store {

// A decimal number as the engine reads it from a text field: optional blanks around,
// optional sign, digits with at most one ".", optional exponent. Nothing else.
std::optional<double> parseDecimal(std::string_view text);

// Reads a decimal number or throws the conversion error naming the text.
double toNumber(std::string_view text);

// The shortest decimal text that reads back as the same double (1, 12.5, 0.1).
std::string shortestNumber(double value);

// A number field's text as stored: whole numbers without a point, others in shortest form.
std::string numberFieldText(double value);

// Cuts UTF-8 text to at most `width` characters and drops trailing blanks.
std::string fitToWidth(std::string_view text, int width);

// Text without its trailing blanks.
inline std::string_view trimRight(std::string_view text) {
    size_t e = text.size();
    while (e > 0 && text[e - 1] == ' ')
        --e;
    return text.substr(0, e);
}

} // namespace store
