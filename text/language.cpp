#include "text/language.h"

#include "text/text_numbers.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace orvane::text {
namespace {


// Sized by std::to_array: deducing a std::array's size from some three hundred numbers goes beyond the
// template depth clang allows.
constexpr auto kNamedTextNumbers = std::to_array<int16_t>({
#include "text/named_text_numbers.inc"
});

// The same numbers in ascending order, sorted while compiling: the check of every start walks them so.
constexpr auto kSortedTextNumbers = [] {
    auto sorted = kNamedTextNumbers;
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}();

// `required` in ascending order: the numbers sorted beforehand when they are those of the header, else a
// sorted copy in `copy`.
std::span<const int16_t> Ascending(std::span<const int16_t> required, std::vector<int16_t>& copy)
{
    if (required.data() == kNamedTextNumbers.data() && required.size() == kNamedTextNumbers.size())
        return kSortedTextNumbers;
    copy.assign(required.begin(), required.end());
    std::sort(copy.begin(), copy.end());
    return copy;
}

// The first number of `required`, in its order, without an English or a German text in `index` (ordered
// by key), and the language it lacks (English first); nothing when every text is there. The numbers
// are sorted and walked along the index once: some three hundred searches of the index cost ten times
// as much at every start.
std::optional<std::pair<int16_t, int16_t>> FirstMissing(std::span<const platform::ProgramTextLibrary::Entry> index,
                                                        std::span<const int16_t> required)
{
    using platform::ProgramTextLibrary;
    std::vector<int16_t> copy;
    const std::span<const int16_t> sorted = Ascending(required, copy);
    std::vector<int16_t> lacking;
    auto entry = index.begin();
    const auto held = [&](int64_t key) {
        while (entry != index.end() && entry->key < key)
            ++entry;
        return entry != index.end() && entry->key == key;
    };
    for (const int16_t number : sorted) {
        const bool english = held(ProgramTextLibrary::Key(number, langEnglish));
        const bool german = held(ProgramTextLibrary::Key(number, langGerman));
        if (!english || !german)
            lacking.push_back(number);
    }
    if (lacking.empty())
        return std::nullopt;
    for (const int16_t number : required) {
        if (!std::binary_search(lacking.begin(), lacking.end(), number))
            continue;
        const int64_t english = ProgramTextLibrary::Key(number, langEnglish);
        const bool hasEnglish = std::any_of(index.begin(), index.end(), [english](const auto& e) { return e.key == english; });
        return std::pair(number, hasEnglish ? langGerman : langEnglish);
    }
    return std::nullopt;
}

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
    const std::optional<std::pair<int16_t, int16_t>> missing = FirstMissing(m_library.Index(), required);
    if (missing)
        return platform::Result<void>(platform::ErrorCode::Damaged, platform::Message::Critical(
            "", "Missing text " + std::to_string(missing->first) + " (" +
                    (missing->second == langEnglish ? "English" : "German") + ") in the program text." + kLineBreak +
                    fullFileName));
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
