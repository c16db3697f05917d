#include "charts/exchange.h"

#include "text/language.h"

#include <array>

namespace orvane::charts {

namespace {

// Windows-1252's characters for the bytes 0x80 … 0x9F (0 where it has none: the byte stays as Latin-1's
// control character).
constexpr std::array<char32_t, 32> kWindows1252High{
    U'€', 0,     U'‚', U'ƒ', U'„', U'…', U'†', U'‡', U'ˆ', U'‰', U'Š', U'‹', U'Œ', 0,     U'Ž', 0,
    0,    U'‘', U'’', U'“', U'”', U'•', U'–', U'—', U'˜', U'™', U'š', U'›', U'œ', 0,     U'ž', U'Ÿ'};

void AppendUtf8(char32_t point, std::string& out)
{
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | point >> 6);
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | point >> 12);
        out += static_cast<char>(0x80 | (point >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | point >> 18);
        out += static_cast<char>(0x80 | (point >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (point >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

// The code point at `at` of valid UTF-8 and its length; length 0 where the bytes are no valid UTF-8
// (overlong forms, surrogates and points beyond U+10FFFF included).
std::pair<char32_t, size_t> Utf8Point(std::string_view text, size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80)
        return {lead, 1};
    const size_t length = lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                                          : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
    if (length == 0 || at + length > text.size())
        return {0, 0};
    char32_t point = lead & (0x7F >> length);
    for (size_t next = 1; next < length; ++next) {
        const auto byte = static_cast<unsigned char>(text[at + next]);
        if ((byte & 0xC0) != 0x80)
            return {0, 0};
        point = point << 6 | (byte & 0x3F);
    }
    constexpr std::array<char32_t, 5> kLeast{0, 0, 0x80, 0x800, 0x10000};
    if (point < kLeast[length] || point > 0x10FFFF || (point >= 0xD800 && point < 0xE000))
        return {0, 0};
    return {point, length};
}

bool ValidUtf8(std::string_view text)
{
    for (size_t at = 0; at < text.size();) {
        const size_t length = Utf8Point(text, at).second;
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

}  // namespace

std::string DecodedText(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    if (ValidUtf8(bytes))
        return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        const char32_t high = value >= 0x80 && value < 0xA0 ? kWindows1252High[value - 0x80] : 0;
        AppendUtf8(high != 0 ? high : value, text);
    }
    return text;
}

std::string EncodedText(std::string_view text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8)
        return std::string(text);
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const auto [point, length] = Utf8Point(text, at);
        at += length == 0 ? 1 : length;
        if (length != 0 && point < 0x100 && (point < 0x80 || point >= 0xA0)) {
            bytes += static_cast<char>(point);
            continue;
        }
        char out = '?';
        for (size_t index = 0; index < kWindows1252High.size(); ++index)
            if (length != 0 && kWindows1252High[index] == point)
                out = static_cast<char>(0x80 + index);
        bytes += out;
    }
    return bytes;
}

std::string SkipReason(const text::Language& language, int16_t number, const std::string& r1, const std::string& r2,
                       const std::string& r3)
{
    return language.TextWithReplacements(number, r1, r2, r3);
}

}  // namespace orvane::charts
