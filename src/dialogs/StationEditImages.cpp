#include "dialogs/StationEditImages.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace StationEditImages {

namespace {

// A dot: filled green when shown, a grey ring when hidden; a changed row adds
// an orange corner mark.
QIcon rowIcon(bool shown, bool changed)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(shown ? QColor(0x2e7d32) : QColor(0x9e9e9e), 1.5));
    painter.setBrush(shown ? QColor(0x66bb6a) : Qt::transparent);
    painter.drawEllipse(QRectF(2.5, 2.5, 10, 10));
    if (changed) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xef6c00));
        painter.drawEllipse(QRectF(10, 0.5, 5.5, 5.5));
    }
    return QIcon(pixmap);
}

} // namespace

const QList<QIcon>& imglIcons()
{
    static const QList<QIcon> icons{rowIcon(false, false), rowIcon(true, false),
                                    rowIcon(false, true), rowIcon(true, true)};
    return icons;
}

QIcon picture(const QString& key)
{
    if (key == u"visible")
        return imglIcons().at(1);
    if (key == u"hiden")
        return imglIcons().at(0);
    static const std::pair<const char*, QStyle::StandardPixmap> pictures[] = {
        {"tb_exit", QStyle::SP_DialogCloseButton}, {"tb_new", QStyle::SP_FileIcon},
        {"tb_open", QStyle::SP_DialogOpenButton},  {"tb_save", QStyle::SP_DialogSaveButton},
        {"tb_saveas", QStyle::SP_DriveFDIcon},     {"tb_play", QStyle::SP_MediaPlay},
        {"tb_stop", QStyle::SP_MediaStop},
    };
    for (const auto& [name, standard] : pictures) {
        if (key == QLatin1String(name))
            return QApplication::style()->standardIcon(standard);
    }
    return {};
}

} // namespace StationEditImages
