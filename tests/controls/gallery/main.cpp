// The controls gallery: shows every control in its looks and states.
//   skytuner-gallery                      opens the window
//   skytuner-gallery --screenshot FILE    saves a PNG of it and exits
//     [--crop X,Y,W,H] [--zoom N]         only a part of it, N times larger
#include "GalleryWindow.h"

#include <QApplication>
#include <QPixmap>
#include <QRect>
#include <QTimer>

namespace {

QString optionValue(const QStringList& args, const QString& name)
{
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : QString();
}

QPixmap shot(QWidget& window, const QStringList& args)
{
    QPixmap picture = window.grab();
    const QStringList crop = optionValue(args, QStringLiteral("--crop")).split(u',');
    if (crop.size() == 4)
        picture =
            picture.copy(QRect(crop[0].toInt(), crop[1].toInt(), crop[2].toInt(), crop[3].toInt()));
    const int zoom = optionValue(args, QStringLiteral("--zoom")).toInt();
    if (zoom > 1)
        picture = picture.scaled(picture.size() * zoom); // nearest pixels, to inspect them
    return picture;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    GalleryWindow window;
    window.show();
    const QStringList args = QCoreApplication::arguments();
    if (!args.contains(QStringLiteral("--screenshot")))
        return QApplication::exec();
    const QString file = optionValue(args, QStringLiteral("--screenshot"));
    if (file.isEmpty()) {
        qCritical("--screenshot needs a file name");
        return 2;
    }
    int result = 1;
    QTimer::singleShot(200, &window, [&] {
        result = shot(window, args).save(file, "PNG") ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    return result;
}
