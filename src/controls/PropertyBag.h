// The host form's store of a control's design-time properties: name -> value.
//
// A control writes each property under its own name, leaving out values equal
// to the property's fixed default, and reads them back in a fixed order, the
// default standing in for a missing name. The bag notes the order of the reads.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

class PropertyBag
{
public:
    PropertyBag() = default;
    explicit PropertyBag(QVariantMap values) : m_values(std::move(values)) {}

    // The saved value, or `fallback` when the name was not written.
    QVariant read(const QString& name, const QVariant& fallback = {}) const;
    int readInt(const QString& name, int fallback) const;
    bool readBool(const QString& name, bool fallback) const;
    quint32 readColour(const QString& name, quint32 fallback) const;
    QString readString(const QString& name, const QString& fallback) const;
    QPixmap readPicture(const QString& name) const; // null when not written
    QFont readFont(const QString& name, const QFont& fallback) const;

    // Stores the value unless it equals the default (then any old entry goes).
    void write(const QString& name, const QVariant& value, const QVariant& defaultValue);
    void writePicture(const QString& name, const QPixmap& picture); // null: not written

    bool contains(const QString& name) const { return m_values.contains(name); }
    const QVariantMap& values() const { return m_values; }
    // The names read so far, in order (also those that were not written).
    const QStringList& readOrder() const { return m_readOrder; }

private:
    QVariantMap m_values;
    mutable QStringList m_readOrder;
};
