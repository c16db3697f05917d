#pragma once

// The numbering of bodies, aspects, signs and aspect patterns, the fixed tables of names, abbreviations,
// chart glyphs, angles and default colours that hang on those numbers, and the angle routines that turn
// a longitude into text.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane::core {

// π and 2π as decimal constants: every angle of the program is computed with exactly these values.
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kTwoPi = 6.28318530717959;

// Body indices. Index 0 is never used; 10 exists only in the glyph table.
inline constexpr int16_t kEarth = 1;
inline constexpr int16_t kMercury = 2;
inline constexpr int16_t kVenus = 3;
inline constexpr int16_t kMars = 4;
inline constexpr int16_t kJupiter = 5;
inline constexpr int16_t kSaturn = 6;
inline constexpr int16_t kUranus = 7;
inline constexpr int16_t kNeptune = 8;
inline constexpr int16_t kPluto = 9;
inline constexpr int16_t kMaxBodyIndex = 10;
inline constexpr int kBodySlots = 11;  // body arrays run 0 … 10

// Aspect indices, in the order in which every search tries them (not the order of the angles).
inline constexpr int16_t kConjunction = 1;
inline constexpr int16_t kOpposition = 2;
inline constexpr int16_t kSquare = 3;
inline constexpr int16_t kTrine = 4;
inline constexpr int16_t kSextile = 5;
inline constexpr int16_t kSemisextile = 6;
inline constexpr int16_t kQuincunx = 7;
inline constexpr int16_t kNumAspects = 7;
inline constexpr int kAspectSlots = 8;  // aspect arrays run 0 … 7; 0 is never filled

inline constexpr int kNumSigns = 12;
inline constexpr int kNumPatterns = 14;
inline constexpr int kPaletteSize = 12;

// Aspect angles in degrees, by aspect index.
inline constexpr std::array<int, kAspectSlots> kAspectDegrees{0, 0, 180, 90, 120, 60, 30, 150};

// An RGB colour value: red + 256 × green + 65536 × blue.
constexpr double RGB(int red, int green, int blue)
{
    return red + 256.0 * green + 65536.0 * blue;
}

struct AspectNames {
    std::string Abbrev;     // what the grid cells show: "Sqr"
    std::string Name;       // headings, legends, lists: "Square"
    std::string Phrase;     // between two body names: "square to"
    std::string Adjective;  // duration lists: "square"
    std::string Label;      // the chart's hover text: "square (90°)"
};

struct SignNames {
    std::string Abbrev;  // "Tau"
    std::string Name;    // "Taurus"
};

// The tables of the astronomical module. Fresh objects are empty; InitializeAstroTables fills them.
struct AstroTables {
    std::string dataFolderPath;  // with a trailing separator

    std::array<std::string, kBodySlots> bodyNames;
    std::array<std::string, kBodySlots> bodyAbbrevs;
    std::array<std::string, kBodySlots> bodyGlyphs;
    std::array<bool, kBodySlots> isInnerBody{};

    std::array<double, kAspectSlots> aspectAngles{};
    std::array<double, kAspectSlots> aspectColors{};
    std::array<AspectNames, kAspectSlots> AspectText;

    std::array<SignNames, kNumSigns> SignText;
    std::array<std::string, kNumSigns> signGlyphs;

    std::array<std::string, kNumPatterns> patternNames;
    std::array<double, kPaletteSize> colorPalette{};

    // Fills every table. `dataFolder` is the folder of the ephemeris files and the Pluto table; it is
    // kept (with a trailing '/') in dataFolderPath and handed to the ephemeris.
    void InitializeAstroTables(const std::string& dataFolder);

    // Fills the name tables (body names and abbreviations, aspect, sign and pattern names). These names
    // are the same in every interface language.
    void SetNameTables();
};

// The default aspect colours, by aspect index.
extern const std::array<double, kAspectSlots> kDefaultAspectColor;

// Brings an angle into 0 (inclusive) … 2π (exclusive).
double NormalizeAngle(double angle);

// Angle text in degrees and minutes, e.g. "12°5'", "12° 5'", "12°", "-0°30'". Empty for a negative angle
// (unless allowNegative) and for an angle beyond 2π.
std::string Rad2DegMin(double angle, bool omitZeroMinutes, bool blankBeforeMinutes, bool allowNegative,
                       bool allowRollover);

// Position of a longitude in the zodiac: "12Tau34" (short form) or "12° in Taurus" (full form). Empty for
// a longitude below 0 or above 2π.
std::string ZodiacPositionText(const AstroTables& tables, double longitude, bool fullForm);

// The plural of an aspect's or a pattern's name (the names are English in every language): "es" after a
// final x or s ("quincunxes", "grand crosses"), "s" otherwise.
std::string PluralOf(std::string_view name);

}  // namespace orvane::core
