#pragma once

// The program text: every user-visible text is looked up by number in the current language, optionally
// with up to five placeholders filled in.

#include "platform/program_text_library.h"
#include "platform/result.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvane::text {

inline constexpr int16_t langEnglish = 0;
inline constexpr int16_t langGerman = 1;

inline constexpr const char* kProgramTextFileName = "qvs.dat";

// Line break inside the program's texts.
inline constexpr const char* kLineBreak = "\r\n";

// `text` with every `what` replaced by `with`; replacements are not scanned again.
std::string Replaced(std::string text, std::string_view what, std::string_view with);

// Every text number named in text/text_numbers.h (generated from it at build time).
std::span<const int16_t> NamedTextNumbers();

// Fills "[r1]" (always) and "[r2]" … "[r5]" (in turn, up to the first empty replacement) and turns every
// "^" into a line break. A text with neither "^" nor "[r" is returned unchanged.
std::string ReplacePlaceholders(const std::string& text, const std::string& r1, const std::string& r2 = {},
                                const std::string& r3 = {}, const std::string& r4 = {},
                                const std::string& r5 = {});

class Language {
public:
    // The current language, langEnglish or langGerman.
    int16_t currentLanguage = langEnglish;

    // Loads `fileName` from `folder` (a separator is put between them unless the folder ends in one) and
    // requires an English and a German text for every number in `required` (a truncated file is
    // refused). A failure is the critical message to show before the program ends.
    platform::Result<void> LoadProgramText(const std::string& folder, const std::string& fileName,
                                           std::span<const int16_t> required = NamedTextNumbers());

    // The text `number` in the current language; empty when there is none or the stored text is "~".
    std::string Text(int16_t number) const;

    // Text passed through ReplacePlaceholders.
    std::string TextWithReplacements(int16_t number, const std::string& r1, const std::string& r2 = {},
                                        const std::string& r3 = {}, const std::string& r4 = {},
                                        const std::string& r5 = {}) const;

    const platform::ProgramTextLibrary& library() const { return m_library; }
    // Takes a program text already loaded (the companion's copy compiled in at build time).
    void UseProgramText(const platform::ProgramTextLibrary& library) { m_library = library; }

private:
    platform::ProgramTextLibrary m_library;
};

}  // namespace orvane::text
