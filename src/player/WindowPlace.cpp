#include "player/WindowPlace.h"

#include "common/NumberText.h"
#include "settings/PlayerSettings.h"

#include <cmath>

namespace WindowPlace {

namespace {

std::optional<double> distance(const QString& text)
{
    const std::optional<double> value = PlayerSettings::NumericValue(text);
    if (!value || std::fabs(*value) > MaxTwips)
        return std::nullopt;
    return static_cast<double>(static_cast<float>(*value));
}

std::optional<double> length(const QString& text)
{
    const std::optional<double> value = distance(text);
    if (!value || *value <= 0.0)
        return std::nullopt;
    return value;
}

} // namespace

Stored Read(const QString& left, const QString& top, const QString& width, const QString& height,
            const QString& state)
{
    Stored stored{distance(left), distance(top), length(width), length(height), std::nullopt};
    if (state == QLatin1String("0") || state == QLatin1String("1") || state == QLatin1String("2"))
        stored.state = state.toInt();
    return stored;
}

QRectF Apply(const Stored& stored, const QRectF& designed)
{
    return QRectF(stored.left.value_or(designed.left()), stored.top.value_or(designed.top()),
                  stored.width.value_or(designed.width()),
                  stored.height.value_or(designed.height()));
}

QRectF KeepOnScreen(const QRectF& window, const QRectF& screen)
{
    QRectF placed = window;
    if (placed.left() < screen.left())
        placed.moveLeft(screen.left());
    if (placed.top() < screen.top())
        placed.moveTop(screen.top());
    if (placed.left() > screen.right() - placed.width())
        placed.moveLeft(screen.right() - placed.width());
    if (placed.top() > screen.bottom() - placed.height())
        placed.moveTop(screen.bottom() - placed.height());
    return placed;
}

QString Text(double twips)
{
    return NumberText::fromSingle(twips);
}

} // namespace WindowPlace
