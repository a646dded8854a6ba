// The main window's stored place ("left", "top", "width", "height" in twips and
// "state") and the rule that keeps a restored window on the screen.
#pragma once

#include <QRectF>
#include <QString>

#include <optional>

namespace WindowPlace {

// Largest distance or size in twips taken from the settings (about 66 000 pixels).
inline constexpr double MaxTwips = 1.0e6;

enum State
{
    Normal = 0,
    Minimised = 1,
    Maximised = 2
};

struct Stored
{
    std::optional<double> left, top, width, height; // twips; empty = as designed
    std::optional<int> state;                       // empty = as designed
};

// Reads the five settings texts. A number that cannot be a window place (not
// finite, beyond MaxTwips, a width or height of zero or less) is ignored like a
// non-numeric one. "state" counts only as exactly "0", "1" or "2".
Stored Read(const QString& left, const QString& top, const QString& width, const QString& height,
            const QString& state);

// The designed place with the stored values applied, each on its own.
QRectF Apply(const Stored& stored, const QRectF& designed);

// Pulls the window onto the screen, checking left, top, right, bottom in this
// order: a window wider than the screen ends with its left edge left of it.
QRectF KeepOnScreen(const QRectF& window, const QRectF& screen);

// The text a place value is written as: a single-precision number in plain decimal.
QString Text(double twips);

} // namespace WindowPlace
