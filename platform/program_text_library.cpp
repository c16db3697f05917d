#include "platform/program_text_library.h"

#include "platform/input_file.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace orvane::platform {
namespace {

// The fault of a text whose number and language were seen before.
constexpr const char* kDuplicate = "Duplicate in program text";

// Line break inside the program's texts.
constexpr const char* kLineBreak = "\r\n";

// A load that failed: the critical message, then the file's name on a line of its own.
Message Named(const std::string& what, const std::string& fullFileName)
{
    return Message::Critical("", what + kLineBreak + fullFileName);
}

Result<int32_t> Failed(const std::string& what, const std::string& fullFileName)
{
    return Result<int32_t>(ErrorCode::Damaged, Named(what, fullFileName));
}

// What a file that could not be read is told with.
std::string ReadFault(FileFault fault)
{
    switch (fault) {
    case FileFault::CannotOpen: return "Cannot open file containing program text.";
    case FileFault::NotAFile: return "The program text is not a file.";
    case FileFault::TooLarge: return "Too much program text.";
    case FileFault::CannotRead: break;
    }
    return "Error reading file.";
}

// Number of Unicode code points in a UTF-8 text (continuation bytes are not counted).
size_t CodePoints(std::string_view text)
{
    size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0U) != 0x80U ? 1 : 0;
    return count;
}

// The whole field as a number, or nothing.
template <typename T>
std::optional<T> ParseWhole(std::string_view field)
{
    T value{};
    const auto* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (field.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
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

// Nothing when the number or the language (0 or 1) is missing or not a whole number.
std::optional<TextRecord> ParseRecord(std::string_view line)
{
    const size_t first = line.find('|');
    const size_t second = first == std::string_view::npos ? first : line.find('|', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    const std::optional<int16_t> number = ParseWhole<int16_t>(line.substr(0, first));
    const std::optional<int32_t> language = ParseWhole<int32_t>(line.substr(first + 1, second - first - 1));
    if (!number || !language || *language < 0 || *language > 1)
        return std::nullopt;
    return TextRecord{*number, *language, line.substr(second + 1), second + 1};
}

// The line of the file at which `offset` stands, counted from 1.
int32_t LineAt(std::string_view whole, size_t offset)
{
    return 1 + static_cast<int32_t>(std::count(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(offset), '\n'));
}

// Puts the index in order of keys and returns the line of the first text, reading down the file, whose
// number and language came before; nothing when every key is there once. The keys are small (a 16-bit
// number and a language), so each entry goes straight to its key's place and the index is read off in
// order: cheaper than sorting the German texts in among the English ones.
template <typename Index>
std::optional<int32_t> OrderByKey(Index& index, std::string_view whole)
{
    const auto increasing = [](const auto& a, const auto& b) { return a.key >= b.key; };
    if (std::adjacent_find(index.begin(), index.end(), increasing) == index.end())
        return std::nullopt;
    const auto [lowest, highest] = std::minmax_element(index.begin(), index.end(),
                                                       [](const auto& a, const auto& b) { return a.key < b.key; });
    const int64_t first = lowest->key;
    std::vector<int32_t> place(static_cast<size_t>(highest->key - first + 1), -1);
    for (size_t k = 0; k < index.size(); ++k) {
        int32_t& slot = place[static_cast<size_t>(index[k].key - first)];
        if (slot >= 0)
            return LineAt(whole, index[k].offset);
        slot = static_cast<int32_t>(k);
    }
    Index ordered;
    ordered.reserve(index.size());
    for (const int32_t k : place) {
        if (k >= 0)
            ordered.push_back(index[static_cast<size_t>(k)]);
    }
    index = std::move(ordered);
    return std::nullopt;
}

}  // namespace

Result<int32_t> ProgramTextLibrary::LoadFile(const std::string& fullFileName)
{
    if (FileHoldsContent(fullFileName))
        return Result<int32_t>(static_cast<int32_t>(m_index.size()));
    *this = {};
    Result<std::string> read = ReadWholeFile(fullFileName, kMaxFileBytes, [&fullFileName](FileFault f, const std::string&) {
        return Named(ReadFault(f), fullFileName);
    });
    if (!read)
        return Result<int32_t>(read.failure());
    return LoadText(std::move(read).value(), fullFileName);
}

Result<int32_t> ProgramTextLibrary::LoadText(std::string content, const std::string& fullFileName)
{
    *this = {};
    // A fault at line L: its kind and the line.
    const auto fault = [this, &fullFileName](const char* kind, int32_t line) {
        m_faultLine = line;
        return Failed(std::string(kind) + " at line " + std::to_string(line) + ".", fullFileName);
    };
    std::vector<Entry> index;
    const std::string_view whole(content);
    // A line's fault, unless a text before it repeated one before that.
    const auto faultAfter = [&](const char* kind, int32_t line) {
        const std::optional<int32_t> duplicate = OrderByKey(index, whole);
        return duplicate ? fault(kDuplicate, *duplicate) : fault(kind, line);
    };
    if (content.empty())
        return Failed("File is empty.", fullFileName);

    // Room for a text every 24 bytes, more than the program's own file holds (some 45 bytes a line).
    index.reserve(content.size() / 24 + 1);
    size_t start = 0;
    int32_t lineNumber = 0;
    while (start < whole.size()) {
        const TextLine line = CutLine(whole, start, ++lineNumber);
        if (line.view.empty() || line.view[0] == '#')
            continue;

        const std::optional<TextRecord> record = ParseRecord(line.view);
        if (!record || record->text.empty())
            return faultAfter("Missing string", lineNumber);
        // A text of no more bytes than the limit has no more characters either: only longer ones are counted.
        if (record->text.size() > static_cast<size_t>(kMaxTextChars) &&
            CodePoints(record->text) > static_cast<size_t>(kMaxTextChars))
            return faultAfter("String too long", lineNumber);
        const Entry entry{Key(record->number, record->language), static_cast<uint32_t>(line.offset + record->textOffset),
                          static_cast<uint32_t>(record->text.size())};
        index.push_back(entry);
    }
    if (const std::optional<int32_t> duplicate = OrderByKey(index, whole))
        return fault(kDuplicate, *duplicate);
    if (index.empty())
        return Failed("No program text was read.", fullFileName);
    auto loaded = std::make_shared<const Loaded>(Loaded{std::move(content), std::move(index)});
    m_content = loaded->content;
    m_index = loaded->index;
    m_loaded = std::move(loaded);
    return Result<int32_t>(static_cast<int32_t>(m_index.size()));
}

bool ProgramTextLibrary::FileHoldsContent(const std::string& fullFileName) const
{
    if (m_index.empty())
        return false;
    Result<InputFile> opened = InputFile::Open(fullFileName, kMaxFileBytes, [](FileFault, const std::string&) {
        return Message{};
    });
    return opened && opened.value().size() == m_content.size() && opened.value().Holds(m_content);
}

std::optional<std::string_view> ProgramTextLibrary::StoredText(int32_t number, int32_t language) const
{
    const int64_t key = Key(number, language);
    const auto found = std::lower_bound(m_index.begin(), m_index.end(), key,
                                        [](const Entry& e, int64_t k) { return e.key < k; });
    if (found == m_index.end() || found->key != key)
        return std::nullopt;
    return m_content.substr(found->offset, found->length);
}

void ProgramTextLibrary::Adopt(std::string_view content, std::span<const Entry> index)
{
    *this = {};
    m_content = content;
    m_index = index;
}

}  // namespace orvane::platform
