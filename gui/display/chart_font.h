#pragma once

// The chart font: the glyph letters of the body and sign tables ("L" Earth, "h" Mars, "x" Aries …) are
// letters of the chart font "Starfont Sans", in which each letter draws an astronomical symbol. When
// that font is installed the letters are drawn in it as they are; otherwise each letter becomes its
// Unicode astronomical symbol (♁ ☿ ♀ ♂ ♃ ♄ ♅ ♆ ♇ ☉, ♈ … ♓) drawn in "DejaVu Sans", so that the grid
// headers and the chart show the right symbols on a fresh machine too.

#include <QFont>
#include <QString>

namespace orvane::gui {

// The font family whose letters are the chart glyphs, and the one that has the Unicode symbols.
inline constexpr const char* kStarfontFamily = "Starfont Sans";
inline constexpr const char* kSymbolFamily = "DejaVu Sans";

// Which of the two ways a glyph letter is drawn.
enum class GlyphSource { Starfont, Unicode };

// What to draw for one glyph letter: the text in its font.
struct ChartGlyph {
    QFont font;
    QString text;
};

// Starfont when "Starfont Sans" is installed, else Unicode (looked up once; needs a QGuiApplication).
GlyphSource InstalledGlyphSource();

// The Unicode astronomical symbol of a glyph letter of the body or sign table; none (a null QChar) for
// any other letter.
QChar UnicodeSymbol(char letter);

// The glyph letter `letter` at `pointSize`, drawn the way `source` says. A letter that stands for no
// body or sign is drawn as itself in the symbol font.
ChartGlyph Glyph(char letter, qreal pointSize, GlyphSource source);

// The same, the way this machine's fonts allow.
ChartGlyph Glyph(char letter, qreal pointSize);

// The Moon's symbol ☽ in the symbol font: the body tables give the Moon no glyph letter, so it is drawn
// the same way whichever chart font is installed.
ChartGlyph MoonGlyph(qreal pointSize);

}  // namespace orvane::gui
