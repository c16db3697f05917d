#include "text/language.h"

#include "text/text_numbers.h"

#include <array>
#include <vector>

namespace orvane::text {
namespace {


// Sized by std::to_array: deducing a std::array's size from some three hundred numbers goes beyond the
// template depth clang allows.
constexpr auto kNamedTextNumbers = std::to_array<int16_t>({
#include "text/named_text_numbers.inc"
});

void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view replacement)
{
    text = Replaced(std::move(text), placeholder, replacement);
}

}  // namespace

std::string Replaced(std::string text, std::string_view what, std::string_view with)
{
    if (what.empty())
        return text;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

std::span<const int16_t> NamedTextNumbers()
{
    return kNamedTextNumbers;
}

std::string ReplacePlaceholders(const std::string& text, const std::string& r1, const std::string& r2,
                                const std::string& r3, const std::string& r4, const std::string& r5)
{
    if (text.find('^') == std::string::npos && text.find("[r") == std::string::npos)
        return text;
    std::string result = text;
    ReplaceAll(result, "[r1]", r1);
    const std::string* const later[] = {&r2, &r3, &r4, &r5};
    for (size_t i = 0; i < 4; ++i) {
        if (later[i]->empty())
            break;
        ReplaceAll(result, "[r" + std::to_string(i + 2) + "]", *later[i]);
    }
    ReplaceAll(result, "^", kLineBreak);
    return result;
}

platform::Result<void> Language::LoadProgramText(const std::string& folder, const std::string& fileName,
                                                 std::span<const int16_t> required)
{
    std::string fullFileName = folder;
    if (fullFileName.empty() || (fullFileName.back() != '/' && fullFileName.back() != '\\'))
        fullFileName += '/';
    fullFileName += fileName;
    if (const platform::Result<int32_t> loaded = m_library.LoadFile(fullFileName); !loaded)
        return platform::Result<void>(loaded.failure());
    // Which numbers and languages the file holds, marked off its index in one pass: cheaper than a search
    // for each of the texts required.
    constexpr int64_t kKeys = int64_t{1} << 17;  // the keys of every 16-bit number in both languages
    std::vector<bool> held(static_cast<size_t>(kKeys));
    for (const platform::ProgramTextLibrary::Entry& entry : m_library.Index())
        held[static_cast<size_t>(entry.key + kKeys / 2)] = true;
    for (const int16_t number : required) {
        for (const int16_t language : {langEnglish, langGerman}) {
            if (!held[static_cast<size_t>(platform::ProgramTextLibrary::Key(number, language) + kKeys / 2)])
                return platform::Result<void>(platform::ErrorCode::Damaged, platform::Message::Critical(
                    "", "Missing text " + std::to_string(number) + " (" +
                            (language == langEnglish ? "English" : "German") + ") in the program text." + kLineBreak +
                            fullFileName));
        }
    }
    return {};
}

std::string Language::Text(int16_t number) const
{
    const std::optional<std::string_view> text = m_library.StoredText(number, currentLanguage);
    if (!text || *text == "~")
        return {};
    return std::string(*text);
}

std::string Language::TextWithReplacements(int16_t number, const std::string& r1, const std::string& r2,
                                              const std::string& r3, const std::string& r4,
                                              const std::string& r5) const
{
    return ReplacePlaceholders(Text(number), r1, r2, r3, r4, r5);
}

}  // namespace orvane::text
