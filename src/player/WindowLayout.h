// The main window's layout arithmetic, in twips: the designed size, the smallest
// outer size, and the place of the station list and its two columns.
#pragma once

#include <QRectF>
#include <QSizeF>

namespace WindowLayout {

inline constexpr double DesignedClientWidth = 6210;
inline constexpr double DesignedClientHeight = 4425;
inline constexpr double MinOuterWidth = 3540;
inline constexpr double MinOuterHeight = 2200;
inline constexpr double ListGap = 10;            // between the toolbar and the list
inline constexpr double NameColumnMargin = 1800; // client width - name column
inline constexpr double StatusColumnWidth = 1400;

// The outer size grown to the smallest allowed one.
QSizeF AtLeastMinimum(const QSizeF& outer);

struct StationList
{
    QRectF rect;         // the list inside the client area
    double nameColumn;   // "H1" width
    double statusColumn; // "H2" width
};

// The list fills the client area between the toolbar and the status bar.
StationList PlaceStationList(double toolbarTop, double toolbarHeight, double statusBarHeight,
                             const QSizeF& client);

} // namespace WindowLayout
