#include "controls/LumenLook.h"

#include "controls/Rounding.h"
#include "platform/GdiText.h"
#include "platform/OleColor.h"

#include <algorithm>

namespace LumenLook {

QColor resolveColour(quint32 value)
{
    if (value <= 0xFFFFFFu)
        return OleColor::toColor(value);
    return OleColor::toColor(0x80000000u | (value & 0xFFFFFFu));
}

QColor offsetColour(const QColor& colour, int d)
{
    const QColor c = colour.toRgb();
    const auto clamp = [](int v) {
        return std::clamp(v, 0, 255);
    };
    return QColor(clamp(c.red() + d), clamp(c.green() + d), clamp(c.blue() + c.blue() * d / 192));
}

QColor pressedBase(const QColor& back)
{
    return offsetColour(offsetColour(back, 48), -32);
}

QList<QColor> pressedGradientRows(const QColor& back, int height)
{
    QList<QColor> rows(std::max(height, 0));
    const QColor base = pressedBase(back);
    for (int i = 1; i <= height; ++i)
        rows[height - i] = offsetColour(base, -Rounding::halfEven(double(i) * 15.0 / height));
    return rows;
}

XpColours xpColours(bool defaultColours, quint32 pressed, quint32 hover)
{
    if (defaultColours)
        return {QColor(140, 170, 230), QColor(225, 153, 71)};
    return {resolveColour(pressed), resolveColour(hover)};
}

std::optional<QChar> accessKey(const QString& caption)
{
    const std::optional<QChar> key = Gdi::underlinedCharacter(caption);
    return key ? std::optional<QChar>(key->toLower()) : std::nullopt;
}

Content contentLayout(QSize button, int picturePosition, QSize picture, QSize caption, bool pressed)
{
    if (picture.isEmpty())
        picture = QSize(0, 0);
    if (caption.isEmpty())
        caption = QSize(0, 0);
    const QRect area = QRect(QPoint(0, 0), button).adjusted(4, 4, -4, -4);
    const bool hasPicture = !picture.isNull();
    const bool hasCaption = !caption.isNull();
    const int gap = hasPicture && hasCaption ? 4 : 0;
    const bool beside = picturePosition == PictureLeft || picturePosition == PictureRight;
    const bool stacked = picturePosition == PictureTop || picturePosition == PictureBottom;
    QSize group;
    if (beside)
        group = QSize(picture.width() + gap + caption.width(),
                      std::max(picture.height(), caption.height()));
    else if (stacked)
        group = QSize(std::max(picture.width(), caption.width()),
                      picture.height() + gap + caption.height());
    else
        group = picture.expandedTo(caption);
    const QPoint origin(area.left() + Rounding::halve(area.width() - group.width()),
                        area.top() + Rounding::halve(area.height() - group.height()));
    const auto centredX = [&](int w) {
        return origin.x() + Rounding::halve(group.width() - w);
    };
    const auto centredY = [&](int h) {
        return origin.y() + Rounding::halve(group.height() - h);
    };

    Content c;
    QPoint p;
    QPoint t;
    switch (picturePosition) {
    case PictureLeft:
        p = QPoint(origin.x(), centredY(picture.height()));
        t = QPoint(origin.x() + picture.width() + gap, centredY(caption.height()));
        break;
    case PictureRight:
        t = QPoint(origin.x(), centredY(caption.height()));
        p = QPoint(origin.x() + caption.width() + gap, centredY(picture.height()));
        break;
    case PictureBottom:
        t = QPoint(centredX(caption.width()), origin.y());
        p = QPoint(centredX(picture.width()), origin.y() + caption.height() + gap);
        break;
    case PictureTop:
        p = QPoint(centredX(picture.width()), origin.y());
        t = QPoint(centredX(caption.width()), origin.y() + picture.height() + gap);
        break;
    default:
        p = QPoint(centredX(picture.width()), centredY(picture.height()));
        t = QPoint(centredX(caption.width()), centredY(caption.height()));
        break;
    }
    const QPoint shift = pressed ? QPoint(1, 1) : QPoint(0, 0);
    if (hasPicture)
        c.picture = QRect(p + shift, picture);
    if (hasCaption)
        c.caption = QRect(t + shift, caption);
    return c;
}

} // namespace LumenLook
