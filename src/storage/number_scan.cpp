#include "storage/number_scan.h"


namespace airvane {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexDigit(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Reads "%d" (with an optional precision) at in[pos]; pos ends on the first
// character that is not part of the number.
int32_t scanDecimal(std::string_view in, std::size_t& pos, int precision) {
    bool negative = false;
    if (pos < in.size() && (in[pos] == '-' || in[pos] == '+')) {
        negative = in[pos] == '-';
        ++pos;
    }
    uint32_t value = 0;
    bool afterPoint = false;
    int fractionDigits = 0;
    while (pos < in.size()) {
        char c = in[pos];
        if (c == '.') {
            if (afterPoint) break;  // a second point ends the number
            afterPoint = true;
        } else if (!isDigit(c)) {
            break;
        } else if (!afterPoint) {
            value = value * 10u + static_cast<uint32_t>(c - '0');
        } else if (fractionDigits < precision) {
            value = value * 10u + static_cast<uint32_t>(c - '0');
            ++fractionDigits;
        } else if (fractionDigits == precision) {
            if (c >= '5') value += 1;  // the first digit beyond rounds
            ++fractionDigits;          // later digits are skipped
        }
        ++pos;
    }
    for (int unused = fractionDigits; unused < precision; ++unused) value *= 10u;
    return static_cast<int32_t>(negative ? 0u - value : value);
}

}  // namespace

int32_t parseNumber(std::string_view text, int* consumed) {
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    bool negative = false;
    bool hex = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        hex = true;
        pos += 2;
    }
    uint32_t value = 0;
    std::size_t lastDigitEnd = 0;
    for (; pos < text.size(); ++pos) {
        int digit = hex ? hexDigit(text[pos]) : (isDigit(text[pos]) ? text[pos] - '0' : -1);
        if (digit < 0) break;
        value = value * (hex ? 16u : 10u) + static_cast<uint32_t>(digit);
        lastDigitEnd = pos + 1;
    }
    if (consumed) *consumed = static_cast<int>(lastDigitEnd);
    if (lastDigitEnd == 0) return 0;
    return static_cast<int32_t>(negative ? 0u - value : value);
}

bool scanText(std::string_view in, std::string_view format, std::initializer_list<ScanTarget> outputs) {
    std::size_t i = 0;
    std::size_t f = 0;
    const ScanTarget* nextOutput = outputs.begin();
    auto takeOutput = [&]() -> const ScanTarget* {
        return nextOutput == outputs.end() ? nullptr : nextOutput++;
    };

    while (i < in.size() && f < format.size()) {
        char fc = format[f];
        if (fc == '%') {
            std::size_t letterAt = f + 1;
            int precision = 0;
            if (letterAt < format.size() && format[letterAt] == '.') {
                ++letterAt;
                while (letterAt < format.size() && isDigit(format[letterAt])) {
                    precision = precision * 10 + (format[letterAt] - '0');
                    if (precision > 9) precision = 9;  // beyond that every value overflows anyway
                    ++letterAt;
                }
            }
            char letter = letterAt < format.size() ? format[letterAt] : '\0';
            if (letter == 'd' || letter == 'c' || letter == 's') {
                const ScanTarget* out = takeOutput();
                if (letter == 'd') {
                    auto* target = out ? std::get_if<int32_t*>(out) : nullptr;
                    if (!target) return false;
                    **target = scanDecimal(in, i, precision);
                } else if (letter == 'c') {
                    auto* target = out ? std::get_if<char*>(out) : nullptr;
                    if (!target) return false;
                    **target = in[i++];
                } else {
                    auto* target = out ? std::get_if<std::string*>(out) : nullptr;
                    if (!target) return false;
                    std::string& dest = **target;
                    dest.clear();
                    if (in[i] == '\'' || in[i] == '"') {
                        char quote = in[i++];
                        while (i < in.size() && in[i] != quote) dest.push_back(in[i++]);
                        if (i < in.size()) ++i;  // the closing quote
                    } else {
                        while (i < in.size() && !isBlank(in[i])) dest.push_back(in[i++]);
                    }
                }
                f = letterAt + 1;
                continue;
            }
            if (letter == '%' && letterAt == f + 1) {
                if (in[i] != '%') break;
                ++i;
                f += 2;
                continue;
            }
            // Any other letter: the '%' is a literal of its own.
            if (in[i] != '%') break;
            ++i;
            ++f;
            continue;
        }
        bool blankIn = isBlank(in[i]);
        bool blankFormat = isBlank(fc);
        if (blankIn || blankFormat) {
            if (!(blankIn && blankFormat)) break;
            while (i < in.size() && isBlank(in[i])) ++i;
            while (f < format.size() && isBlank(format[f])) ++f;
            continue;
        }
        if (in[i] != fc) break;
        ++i;
        ++f;
    }
    return i == in.size() && f == format.size();
}

}  // namespace airvane
