// The program-text loader on arbitrary bytes: a loaded file answers every text line, read here on its
// own, and counts them; a failed load names a fault line that has the fault its message tells, and
// answers no text.

#include "fuzz/fuzz_support.h"

#include "platform/program_text_library.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

using orvane::platform::ProgramTextLibrary;

// A line of the file: a text line is neither empty nor a comment; `parsed` when it reads NUMBER|LANGUAGE|TEXT.
struct Line {
    bool isText = false;
    bool parsed = false;
    int16_t number = 0;
    int32_t language = 0;
    std::string_view text;
};

template <typename T>
bool Whole(std::string_view field, T& value)
{
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    return !field.empty() && ec == std::errc() && end == field.data() + field.size();
}

Line Parse(std::string_view content, bool first)
{
    Line line;
    if (content.ends_with('\r'))
        content.remove_suffix(1);
    if (first && content.starts_with("\xEF\xBB\xBF"))
        content.remove_prefix(3);
    line.isText = !content.empty() && content[0] != '#';
    const size_t bar1 = content.find('|');
    const size_t bar2 = bar1 == content.npos ? bar1 : content.find('|', bar1 + 1);
    if (line.isText && bar2 != content.npos) {
        line.text = content.substr(bar2 + 1);
        line.parsed = Whole(content.substr(0, bar1), line.number) &&
                      Whole(content.substr(bar1 + 1, bar2 - bar1 - 1), line.language) && line.language >= 0 &&
                      line.language <= 1;
    }
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using orvane::fuzz::Require;
    static const orvane::fuzz::ScratchFile file("qvs.dat");
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<Line> lines;
    for (size_t start = 0, end = 0; start < size; start = end + 1) {
        end = std::min(input.find('\n', start), size);
        lines.push_back(Parse(input.substr(start, end - start), lines.empty()));
    }
    ProgramTextLibrary library;
    const orvane::platform::Result<int32_t> loaded = library.LoadFile(file.Write(input));
    const int32_t at = library.faultLine();
    const auto answer = [&](const Line& l) { return library.StoredText(l.number, l.language); };
    const auto texts = std::count_if(lines.begin(), lines.end(), [](const Line& l) { return l.isText; });
    if (loaded) {
        Require(at == 0 && texts == loaded.value(), "a load without fault names no line and counts every text line");
        for (const Line& l : lines)
            Require(!l.isText || (l.parsed && answer(l) == l.text),
                    "every text line of a loaded file is answered");
        return 0;
    }
    const std::string_view message = loaded.error().text;
    if (at == 0) {
        Require(size == 0 ? message.starts_with("File is empty.")
                          : texts == 0 && message.starts_with("No program text was read."),
                "an empty file, or one without text");
    } else {
        Require(at >= 1 && static_cast<size_t>(at) <= lines.size(), "the fault line is in the file");
        const Line& bad = lines[static_cast<size_t>(at - 1)];
        const bool seen = std::any_of(lines.begin(), lines.begin() + at - 1, [&bad](const Line& l) {
            return l.parsed && l.number == bad.number && l.language == bad.language;
        });
        const auto chars = std::count_if(bad.text.begin(), bad.text.end(), [](char c) { return (c & 0xC0) != 0x80; });
        Require(bad.isText && (message.starts_with("Missing string")    ? !bad.parsed || bad.text.empty()
                               : message.starts_with("String too long") ? bad.parsed && chars > ProgramTextLibrary::kMaxTextChars
                                                                        : message.starts_with("Duplicate") && bad.parsed && seen),
                "the message tells what is wrong with the fault line");
    }
    for (const Line& l : lines)
        Require(!answer(l), "a failed load answers no text");
    return 0;
}
