#include "player/PlayerImages.h"

namespace PlayerImages {

namespace {

QIcon svg(const QString& name)
{
    return QIcon(QStringLiteral(":/images/") + name + QStringLiteral(".svg"));
}

QList<QIcon> list(std::initializer_list<const char*> names)
{
    QList<QIcon> icons;
    for (const char* name : names)
        icons << svg(QLatin1String(name));
    return icons;
}

// Drawn once at the sizes the window and tray ask for: a frame shown 12.5 times
// a second is then never drawn from its vector source again.
QIcon rendered(const QIcon& source)
{
    QIcon icon;
    for (const int side : {16, 22, 24, 32, 48})
        icon.addPixmap(source.pixmap(QSize(side, side)));
    return icon;
}

} // namespace

const QList<QIcon>& imglAnim()
{
    static const QList<QIcon> icons = [] {
        QList<QIcon> frames;
        for (int frame = 1; frame <= 16; ++frame)
            frames << rendered(svg(QStringLiteral("anim%1").arg(frame, 2, 10, QLatin1Char('0'))));
        return frames;
    }();
    return icons;
}

const QList<QIcon>& imglStations()
{
    static const QList<QIcon> icons =
        list({"station_idle", "station_shown", "station_playing", "station_busy"});
    return icons;
}

const QList<QIcon>& imglStatusIcon()
{
    static const QList<QIcon> icons = list({"status_idle", "status_busy", "status_playing"});
    return icons;
}

const QList<QIcon>& imglProxy()
{
    static const QList<QIcon> icons = list({"proxy_off", "proxy_on"});
    return icons;
}

QIcon imglToolBar(const QString& key)
{
    return svg(key);
}

QIcon image(const QList<QIcon>& list, int number)
{
    return (number >= 1 && number <= list.size()) ? list.at(number - 1) : QIcon();
}

} // namespace PlayerImages
