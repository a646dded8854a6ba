// The data carried by a drag, as the controls' drag-and-drop events hand it to
// their hosts: a thin view over QMimeData addressed by clipboard format numbers.
//
// Formats: 1 text (text/plain), 2 bitmap and 8 device-independent bitmap (both
// the image of the drag), 15 files (text/uri-list of local files), -16639 rich
// text (text/rtf). Other numbers are not supported: GetFormat says false,
// GetData gives nothing and SetData refuses them.
//
// A format can be announced without its data (SetData with no value): the data
// is asked for only when a drop target reads it, through the renderer of
// DelayedMimeData (a control raises OLESetData there).
#pragma once

#include <QHash>
#include <QMimeData>
#include <QVariant>

#include <functional>

class DataObject
{
public:
    enum Format : short
    {
        CFText = 1,
        CFBitmap = 2,
        CFDIB = 8,
        CFFiles = 15,
        CFRTF = -16639
    };

    // A writable view (the drag's own data) or a read-only one (a drop's data).
    explicit DataObject(QMimeData* data) : m_data(data), m_writable(data) {}
    explicit DataObject(const QMimeData* data) : m_data(const_cast<QMimeData*>(data)) {}

    bool isWritable() const { return m_writable; }
    // Removes every format; false (and nothing changed) when read-only.
    bool Clear();
    QVariant GetData(short format) const;
    bool GetFormat(short format) const;
    // Stores `value` in `format` (text: a string; bitmaps: a QImage or QPixmap;
    // files: a QStringList of paths); a null value announces the format only.
    // False when read-only, the format is unsupported or the value does not fit.
    bool SetData(const QVariant& value, short format);
    // The local files of format 15.
    QStringList Files() const;

    // The MIME type a format number stands for, empty when unsupported.
    static QString mimeType(short format);

private:
    QMimeData* m_data;
    bool m_writable = false;
};

// Mime data whose announced formats are rendered on demand.
class DelayedMimeData : public QMimeData
{
public:
    using Renderer = std::function<void(DelayedMimeData* data, short format)>;

    void setRenderer(Renderer renderer) { m_renderer = std::move(renderer); }
    void announce(short format);
    void clearAnnounced() { m_announced.clear(); }
    void settle(const QString& mimeType) { m_announced.remove(mimeType); }

    QStringList formats() const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    mutable QHash<QString, short> m_announced; // MIME type -> format asked for
    Renderer m_renderer;
};
