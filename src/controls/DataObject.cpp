#include "controls/DataObject.h"

#include <QImage>
#include <QPixmap>
#include <QUrl>

namespace {

const QString TextType = QStringLiteral("text/plain");
const QString ImageType = QStringLiteral("application/x-qt-image");
const QString FilesType = QStringLiteral("text/uri-list");
const QString RtfType = QStringLiteral("text/rtf");

} // namespace

QString DataObject::mimeType(short format)
{
    switch (format) {
    case CFText:
        return TextType;
    case CFBitmap:
    case CFDIB:
        return ImageType;
    case CFFiles:
        return FilesType;
    case CFRTF:
        return RtfType;
    default:
        return {};
    }
}

bool DataObject::Clear()
{
    if (!m_writable)
        return false;
    m_data->clear();
    if (auto* delayed = dynamic_cast<DelayedMimeData*>(m_data))
        delayed->clearAnnounced();
    return true;
}

bool DataObject::GetFormat(short format) const
{
    const QString type = mimeType(format);
    return !type.isEmpty() && m_data->hasFormat(type);
}

QVariant DataObject::GetData(short format) const
{
    if (!GetFormat(format))
        return {};
    switch (format) {
    case CFText:
        return m_data->text();
    case CFBitmap:
    case CFDIB:
        return m_data->imageData();
    case CFFiles:
        return Files();
    default:
        return QString::fromUtf8(m_data->data(RtfType));
    }
}

QStringList DataObject::Files() const
{
    QStringList files;
    if (!m_data->hasUrls())
        return files;
    const QList<QUrl> urls = m_data->urls();
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

bool DataObject::SetData(const QVariant& value, short format)
{
    const QString type = mimeType(format);
    if (!m_writable || type.isEmpty())
        return false;
    auto* delayed = dynamic_cast<DelayedMimeData*>(m_data);
    if (!value.isValid()) {
        if (!delayed)
            return false;
        delayed->announce(format);
        return true;
    }
    switch (format) {
    case CFText:
        if (!value.canConvert<QString>())
            return false;
        m_data->setText(value.toString());
        break;
    case CFBitmap:
    case CFDIB:
        if (value.canConvert<QImage>())
            m_data->setImageData(value.value<QImage>());
        else if (value.canConvert<QPixmap>())
            m_data->setImageData(value.value<QPixmap>().toImage());
        else
            return false;
        break;
    case CFFiles: {
        if (!value.canConvert<QStringList>())
            return false;
        QList<QUrl> urls;
        for (const QString& path : value.toStringList())
            urls << QUrl::fromLocalFile(path);
        m_data->setUrls(urls);
        break;
    }
    default:
        m_data->setData(RtfType, value.toString().toUtf8());
        break;
    }
    if (delayed)
        delayed->settle(type);
    return true;
}

void DelayedMimeData::announce(short format)
{
    const QString type = DataObject::mimeType(format);
    if (!type.isEmpty() && !QMimeData::formats().contains(type))
        m_announced.insert(type, format);
}

QStringList DelayedMimeData::formats() const
{
    QStringList all = QMimeData::formats();
    for (auto it = m_announced.cbegin(); it != m_announced.cend(); ++it) {
        if (!all.contains(it.key()))
            all << it.key();
    }
    return all;
}

QVariant DelayedMimeData::retrieveData(const QString& mimeType, QMetaType type) const
{
    // Asked once: a renderer that supplies nothing leaves the format empty.
    const short format = m_announced.take(mimeType);
    if (format != 0 && m_renderer)
        m_renderer(const_cast<DelayedMimeData*>(this), format);
    return QMimeData::retrieveData(mimeType, type);
}
