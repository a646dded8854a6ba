#include "platform/OleColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

QColor systemColour(quint32 index)
{
    const QPalette palette = QGuiApplication::palette();
    // One aligned row per system colour.
    // clang-format off
    switch (index) {
    case 0x05: return palette.color(QPalette::Base);              // window
    case 0x08: return palette.color(QPalette::Text);              // window text
    case 0x0D: return palette.color(QPalette::Highlight);         // highlight
    case 0x0E: return palette.color(QPalette::HighlightedText);   // highlight text
    case 0x0F: return palette.color(QPalette::Button);            // button face
    case 0x10: return palette.color(QPalette::Dark);              // button shadow
    case 0x11: return palette.color(QPalette::Disabled, QPalette::Text); // grey text
    case 0x12: return palette.color(QPalette::ButtonText);        // button text
    case 0x14: return palette.color(QPalette::Light);             // 3D highlight
    case 0x15: return palette.color(QPalette::Shadow);            // 3D dark shadow
    case 0x16: return palette.color(QPalette::Midlight);          // 3D light
    case 0x17: return palette.color(QPalette::ToolTipText);       // info text
    case 0x18: return palette.color(QPalette::ToolTipBase);       // info background
    default: return palette.color(QPalette::Window);
    }
    // clang-format on
}

} // namespace

namespace OleColor {

QColor toColor(quint32 ole)
{
    if (isSystemReference(ole))
        return systemColour(ole & 0x00FFFFFFu);
    return QColor(int(ole & 0xFF), int((ole >> 8) & 0xFF), int((ole >> 16) & 0xFF));
}

quint32 fromColor(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16);
}

} // namespace OleColor
