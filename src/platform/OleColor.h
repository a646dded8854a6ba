// Colours in the stored form: 0x00BBGGRR for a plain colour, 0x800000nn for a
// reference to system colour nn, resolved through the application palette.
#pragma once

#include <QColor>
#include <QtGlobal>

namespace OleColor {

// System colour references used as defaults.
inline constexpr quint32 ButtonFace = 0x8000000F;
inline constexpr quint32 ButtonShadow = 0x80000010;
inline constexpr quint32 GrayText = 0x80000011;
inline constexpr quint32 ButtonText = 0x80000012;
inline constexpr quint32 Highlight3D = 0x80000014;
inline constexpr quint32 DarkShadow3D = 0x80000015;
inline constexpr quint32 Light3D = 0x80000016;
inline constexpr quint32 HighlightColor = 0x8000000D;
inline constexpr quint32 HighlightText = 0x8000000E;
inline constexpr quint32 WindowColor = 0x80000005;
inline constexpr quint32 WindowText = 0x80000008;

inline bool isSystemReference(quint32 ole)
{
    return (ole & 0xFF000000u) == 0x80000000u;
}

// Resolves a stored colour to a QColor; system references go through the palette.
QColor toColor(quint32 ole);

// A plain colour's stored form (red + 256 * green + 65536 * blue).
quint32 fromColor(const QColor& colour);

} // namespace OleColor
