// org.mpris.MediaPlayer2.Player on MprisService's object: the playback state,
// the stream's metadata, the volume and the transport methods. A live stream
// has no position: Position is 0, Seek and SetPosition do nothing, the rate is 1.
#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QVariantMap>

class MprisService;

class MprisPlayerAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Rate WRITE setRate)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(double Volume READ Volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(double MinimumRate READ Rate)
    Q_PROPERTY(double MaximumRate READ Rate)
    Q_PROPERTY(bool CanGoNext READ CanGoNext)
    Q_PROPERTY(bool CanGoPrevious READ CanGoPrevious)
    Q_PROPERTY(bool CanPlay READ CanPlay)
    Q_PROPERTY(bool CanPause READ CanPause)
    Q_PROPERTY(bool CanSeek READ no)
    Q_PROPERTY(bool CanControl READ yes)

public:
    explicit MprisPlayerAdaptor(MprisService* service);

    QString PlaybackStatus() const { return value("PlaybackStatus").toString(); }
    double Rate() const { return 1.0; }
    void setRate(double) {}
    QVariantMap Metadata() const { return value("Metadata").toMap(); }
    double Volume() const { return value("Volume").toDouble(); }
    void setVolume(double volume);
    qlonglong Position() const { return 0; }
    bool CanGoNext() const { return value("CanGoNext").toBool(); }
    bool CanGoPrevious() const { return value("CanGoPrevious").toBool(); }
    bool CanPlay() const { return value("CanPlay").toBool(); }
    bool CanPause() const { return value("CanPause").toBool(); }
    bool yes() const { return true; }
    bool no() const { return false; }

public Q_SLOTS:
    void Next();
    void Previous();
    void Pause();
    void PlayPause();
    void Stop();
    void Play();
    void Seek(qlonglong Offset);
    void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position);
    void OpenUri(const QString& Uri);

Q_SIGNALS:
    void Seeked(qlonglong Position);

private:
    QVariant value(const char* name) const;

    MprisService* m_service;
};
