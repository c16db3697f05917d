#include "cli/texts.h"

#include "cli/cli.h"
#include "text/strings.h"

#include <algorithm>
#include <ostream>

namespace orvane::cli {
namespace {

// The program text as data/qvs.dat held it at build time.
constexpr std::string_view kCompiledProgramText =
#include "cli/program_text.inc"
    ;

void ReplaceAll(std::string& text, const std::string& what, const std::string& with)
{
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

}  // namespace

std::string ReplaceLineBreaks(const std::string& text, const char* with)
{
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            result += with;
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::string ConsoleText(const std::string& text)
{
    return ReplaceLineBreaks(text, "\n");
}

std::string OwnText(int16_t number, int16_t language, const std::string& r1, const std::string& r2)
{
    const std::string key = std::to_string(number) + "|" + std::to_string(language) + "|";
    std::string text;
    for (size_t at = 0; at < kCompiledProgramText.size();) {
        const size_t end = std::min(kCompiledProgramText.find('\n', at), kCompiledProgramText.size());
        const std::string_view line = kCompiledProgramText.substr(at, end - at);
        if (line.substr(0, key.size()) == key)
            text = std::string(line.substr(key.size()));
        at = end + 1;
    }
    ReplaceAll(text, "[r1]", r1);
    ReplaceAll(text, "[r2]", r2);
    ReplaceAll(text, "^", "\n");
    return text;
}

std::string_view Trimmed(std::string_view text)
{
    return text::Trimmed(text, "\r\n");
}

void PrintMessage(std::ostream& stream, const platform::Message& message)
{
    stream << Trimmed(ConsoleText(message.text)) << '\n';
}

}  // namespace orvane::cli
