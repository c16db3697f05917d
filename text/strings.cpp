#include "text/strings.h"

#include <algorithm>
#include <charconv>

namespace orvane::text {
namespace {

// UTF-8 lead byte of the Latin-1 letters U+00C0 … U+00FF, and the ranges of their second bytes.
constexpr unsigned char kLatin1Lead = 0xC3;
constexpr unsigned char kUpperFirst = 0x80;  // À
constexpr unsigned char kUpperLast = 0x9E;   // Þ
constexpr unsigned char kLowerFirst = 0xA0;  // à
constexpr unsigned char kLowerLast = 0xBE;   // þ
constexpr unsigned char kTimesSign = 0x97;   // ×, not a letter
constexpr unsigned char kDivisionSign = 0xB7;  // ÷, not a letter
constexpr unsigned char kCaseDistance = 0x20;

// Changes the case of the character starting at `pos`; returns the number of bytes it occupies.
size_t ChangeCaseAt(std::string& text, size_t pos, bool toLower)
{
    const auto c = static_cast<unsigned char>(text[pos]);
    if (c < 0x80) {
        if (toLower && c >= 'A' && c <= 'Z')
            text[pos] = static_cast<char>(c + kCaseDistance);
        else if (!toLower && c >= 'a' && c <= 'z')
            text[pos] = static_cast<char>(c - kCaseDistance);
        return 1;
    }
    if (c == kLatin1Lead && pos + 1 < text.size()) {
        const auto second = static_cast<unsigned char>(text[pos + 1]);
        if (toLower && second >= kUpperFirst && second <= kUpperLast && second != kTimesSign)
            text[pos + 1] = static_cast<char>(second + kCaseDistance);
        else if (!toLower && second >= kLowerFirst && second <= kLowerLast && second != kDivisionSign)
            text[pos + 1] = static_cast<char>(second - kCaseDistance);
        return 2;
    }
    // Any other character: skip its continuation bytes.
    size_t length = 1;
    while (pos + length < text.size() && (static_cast<unsigned char>(text[pos + length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::string_view Trimmed(std::string_view text, std::string_view blanks)
{
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string LowerCase(std::string_view text)
{
    std::string result(text);
    for (size_t pos = 0; pos < result.size();)
        pos += ChangeCaseAt(result, pos, true);
    return result;
}

std::string UpperCaseFirst(std::string_view text)
{
    std::string result(text);
    if (!result.empty())
        ChangeCaseAt(result, 0, false);
    return result;
}

size_t CharacterCount(std::string_view text)
{
    size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

std::string PadRight(std::string_view text, size_t width)
{
    std::string result(text);
    const size_t count = CharacterCount(text);
    if (count < width)
        result.append(width - count, ' ');
    return result;
}

double Val(std::string_view text)
{
    std::string number;
    bool seenDigit = false;
    bool seenPoint = false;
    for (const char c : text) {
        if (IsBlank(c))
            continue;
        if ((c == '-' || c == '+') && number.empty()) {
            number += c;
        } else if (c >= '0' && c <= '9') {
            number += c;
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            number += c;
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;
    // Read without the C library's locale, whose decimal separator may be a comma.
    const bool negative = number.front() == '-';
    const size_t start = (number.front() == '-' || number.front() == '+') ? 1 : 0;
    double value = 0.0;
    std::from_chars(number.data() + start, number.data() + number.size(), value);
    return negative ? -value : value;
}

std::string SeparateThousands(std::string_view number, char separator)
{
    const size_t sign = !number.empty() && (number[0] == '-' || number[0] == '+') ? 1 : 0;
    const std::string_view digits = number.substr(sign);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::string(number);
    std::string separated(number.substr(0, sign));
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            separated += separator;
        separated += digits[i];
    }
    return separated;
}

}  // namespace orvane::text
