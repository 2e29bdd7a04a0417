#include "store/text.h"

#include "store/errors.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace store {

ConversionError notAFloat(const std::string& text) {
    return ConversionError("'" + text + "' is not a valid floating point value");
}

std::optional<double> parseDecimal(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t'))
        --e;
    std::string_view s = text.substr(b, e - b);
    if (s.empty()) return std::nullopt;

    // Check the shape ourselves: from_chars alone would accept "inf", "nan" and hex.
    size_t i = 0;
    if (s[i] == '+' || s[i] == '-') ++i;
    size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i, ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;

    std::string_view body = s;
    if (body[0] == '+') body.remove_prefix(1);
    double value = 0;
    auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Overflow is not a number we can carry; underflow reads as zero.
        double v = std::strtod(std::string(body).c_str(), nullptr);
        if (!std::isfinite(v) || std::abs(v) > 1.0) return std::nullopt;
        return 0.0;
    }
    if (ec != std::errc() || ptr != body.data() + body.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double toNumber(std::string_view text) {
    if (auto v = parseDecimal(text)) return *v;
    throw notAFloat(std::string(text));
}

std::string shortestNumber(double value) {
    if (value == 0) return "0";
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec != std::errc()) return "0";
    return std::string(buf, ptr);
}

std::string numberFieldText(double value) {
    if (value == std::floor(value) && std::abs(value) < 9.2e18)
        return std::to_string(static_cast<std::int64_t>(value));
    return shortestNumber(value);
}

std::string fitToWidth(std::string_view text, int width) {
    size_t i = 0;
    int chars = 0;
    while (i < text.size() && chars < width) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        size_t len = c < 0x80           ? 1
                     : (c >> 5) == 0x6  ? 2
                     : (c >> 4) == 0xE  ? 3
                     : (c >> 3) == 0x1E ? 4
                                        : 1;
        // Never split a character: a broken sequence counts its lead byte alone.
        size_t j = 1;
        while (j < len && i + j < text.size() &&
               (static_cast<unsigned char>(text[i + j]) & 0xC0) == 0x80)
            ++j;
        i += j;
        ++chars;
    }
    return std::string(trimRight(text.substr(0, i)));
}

} // namespace store
