#include "cli/texts.h"

#include "app/option_values.h"
#include "platform/program_text_library.h"
#include "text/text_numbers.h"
#include "text/language.h"
#include "text/strings.h"

#include <ostream>

namespace orvane::cli {
namespace {

// The program text as data/qvs.dat held it at build time (kCompiledProgramText), and its index
// (kCompiledTextIndex), which the build took from loading it.
#include "cli/program_text.inc"

}  // namespace

// That text in the program-text library, taken once as the build loaded it: the build stops on a faulty
// file, so the companion parses nothing here.
const platform::ProgramTextLibrary& CompiledProgramText()
{
    static const platform::ProgramTextLibrary library = [] {
        platform::ProgramTextLibrary loaded;
        loaded.Adopt(kCompiledProgramText, kCompiledTextIndex);
        return loaded;
    }();
    return library;
}

namespace {

// The length of the UTF-8 character that starts at `at`, and its code point; 0 when no whole, shortest-form
// character starts there.
size_t Utf8Character(std::string_view text, size_t at, char32_t& codePoint)
{
    const auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    const size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                          : lead >= 0xF0 && lead <= 0xF4                                     ? 4
                                                                                             : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    codePoint = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        codePoint = codePoint << 6 | (byte(at + i) & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kShortest[length] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

}  // namespace

const text::Language& OwnLanguage(int16_t language)
{
    static const auto make = [](int16_t number) {
        text::Language own;
        own.UseProgramText(CompiledProgramText());
        own.currentLanguage = number;
        return own;
    };
    // Each made when first asked for: a run uses one.
    if (language == text::langGerman) {
        static const text::Language german = make(text::langGerman);
        return german;
    }
    static const text::Language english = make(text::langEnglish);
    return english;
}

std::string EchoedValue(std::string_view value, size_t limit)
{
    std::string shown;
    size_t characters = 0;
    for (size_t at = 0; at < value.size(); ++characters) {
        if (characters == limit)
            return shown + "…";
        char32_t codePoint = 0;
        const size_t length = Utf8Character(value, at, codePoint);
        const bool control = codePoint < 0x20 || codePoint == 0x7F || (codePoint >= 0x80 && codePoint < 0xA0);
        if (length == 0 || control)
            shown += '?';
        else
            shown.append(value.substr(at, length));
        at += length == 0 ? 1 : length;
    }
    return shown;
}

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

std::string OwnText(int16_t number, int16_t language, const std::string& r1, const std::string& r2,
                    const std::string& r3)
{
    const std::string_view stored = CompiledProgramText().StoredText(number, language).value_or("");
    const std::string_view text = stored == "~" ? std::string_view() : stored;
    // One pass over the text, so that a value holding "[r2]" or "^" is shown as typed.
    std::string filled;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text.substr(at, 4) == "[r1]" || text.substr(at, 4) == "[r2]") {
            filled += EchoedValue(text[at + 2] == '1' ? r1 : r2);
            at += 3;
        } else if (text.substr(at, 4) == "[r3]") {
            filled += EchoedValue(r3, kListedCharacters);
            at += 3;
        } else {
            filled += text[at] == '^' ? '\n' : text[at];
        }
    }
    return filled;
}

std::string_view Trimmed(std::string_view text)
{
    return text::Trimmed(text, "\r\n");
}

void PrintMessage(std::ostream& stream, const platform::Message& message)
{
    stream << Trimmed(ConsoleText(message.text)) << '\n';
}

std::string UnknownBodyText(const std::string& name, int16_t language)
{
    const auto [number, value] = app::UnknownBodyReason(name);
    return OwnText(number, language, value);
}

}  // namespace orvane::cli
