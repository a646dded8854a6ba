// Three-dimensional edges and the dotted focus rectangle, drawn the way the
// classic Windows controls draw them, in the system colours of the palette.
//
// Rectangles are Windows rectangles carried in a QRect: (left, top) is the first
// pixel, and right = left + width, bottom = top + height lie just outside.
#pragma once

#include <QList>
#include <QRect>
#include <QtGlobal>

class QPainter;

namespace Gdi {

// Border kinds; an edge is an outer border (bits 0-1) plus an inner one (bits 2-3).
enum Border : uint
{
    BDR_RAISEDOUTER = 0x1,
    BDR_SUNKENOUTER = 0x2,
    BDR_RAISEDINNER = 0x4,
    BDR_SUNKENINNER = 0x8,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, // 5
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER, // 10
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, // 6
    EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,   // 9
};

enum EdgeFlag : uint
{
    BF_LEFT = 0x1,
    BF_TOP = 0x2,
    BF_RIGHT = 0x4,
    BF_BOTTOM = 0x8,
    BF_RECT = 0xF,
    BF_MIDDLE = 0x800,
    BF_ADJUST = 0x2000, // the caller's rectangle shrinks by the borders drawn
    BF_FLAT = 0x4000,   // borders in button shadow (outer) and face (inner)
    BF_MONO = 0x8000,   // borders in window frame black (outer) and window (inner)
};

// One filled rectangle of an edge, in a stored colour (see platform/OleColor.h).
struct EdgePart
{
    QRect area;
    quint32 colour = 0;
};

struct EdgeLayout
{
    QList<EdgePart> parts; // in drawing order
    QRect inner;           // the rectangle inside the borders
};

// What DrawEdge paints for the rectangle, edge and flags.
EdgeLayout edgeLayout(const QRect& rect, uint edge, uint flags);

// Paints the edge; returns the rectangle inside it (what BF_ADJUST gives back).
QRect drawEdge(QPainter& painter, const QRect& rect, uint edge, uint flags);

// The pixels DrawFocusRect inverts: every other pixel of the rectangle's outline.
QList<QPoint> focusRectPixels(const QRect& rect);

// Inverts the dotted outline, so drawing it twice removes it.
void drawFocusRect(QPainter& painter, const QRect& rect);

} // namespace Gdi
