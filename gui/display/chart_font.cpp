#include "gui/display/chart_font.h"

#include <QFontDatabase>

#include <array>
#include <utility>

namespace orvane::gui {
namespace {

// The glyph letters of the bodies (Earth … Pluto, then the Sun) and of the signs (Aries … Pisces) with
// their astronomical symbols.
constexpr std::array<std::pair<char, char16_t>, 22> kSymbols{{
    {'L', u'\u2641'},  // Earth ♁
    {'f', u'\u263F'},  // Mercury ☿
    {'g', u'\u2640'},  // Venus ♀
    {'h', u'\u2642'},  // Mars ♂
    {'j', u'\u2643'},  // Jupiter ♃
    {'S', u'\u2644'},  // Saturn ♄
    {'F', u'\u2645'},  // Uranus ♅
    {'G', u'\u2646'},  // Neptune ♆
    {'J', u'\u2647'},  // Pluto ♇
    {'s', u'\u2609'},  // Sun ☉
    {'x', u'\u2648'},  // Aries ♈
    {'c', u'\u2649'},  // Taurus ♉
    {'v', u'\u264A'},  // Gemini ♊
    {'b', u'\u264B'},  // Cancer ♋
    {'n', u'\u264C'},  // Leo ♌
    {'m', u'\u264D'},  // Virgo ♍
    {'X', u'\u264E'},  // Libra ♎
    {'C', u'\u264F'},  // Scorpio ♏
    {'V', u'\u2650'},  // Sagittarius ♐
    {'B', u'\u2651'},  // Capricorn ♑
    {'N', u'\u2652'},  // Aquarius ♒
    {'M', u'\u2653'},  // Pisces ♓
}};

QFont FontOf(const char* family, qreal pointSize)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(pointSize);
    // The glyph must come from this very font: a fallback font could draw the sign symbols as colour
    // emoji or a Starfont letter as a plain letter.
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

}  // namespace

GlyphSource InstalledGlyphSource()
{
    static const GlyphSource source = QFontDatabase::hasFamily(QString::fromLatin1(kStarfontFamily))
                                          ? GlyphSource::Starfont
                                          : GlyphSource::Unicode;
    return source;
}

QChar UnicodeSymbol(char letter)
{
    for (const auto& [glyphLetter, symbol] : kSymbols)
        if (glyphLetter == letter)
            return QChar(symbol);
    return QChar();
}

ChartGlyph Glyph(char letter, qreal pointSize, GlyphSource source)
{
    if (source == GlyphSource::Starfont)
        return {FontOf(kStarfontFamily, pointSize), QString(QLatin1Char(letter))};
    const QChar symbol = UnicodeSymbol(letter);
    return {FontOf(kSymbolFamily, pointSize), symbol.isNull() ? QString(QLatin1Char(letter)) : QString(symbol)};
}

ChartGlyph Glyph(char letter, qreal pointSize)
{
    return Glyph(letter, pointSize, InstalledGlyphSource());
}

ChartGlyph MoonGlyph(qreal pointSize)
{
    return {FontOf(kSymbolFamily, pointSize), QString(QChar(u'\u263D'))};
}

}  // namespace orvane::gui
