// LumenButton's arithmetic, without a widget: colour resolution and offsets,
// the XP look's colours and pressed gradient, the access key, and where the
// picture and the caption go.
#pragma once

#include <QChar>
#include <QColor>
#include <QList>
#include <QRect>
#include <QString>

#include <optional>

namespace LumenLook {

// 0..0xFFFFFF is a plain colour (0x00BBGGRR); anything else names the system
// colour in its low 24 bits.
QColor resolveColour(quint32 value);

// Red + d, green + d, blue + blue * d / 192 (towards zero), each kept in 0..255.
QColor offsetColour(const QColor& colour, int d);

// The pressed XP body: one colour per row, top row first. Counting i = 1 at the
// bottom row up to the height, row i is base offset by -(i * 15 / height) to the
// nearest integer, where base is the back colour offset by +48 and then by -32.
QList<QColor> pressedGradientRows(const QColor& back, int height);
// That base.
QColor pressedBase(const QColor& back);

struct XpColours
{
    QColor pressed;
    QColor hover;
};
// The XP border colours: the built-in pair, or the two properties resolved.
XpColours xpColours(bool defaultColours, quint32 pressed, quint32 hover);

// The access key of a caption in lower case: the character after the first "&"
// that is not part of a "&&" pair (the one Gdi::parsePrefixText underlines);
// none without such a marker.
std::optional<QChar> accessKey(const QString& caption);

// Where the picture sits relative to the caption.
enum PicturePosition
{
    PictureLeft = 0,
    PictureTop = 1,
    PictureRight = 2,
    PictureBottom = 3,
    PictureBehind = 4
};

struct Content
{
    QRect picture; // empty without a picture
    QRect caption; // empty without a caption
};

// Picture (at its drawn size) and caption (at its measured size) centred as a
// group inside the button less 4 pixels on each side, 4 pixels apart, and one
// pixel down-right when pressed.
Content contentLayout(QSize button, int picturePosition, QSize picture, QSize caption,
                      bool pressed);

} // namespace LumenLook
