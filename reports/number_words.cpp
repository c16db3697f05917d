#include "reports/number_words.h"

#include "platform/calendar.h"
#include "text/strings.h"

#include <array>

namespace orvane::reports {
namespace {

constexpr std::array<std::string_view, 21> kEnglishUpToTwenty{
    "No",      "One",     "Two",       "Three",    "Four",     "Five",    "Six",
    "Seven",   "Eight",   "Nine",      "Ten",      "Eleven",   "Twelve",  "Thirteen",
    "Fourteen", "Fifteen", "Sixteen",  "Seventeen", "Eighteen", "Nineteen", "Twenty"};
// By the tens digit, 2 … 9.
constexpr std::array<std::string_view, 10> kEnglishTens{
    "", "", "Twenty", "Thirty", "Forty", "Fifty", "Sixty", "Seventy", "Eighty", "Ninety"};

// The German words as the listing has always written them ("Ache", "Sechszehn", "Sechszig").
constexpr std::array<std::string_view, 21> kGermanUpToTwenty{
    "Keine",    "Eine",      "Zwei",      "Drei",      "Vier",     "Fünf",     "Sechs",
    "Sieben",   "Ache",      "Neun",      "Zehn",      "Elf",      "Zwölf",    "Dreizehn",
    "Vierzehn", "Fünfzehn",  "Sechszehn", "Siebzehn",  "Achtzehn", "Neunzehn", "Zwanzig"};
constexpr std::array<std::string_view, 10> kGermanTens{
    "", "", "Zwanzig", "Dreißig", "Vierzig", "Fünfzig", "Sechszig", "Siebzig", "Achtzig", "Neunzig"};

}  // namespace

std::string NumberInWords(int32_t n, bool german)
{
    const auto& upToTwenty = german ? kGermanUpToTwenty : kEnglishUpToTwenty;
    const auto& tens = german ? kGermanTens : kEnglishTens;
    if (n >= 0 && n <= 20)
        return std::string(upToTwenty[static_cast<size_t>(n)]);
    if (n > 20 && n < 100) {
        const auto tensWord = std::string(tens[static_cast<size_t>(n / 10)]);
        const int units = n % 10;
        if (units == 0)
            return tensWord;
        const auto unitsWord = std::string(upToTwenty[static_cast<size_t>(units)]);
        if (german)
            return unitsWord + " und " + text::LowerCase(tensWord);
        return tensWord + " " + text::LowerCase(unitsWord);
    }
    return text::SeparateThousands(std::to_string(n), german ? '.' : ',');
}

}  // namespace orvane::reports
