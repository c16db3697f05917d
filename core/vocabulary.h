#pragma once

// The numbering of bodies, aspects, signs and aspect patterns, the fixed tables of names, abbreviations,
// chart glyphs, angles and default colours that hang on those numbers. The texts of angles are written in
// display/angle_texts.h.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orvane::core {

// π and 2π as decimal constants: every angle of the program is computed with exactly these values.
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kTwoPi = 6.28318530717959;

// The nine bodies, numbered as the name tables, the duration records and the state files number them.
enum class Body : int16_t { Earth = 1, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto };
inline constexpr int kNumBodies = 9;
inline constexpr std::array<Body, kNumBodies> kBodies{Body::Earth,  Body::Mercury, Body::Venus,
                                                      Body::Mars,   Body::Jupiter, Body::Saturn,
                                                      Body::Uranus, Body::Neptune, Body::Pluto};

// The seven aspects, numbered in the order in which every search tries them (not the order of the angles).
// The grid, the patterns, the orb table and the state files know these seven. The event search and the
// timeline know four more (numbers 8 … 11), which never reach the grid's tables: their angles and names
// come from kEventAspectDegrees and AstroTables::NamesOf.
enum class Aspect : int16_t {
    Conjunction = 1, Opposition, Square, Trine, Sextile, Semisextile, Quincunx,
    Semisquare, Sesquiquadrate, Quintile, Biquintile
};
inline constexpr std::array<Aspect, 7> kAspects{Aspect::Conjunction, Aspect::Opposition,  Aspect::Square,
                                                Aspect::Trine,       Aspect::Sextile,     Aspect::Semisextile,
                                                Aspect::Quincunx};
inline constexpr std::array<Aspect, 4> kExtraAspects{Aspect::Semisquare, Aspect::Sesquiquadrate, Aspect::Quintile,
                                                     Aspect::Biquintile};
inline constexpr std::array<Aspect, 11> kEventAspects{
    Aspect::Conjunction, Aspect::Opposition,     Aspect::Square,   Aspect::Trine,      Aspect::Sextile,
    Aspect::Semisextile, Aspect::Quincunx,       Aspect::Semisquare, Aspect::Sesquiquadrate, Aspect::Quintile,
    Aspect::Biquintile};
inline constexpr int kEventAspectSlots = 12;  // event aspect arrays run 0 … 11; 0 is never filled

// The number of a body (1 … 9) or an aspect (1 … 7).
constexpr int16_t IndexOf(Body body)
{
    return static_cast<int16_t>(body);
}
constexpr int16_t IndexOf(Aspect aspect)
{
    return static_cast<int16_t>(aspect);
}
// The place of a body or an aspect in the tables that run from 0 (name tables, orbs, colours, counts).
constexpr size_t SlotOf(Body body)
{
    return static_cast<size_t>(body);
}
constexpr size_t SlotOf(Aspect aspect)
{
    return static_cast<size_t>(aspect);
}
// The body or aspect of a number; none outside 1 … 9 and 1 … 7.
constexpr std::optional<Body> BodyOfIndex(int index)
{
    return index >= 1 && index <= kNumBodies ? std::optional(static_cast<Body>(index)) : std::nullopt;
}
constexpr std::optional<Aspect> AspectOfIndex(int index)
{
    return index >= 1 && index <= 7 ? std::optional(static_cast<Aspect>(index)) : std::nullopt;
}
// One of the four aspects only the event search and the timeline know.
constexpr bool IsExtraAspect(Aspect aspect)
{
    return static_cast<int16_t>(aspect) > 7;
}

// The first `count` bodies (0 … 9): the bodies in use when `count` is bodyCount.
constexpr std::span<const Body> BodiesInUse(int count)
{
    return std::span(kBodies).first(static_cast<size_t>(count < 0 ? 0 : count > kNumBodies ? kNumBodies : count));
}
// The bodies after `body` among the first `count`: the second bodies of the pairs that `body` begins.
constexpr std::span<const Body> BodiesAfter(Body body, int count)
{
    const std::span<const Body> inUse = BodiesInUse(count);
    const auto next = static_cast<size_t>(IndexOf(body));
    return next < inUse.size() ? inUse.subspan(next) : std::span<const Body>();
}

// Body and aspect numbers as the tables, records and lists use them. Index 0 is never used; body 10
// exists only in the glyph table (the Sun).
inline constexpr int16_t kEarth = IndexOf(Body::Earth);
inline constexpr int16_t kMercury = IndexOf(Body::Mercury);
inline constexpr int16_t kVenus = IndexOf(Body::Venus);
inline constexpr int16_t kMars = IndexOf(Body::Mars);
inline constexpr int16_t kJupiter = IndexOf(Body::Jupiter);
inline constexpr int16_t kSaturn = IndexOf(Body::Saturn);
inline constexpr int16_t kUranus = IndexOf(Body::Uranus);
inline constexpr int16_t kNeptune = IndexOf(Body::Neptune);
inline constexpr int16_t kPluto = IndexOf(Body::Pluto);
inline constexpr int16_t kMaxBodyIndex = 10;
inline constexpr int kBodySlots = 11;  // body arrays run 0 … 10

inline constexpr int16_t kConjunction = IndexOf(Aspect::Conjunction);
inline constexpr int16_t kOpposition = IndexOf(Aspect::Opposition);
inline constexpr int16_t kSquare = IndexOf(Aspect::Square);
inline constexpr int16_t kTrine = IndexOf(Aspect::Trine);
inline constexpr int16_t kSextile = IndexOf(Aspect::Sextile);
inline constexpr int16_t kSemisextile = IndexOf(Aspect::Semisextile);
inline constexpr int16_t kQuincunx = IndexOf(Aspect::Quincunx);
inline constexpr int16_t kNumAspects = 7;
inline constexpr int kAspectSlots = 8;  // aspect arrays run 0 … 7; 0 is never filled

inline constexpr int kNumSigns = 12;
inline constexpr int kNumPatterns = 14;
inline constexpr int kPaletteSize = 12;

// Aspect angles in degrees, by aspect index.
inline constexpr std::array<int, kAspectSlots> kAspectDegrees{0, 0, 180, 90, 120, 60, 30, 150};
// The same for every aspect the event search knows.
inline constexpr std::array<int, kEventAspectSlots> kEventAspectDegrees{0, 0, 180, 90, 120, 60, 30, 150,
                                                                        45, 135, 72, 144};
// The orbs of the four extra aspects unless given otherwise, in degrees, the same in every orb column.
// Narrow, as these aspects are minor: a semisquare or sesquiquadrate 2°, a quintile or biquintile 1°.
inline constexpr std::array<double, kEventAspectSlots> kExtraAspectOrbDegrees{0, 0, 0, 0, 0, 0, 0, 0,
                                                                              2.0, 2.0, 1.0, 1.0};

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
    // The names of the four extra aspects, by aspect index less 7 (index 0 unused).
    std::array<AspectNames, 5> extraAspectText;

    // The names of any aspect the event search knows.
    const AspectNames& NamesOf(Aspect aspect) const
    {
        return IsExtraAspect(aspect) ? extraAspectText[SlotOf(aspect) - 7] : AspectText[SlotOf(aspect)];
    }

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

// The plural of an aspect's or a pattern's name (the names are English in every language): "es" after a
// final x or s ("quincunxes", "grand crosses"), "s" otherwise.
std::string PluralOf(std::string_view name);

}  // namespace orvane::core
