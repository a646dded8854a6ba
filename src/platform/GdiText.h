// Prefix text as DrawState and DrawText show it: "&" underlines the character
// after it, "&&" shows one "&"; the disabled look is embossed.
#pragma once

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

class QFont;
class QPainter;

namespace Gdi {

enum DrawStateFlag : uint
{
    DSS_DISABLED = 0x20,
    DSS_RIGHT = 0x8000,
};

struct PrefixText
{
    QString display;    // the text as shown
    int underline = -1; // index into display of the underlined character, or -1
};

// Resolves the markers. A lone "&" at the end is dropped; the first marked
// character is the one underlined.
PrefixText parsePrefixText(const QString& text);

// The underlined character, which is the text's access key; none without one.
std::optional<QChar> underlinedCharacter(const QString& text);

// The caption with its first "&" removed: what the buttons measure for centring.
QString withoutFirstAmpersand(const QString& text);

// The size of the shown prefix text in the font.
QSize prefixTextSize(const QFont& font, const QString& text);

// Draws the prefix text with its top-left at `topLeft`. DSS_DISABLED draws it
// embossed (3D highlight one pixel down-right, button shadow on top); DSS_RIGHT
// right-aligns it in `width` pixels (ignored when width is not positive).
void drawStatePrefixText(QPainter& painter, QPoint topLeft, const QString& text,
                         const QColor& colour, uint flags, int width = 0);

} // namespace Gdi
