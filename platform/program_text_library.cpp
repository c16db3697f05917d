#include "platform/program_text_library.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <limits>
#include <string_view>

namespace orvane::platform {
namespace {

constexpr int32_t kCannotOpen = -1;
constexpr int32_t kFileEmpty = -6;
constexpr int32_t kReadError = -7;
constexpr int32_t kMissingStringBase = -500;
constexpr int32_t kTooLongBase = -1000;
constexpr int32_t kDuplicateBase = -1500;

int64_t Key(int32_t number, int32_t language)
{
    return static_cast<int64_t>(number) * 2 + language;
}

// Number of Unicode code points in a UTF-8 text (continuation bytes are not counted).
size_t CodePoints(std::string_view text)
{
    size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0U) != 0x80U ? 1 : 0;
    return count;
}

template <typename T>
bool ParseWhole(std::string_view field, T& value)
{
    if (field.empty())
        return false;
    const auto* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    return ec == std::errc() && ptr == end;
}

}  // namespace

int32_t ProgramTextLibrary::lt(const std::string& fullFileName, int32_t /*flags*/)
{
    m_texts.clear();
    std::ifstream file(fullFileName, std::ios::binary);
    if (!file)
        return kCannotOpen;

    std::unordered_map<int64_t, std::string> texts;
    std::string line;
    int32_t lineNumber = 0;
    bool anyByte = false;
    while (std::getline(file, line)) {
        ++lineNumber;
        anyByte = true;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (lineNumber == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0)
            line.erase(0, 3);  // a byte-order mark written by some editors
        if (line.empty() || line[0] == '#')
            continue;

        const std::string_view view(line);
        const size_t first = view.find('|');
        const size_t second = first == std::string_view::npos ? first : view.find('|', first + 1);
        int16_t number = 0;
        int32_t language = -1;
        if (second == std::string_view::npos || !ParseWhole(view.substr(0, first), number) ||
            !ParseWhole(view.substr(first + 1, second - first - 1), language) || language < 0 ||
            language > 1)
            return kMissingStringBase - lineNumber;

        const std::string_view text = view.substr(second + 1);
        if (text.empty())
            return kMissingStringBase - lineNumber;
        if (CodePoints(text) > static_cast<size_t>(kMaxTextChars))
            return kTooLongBase - lineNumber;
        if (!texts.emplace(Key(number, language), std::string(text)).second)
            return kDuplicateBase - lineNumber;
    }
    if (file.bad())
        return kReadError;
    if (!anyByte)
        return kFileEmpty;
    if (texts.empty())
        return 0;
    m_texts = std::move(texts);
    return static_cast<int32_t>(std::min<size_t>(m_texts.size(), std::numeric_limits<int32_t>::max()));
}

int32_t ProgramTextLibrary::gt(int32_t number, int32_t language, std::string& buffer, int32_t capacity,
                               int32_t /*mode*/) const
{
    const auto found = m_texts.find(Key(number, language));
    if (found == m_texts.end() || CodePoints(found->second) > static_cast<size_t>(capacity))
        return 0;
    buffer = found->second;
    return static_cast<int32_t>(buffer.size());
}

}  // namespace orvane::platform
