#include "platform/program_text_library.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
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
// Line numbers from 500 on would run into the next kind's codes.
constexpr int32_t kLastCodedLine = 499;

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

// Appends the whole file to `content`; false on a read error. A few dozen kilobytes, read at once.
bool ReadAll(std::FILE* file, std::string& content)
{
    std::array<char, 16384> chunk;
    size_t got = 0;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0)
        content.append(chunk.data(), got);
    return std::ferror(file) == 0;
}

// One line of the file without its line break (and, on line 1, without a byte-order mark written by
// some editors); `offset` is where the line's text begins in the file.
struct TextLine {
    std::string_view view;
    size_t offset = 0;
};

// Cuts the line that begins at `start` and moves `start` past its line break.
TextLine CutLine(std::string_view whole, size_t& start, int32_t lineNumber)
{
    const size_t end = std::min(whole.find('\n', start), whole.size());
    TextLine line{whole.substr(start, end - start), start};
    start = end + 1;
    if (!line.view.empty() && line.view.back() == '\r')
        line.view.remove_suffix(1);
    if (lineNumber == 1 && line.view.starts_with("\xEF\xBB\xBF")) {
        line.view.remove_prefix(3);
        line.offset += 3;
    }
    return line;
}

// A text line "number|language|text"; `textOffset` is where the text begins in the line.
struct TextRecord {
    int16_t number = 0;
    int32_t language = -1;
    std::string_view text;
    size_t textOffset = 0;
};

// False when the number or the language (0 or 1) is missing or not a whole number.
bool ParseRecord(std::string_view line, TextRecord& record)
{
    const size_t first = line.find('|');
    const size_t second = first == std::string_view::npos ? first : line.find('|', first + 1);
    if (second == std::string_view::npos || !ParseWhole(line.substr(0, first), record.number) ||
        !ParseWhole(line.substr(first + 1, second - first - 1), record.language) || record.language < 0 ||
        record.language > 1)
        return false;
    record.text = line.substr(second + 1);
    record.textOffset = second + 1;
    return true;
}

// Inserts an entry into the index kept in order of keys; false when its key is there already. The file
// lists its texts mostly in order, so that most go at the end.
template <typename Index>
bool InsertByKey(Index& index, const typename Index::value_type& entry)
{
    const auto place = index.empty() || index.back().key < entry.key
                           ? index.end()
                           : std::lower_bound(index.begin(), index.end(), entry.key,
                                              [](const auto& e, int64_t key) { return e.key < key; });
    if (place != index.end() && place->key == entry.key)
        return false;
    index.insert(place, entry);
    return true;
}

}  // namespace

int32_t ProgramTextLibrary::LoadFile(const std::string& fullFileName, int32_t /*flags*/)
{
    m_content.clear();
    m_index.clear();
    m_faultLine = 0;
    // A fault at line L: the code of its kind, with the line as far as the codes hold it.
    const auto fault = [this](int32_t base, int32_t line) {
        m_faultLine = line;
        return base - std::min(line, kLastCodedLine);
    };
    std::FILE* file = std::fopen(fullFileName.c_str(), "rb");
    if (file == nullptr)
        return kCannotOpen;
    std::string content;
    const bool readError = !ReadAll(file, content);
    std::fclose(file);
    if (readError)
        return kReadError;
    if (content.empty())
        return kFileEmpty;

    std::vector<Entry> index;
    index.reserve(static_cast<size_t>(std::count(content.begin(), content.end(), '\n')) + 1);
    const std::string_view whole(content);
    size_t start = 0;
    int32_t lineNumber = 0;
    while (start < whole.size()) {
        const TextLine line = CutLine(whole, start, ++lineNumber);
        if (line.view.empty() || line.view[0] == '#')
            continue;

        TextRecord record;
        if (!ParseRecord(line.view, record))
            return fault(kMissingStringBase, lineNumber);
        if (record.text.empty())
            return fault(kMissingStringBase, lineNumber);
        if (CodePoints(record.text) > static_cast<size_t>(kMaxTextChars))
            return fault(kTooLongBase, lineNumber);
        const Entry entry{Key(record.number, record.language), static_cast<uint32_t>(line.offset + record.textOffset),
                          static_cast<uint32_t>(record.text.size())};
        if (!InsertByKey(index, entry))
            return fault(kDuplicateBase, lineNumber);
    }
    if (index.empty())
        return 0;
    m_content = std::move(content);
    m_index = std::move(index);
    return static_cast<int32_t>(std::min<size_t>(m_index.size(), std::numeric_limits<int32_t>::max()));
}

int32_t ProgramTextLibrary::CopyText(int32_t number, int32_t language, std::string& buffer, int32_t capacity,
                               int32_t /*mode*/) const
{
    const int64_t key = Key(number, language);
    const auto found = std::lower_bound(m_index.begin(), m_index.end(), key,
                                        [](const Entry& e, int64_t k) { return e.key < k; });
    if (found == m_index.end() || found->key != key)
        return 0;
    const std::string_view text = std::string_view(m_content).substr(found->offset, found->length);
    if (CodePoints(text) > static_cast<size_t>(capacity))
        return 0;
    buffer.assign(text);
    return static_cast<int32_t>(buffer.size());
}

}  // namespace orvane::platform
