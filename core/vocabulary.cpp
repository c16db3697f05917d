#include "core/vocabulary.h"

#include "platform/ephemeris.h"

#include <cmath>
#include <string_view>

namespace orvane::core {

const std::array<double, kAspectSlots> kDefaultAspectColor{
    0.0,
    RGB(255, 255, 0),    // conjunction
    RGB(255, 0, 255),    // opposition
    RGB(255, 0, 0),      // square
    RGB(0, 255, 0),      // trine
    RGB(0, 255, 255),    // sextile
    RGB(128, 128, 255),  // semisextile
    RGB(128, 128, 128),  // quincunx
};

void AstroTables::InitializeAstroTables(const std::string& dataFolder)
{
    dataFolderPath = dataFolder;
    if (dataFolderPath.empty() || (dataFolderPath.back() != '/' && dataFolderPath.back() != '\\'))
        dataFolderPath += '/';
    platform::SetDataFolder(dataFolderPath.c_str());

    for (int i = 0; i < kBodySlots; ++i)
        isInnerBody[static_cast<size_t>(i)] = i >= kEarth && i <= kMars;

    bodyGlyphs = {"", "L", "f", "g", "h", "j", "S", "F", "G", "J", "s"};
    signGlyphs = {"x", "c", "v", "b", "n", "m", "X", "C", "V", "B", "N", "M"};

    colorPalette = {RGB(255, 255, 0), RGB(255, 0, 255), RGB(255, 0, 0),   RGB(0, 255, 0),
                       RGB(0, 255, 255), RGB(128, 128, 128), RGB(128, 128, 255), RGB(0, 0, 255),
                       RGB(0, 192, 255), RGB(192, 0, 255),  RGB(255, 192, 0),  RGB(128, 64, 0)};
    aspectColors = kDefaultAspectColor;
    for (int a = kConjunction; a <= kNumAspects; ++a)
        aspectAngles[static_cast<size_t>(a)] = kAspectDegrees[static_cast<size_t>(a)] / 360.0 * kTwoPi;

    SetNameTables();
}

void AstroTables::SetNameTables()
{
    bodyNames = {"", "Earth", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune",
                     "Pluto", ""};
    bodyAbbrevs = {"", "Ea", "Me", "Ve", "Ma", "Ju", "Sa", "Ur", "Ne", "Pl", ""};

    AspectText[0] = {};
    AspectText[1] = {"Con", "Conjunction", "conjunct", "conjunct", "conjunction (0°)"};
    AspectText[2] = {"Opp", "Opposition", "opposite", "opposite", "opposition (180°)"};
    AspectText[3] = {"Sqr", "Square", "square to", "square", "square (90°)"};
    AspectText[4] = {"Tri", "Trine", "trine to", "trine", "trine (120°)"};
    AspectText[5] = {"Sxt", "Sextile", "sextile to", "sextile", "sextile (60°)"};
    AspectText[6] = {"Ssx", "Semisextile", "semisextile to", "semisextile", "semisextile (30°)"};
    AspectText[7] = {"Qui", "Quincunx", "quincunx to", "quincunx", "quincunx (150°)"};
    extraAspectText[0] = {};
    extraAspectText[1] = {"Ssq", "Semisquare", "semisquare to", "semisquare", "semisquare (45°)"};
    extraAspectText[2] = {"Sqq", "Sesquiquadrate", "sesquiquadrate to", "sesquiquadrate", "sesquiquadrate (135°)"};
    extraAspectText[3] = {"Qnt", "Quintile", "quintile to", "quintile", "quintile (72°)"};
    extraAspectText[4] = {"Bqn", "Biquintile", "biquintile to", "biquintile", "biquintile (144°)"};

    SignText = {{{"Ari", "Aries"},
                 {"Tau", "Taurus"},
                 {"Gem", "Gemini"},
                 {"Can", "Cancer"},
                 {"Leo", "Leo"},
                 {"Vir", "Virgo"},
                 {"Lib", "Libra"},
                 {"Sco", "Scorpio"},
                 {"Sag", "Sagittarius"},
                 {"Cap", "Capricorn"},
                 {"Aqu", "Aquarius"},
                 {"Pis", "Pisces"}}};

    patternNames = {"Grand trine", "Kite",       "Rectangle",  "T-square",   "Grand cross",
                      "Yod",         "Yod-kite",   "Trapezium",  "6-Stellium", "5-Stellium",
                      "4-Stellium",  "3-Stellium", "Grand sextile", "Midpoint"};
}

double NormalizeAngle(double angle)
{
    if (!std::isfinite(angle))
        return angle;
    while (angle < 0.0)
        angle += kTwoPi;
    while (angle >= kTwoPi)
        angle -= kTwoPi;
    return angle;
}

std::string PluralOf(std::string_view name)
{
    const char last = name.empty() ? ' ' : name.back();
    return std::string(name) + (last == 'x' || last == 'X' || last == 's' || last == 'S' ? "es" : "s");
}

}  // namespace orvane::core
