#include "player/WindowLayout.h"

#include <algorithm>

namespace WindowLayout {

QSizeF AtLeastMinimum(const QSizeF& outer)
{
    return QSizeF(std::max(outer.width(), MinOuterWidth), std::max(outer.height(), MinOuterHeight));
}

StationList PlaceStationList(double toolbarTop, double toolbarHeight, double statusBarHeight,
                             const QSizeF& client)
{
    const double top = toolbarTop + toolbarHeight + ListGap;
    const double height = client.height() - (statusBarHeight + top);
    return {QRectF(0, top, client.width(), height), client.width() - NameColumnMargin,
            StatusColumnWidth};
}

} // namespace WindowLayout
