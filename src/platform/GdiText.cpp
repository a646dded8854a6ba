#include "platform/GdiText.h"

#include "platform/OleColor.h"

#include <QFontMetrics>
#include <QPainter>

namespace Gdi {

PrefixText parsePrefixText(const QString& text)
{
    PrefixText result;
    result.display.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'&') {
            result.display.append(c);
            continue;
        }
        if (i + 1 >= text.size())
            break; // a trailing marker shows nothing
        const QChar next = text.at(i + 1);
        if (next != u'&' && result.underline < 0)
            result.underline = int(result.display.size());
        result.display.append(next);
        ++i;
    }
    return result;
}

std::optional<QChar> underlinedCharacter(const QString& text)
{
    const PrefixText parsed = parsePrefixText(text);
    if (parsed.underline < 0)
        return std::nullopt;
    return parsed.display.at(parsed.underline);
}

QString withoutFirstAmpersand(const QString& text)
{
    QString result = text;
    const qsizetype at = result.indexOf(u'&');
    if (at >= 0)
        result.remove(at, 1);
    return result;
}

QSize prefixTextSize(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    return QSize(metrics.horizontalAdvance(parsePrefixText(text).display), metrics.height());
}

namespace {

void drawOnce(QPainter& painter, QPoint topLeft, const PrefixText& text, const QColor& colour)
{
    const QFontMetrics metrics(painter.font());
    painter.setPen(colour);
    painter.drawText(QPoint(topLeft.x(), topLeft.y() + metrics.ascent()), text.display);
    if (text.underline < 0)
        return;
    const int x = topLeft.x() + metrics.horizontalAdvance(text.display.left(text.underline));
    const int w = metrics.horizontalAdvance(text.display.at(text.underline));
    const int y = topLeft.y() + metrics.ascent() + qMax(1, metrics.underlinePos());
    painter.fillRect(QRect(x, y, qMax(1, w), qMax(1, metrics.lineWidth())), colour);
}

} // namespace

void drawStatePrefixText(QPainter& painter, QPoint topLeft, const QString& text,
                         const QColor& colour, uint flags, int width)
{
    const PrefixText parsed = parsePrefixText(text);
    if (parsed.display.isEmpty())
        return;
    QPoint at = topLeft;
    if ((flags & DSS_RIGHT) && width > 0) {
        const int textWidth = QFontMetrics(painter.font()).horizontalAdvance(parsed.display);
        at.rx() += width - textWidth;
    }
    painter.save();
    if (flags & DSS_DISABLED) {
        drawOnce(painter, at + QPoint(1, 1), parsed, OleColor::toColor(OleColor::Highlight3D));
        drawOnce(painter, at, parsed, OleColor::toColor(OleColor::ButtonShadow));
    } else {
        drawOnce(painter, at, parsed, colour);
    }
    painter.restore();
}

} // namespace Gdi
