#include "controls/PropertyBag.h"

#include <QImage>

QVariant PropertyBag::read(const QString& name, const QVariant& fallback) const
{
    m_readOrder.append(name);
    const auto it = m_values.constFind(name);
    return it == m_values.constEnd() ? fallback : it.value();
}

int PropertyBag::readInt(const QString& name, int fallback) const
{
    bool ok = false;
    const int value = read(name, fallback).toInt(&ok);
    return ok ? value : fallback;
}

bool PropertyBag::readBool(const QString& name, bool fallback) const
{
    return read(name, fallback).toBool();
}

quint32 PropertyBag::readColour(const QString& name, quint32 fallback) const
{
    bool ok = false;
    const quint32 value = read(name, fallback).toUInt(&ok);
    return ok ? value : fallback;
}

QString PropertyBag::readString(const QString& name, const QString& fallback) const
{
    return read(name, fallback).toString();
}

QPixmap PropertyBag::readPicture(const QString& name) const
{
    const QVariant value = read(name);
    if (value.typeId() == QMetaType::QPixmap)
        return value.value<QPixmap>();
    if (value.typeId() == QMetaType::QImage)
        return QPixmap::fromImage(value.value<QImage>());
    return {};
}

QFont PropertyBag::readFont(const QString& name, const QFont& fallback) const
{
    const QVariant value = read(name);
    return value.typeId() == QMetaType::QFont ? value.value<QFont>() : fallback;
}

void PropertyBag::write(const QString& name, const QVariant& value, const QVariant& defaultValue)
{
    if (value == defaultValue)
        m_values.remove(name);
    else
        m_values.insert(name, value);
}

void PropertyBag::writePicture(const QString& name, const QPixmap& picture)
{
    if (picture.isNull())
        m_values.remove(name);
    else
        m_values.insert(name, picture.toImage()); // an image compares by its pixels
}
