// The program-text loader on arbitrary bytes: a loaded file answers every text it holds, read here line by
// line on its own, and their count; a failed load names a fault line that really is faulty and answers no
// text.

#include "fuzz/fuzz_support.h"

#include "platform/program_text_library.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string_view>
#include <vector>

namespace {

using orvane::platform::ProgramTextLibrary;

// A line as the file holds it; `number`, `language` and `text` are set when it has the form N|L|TEXT.
struct Line {
    std::string_view content;
    bool isText = false;  // neither empty nor a comment
    bool parsed = false;
    int16_t number = 0;
    int32_t language = 0;
    std::string_view text;
};

Line Parse(std::string_view content, bool first)
{
    Line line;
    if (content.ends_with('\r'))
        content.remove_suffix(1);
    if (first && content.starts_with("\xEF\xBB\xBF"))
        content.remove_prefix(3);
    line.content = content;
    line.isText = !content.empty() && content[0] != '#';
    const size_t bar1 = content.find('|');
    const size_t bar2 = content.find('|', bar1 == content.npos ? content.size() : bar1 + 1);
    if (!line.isText || bar2 == content.npos)
        return line;
    const auto whole = [](std::string_view field, auto& value) {
        const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
        return !field.empty() && ec == std::errc() && end == field.data() + field.size();
    };
    line.text = content.substr(bar2 + 1);
    line.parsed = whole(content.substr(0, bar1), line.number) &&
                  whole(content.substr(bar1 + 1, bar2 - bar1 - 1), line.language) && line.language >= 0 &&
                  line.language <= 1;
    return line;
}

size_t CodePoints(std::string_view text)
{
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using orvane::fuzz::Require;
    static const orvane::fuzz::ScratchFile file("qvs.dat");
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<Line> lines;
    for (size_t start = 0; start < size;) {
        const size_t end = std::min(input.find('\n', start), size);
        lines.push_back(Parse(input.substr(start, end - start), lines.empty()));
        start = end + 1;
    }
    ProgramTextLibrary library;
    const int32_t loaded = library.lt(file.Write(input), 0);
    std::string buffer;
    const int32_t faultLine = library.faultLine();
    if (loaded > 0) {
        Require(faultLine == 0, "a load without fault names no line");
        int32_t texts = 0;
        for (const Line& line : lines) {
            if (!line.isText)
                continue;
            ++texts;
            Require(line.parsed && !line.text.empty(), "every line of a loaded file holds a text");
            const int32_t length = library.gt(line.number, line.language, buffer, ProgramTextLibrary::kMaxTextChars, 1);
            Require(length == static_cast<int32_t>(line.text.size()) && buffer == line.text, "a text is answered");
        }
        Require(texts == loaded, "the count of texts is the count of text lines");
        return 0;
    }
    if (loaded > -500) {
        Require(faultLine == 0, "a fault of the whole file names no line");
        Require(loaded != 0 || std::none_of(lines.begin(), lines.end(), [](const Line& l) { return l.isText; }),
                "0 only for a file without texts");
        Require(loaded != -6 || size == 0, "-6 only for an empty file");
        Require(loaded == 0 || loaded == -6, "the file opens and reads");
    } else {
        Require(faultLine >= 1 && static_cast<size_t>(faultLine) <= lines.size(), "the fault line is in the file");
        const int32_t base = loaded + std::min(faultLine, 499);
        const Line& line = lines[static_cast<size_t>(faultLine - 1)];
        Require(line.isText, "the fault line holds more than a comment");
        const bool earlier = std::any_of(lines.begin(), lines.begin() + faultLine - 1, [&line](const Line& l) {
            return l.parsed && l.number == line.number && l.language == line.language;
        });
        Require(base == -500 ? !line.parsed || line.text.empty()
                : base == -1000 ? line.parsed && CodePoints(line.text) > ProgramTextLibrary::kMaxTextChars
                : base == -1500 && line.parsed && earlier,
                "the fault code tells what is wrong with the fault line");
    }
    for (const Line& line : lines)
        Require(library.gt(line.number, line.language, buffer, ProgramTextLibrary::kMaxTextChars, 1) == 0,
                "a failed load answers no text");
    return 0;
}
