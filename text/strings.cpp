#include "text/strings.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace orvane::text {
namespace {

// The other case of a letter of Latin-1 (U+00C0 … U+00FF) or Latin Extended-A (U+0100 … U+017F), the
// letters of European names ("Ä", "Ł", "Č", "Ő"), when it is one of these too, so that a change of case
// keeps its two UTF-8 bytes; nothing for any other character. Most of Extended-A pairs an upper-case
// letter with the next code point; ĸ, ŉ and ſ have no upper case of their own, and the Turkish İ and ı
// pair with the ASCII i and I, a change of length that is left out.
std::optional<char32_t> OtherCase(char32_t point, bool toLower)
{
    constexpr char32_t kTimes = 0xD7;      // ×, not a letter
    constexpr char32_t kDivision = 0xF7;   // ÷, not a letter
    constexpr char32_t kLatin1Distance = 0x20;
    constexpr char32_t kYDiaeresis = 0xFF;       // ÿ
    constexpr char32_t kCapitalYDiaeresis = 0x178;  // Ÿ
    if (point >= 0xC0 && point <= 0xDE && point != kTimes)
        return toLower ? std::optional(point + kLatin1Distance) : std::nullopt;
    if (point >= 0xE0 && point <= 0xFE && point != kDivision)
        return toLower ? std::nullopt : std::optional(point - kLatin1Distance);
    if (point == kYDiaeresis || point == kCapitalYDiaeresis) {
        const bool upper = point == kCapitalYDiaeresis;
        return upper == toLower ? std::optional(upper ? kYDiaeresis : kCapitalYDiaeresis) : std::nullopt;
    }
    // Ranges where the upper-case letter is the even code point (Ā ā … Ķ ķ, Ŋ ŋ … Ŷ ŷ) or the odd one
    // (Ĺ ĺ … Ň ň, Ź ź … Ž ž).
    const bool evenUpper = (point >= 0x100 && point <= 0x12F) || (point >= 0x132 && point <= 0x137) ||
                           (point >= 0x14A && point <= 0x177);
    const bool oddUpper = (point >= 0x139 && point <= 0x148) || (point >= 0x179 && point <= 0x17E);
    if (!evenUpper && !oddUpper)
        return std::nullopt;
    const bool upper = (point % 2 == 0) == evenUpper;
    if (upper != toLower)
        return std::nullopt;
    return upper ? point + 1 : point - 1;
}

// Changes the case of the character starting at `pos`; returns the number of bytes it occupies.
size_t ChangeCaseAt(std::string& text, size_t pos, bool toLower)
{
    constexpr unsigned char kCaseDistance = 0x20;
    const auto c = static_cast<unsigned char>(text[pos]);
    if (c < 0x80) {
        if (toLower && c >= 'A' && c <= 'Z')
            text[pos] = static_cast<char>(c + kCaseDistance);
        else if (!toLower && c >= 'a' && c <= 'z')
            text[pos] = static_cast<char>(c - kCaseDistance);
        return 1;
    }
    // Two-byte characters up to U+017F: lead bytes 0xC3 … 0xC5.
    if (c >= 0xC3 && c <= 0xC5 && pos + 1 < text.size()) {
        const auto second = static_cast<unsigned char>(text[pos + 1]);
        if ((second & 0xC0) != 0x80)
            return 1;
        const char32_t point = (static_cast<char32_t>(c & 0x1F) << 6) | (second & 0x3F);
        if (const std::optional<char32_t> other = OtherCase(point, toLower)) {
            text[pos] = static_cast<char>(0xC0 | (*other >> 6));
            text[pos + 1] = static_cast<char>(0x80 | (*other & 0x3F));
        }
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
