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

} // namespace

const QList<QIcon>& imglAnim()
{
    static const QList<QIcon> icons = [] {
        QList<QIcon> frames;
        for (int frame = 1; frame <= 16; ++frame)
            frames << svg(QStringLiteral("anim%1").arg(frame, 2, 10, QLatin1Char('0')));
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
