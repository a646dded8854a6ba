// skyTuner on the desktop's media controls: owns org.mpris.MediaPlayer2.skytuner
// on the session bus and exports /org/mpris/MediaPlayer2 with the MPRIS 2 root
// and player interfaces (MprisRootAdaptor, MprisPlayerAdaptor). It reads and
// drives the main window's player through MediaPlayer2Host, and tells the bus of
// every change the desktop shows (PropertiesChanged). Without a session bus, or
// with the name owned by another instance, it says so once in the log and the
// program goes on without it; nothing here waits on the bus.
//
// The methods work without the bus too: the media keys of the window use them.
#pragma once

#include <QObject>
#include <QTimer>
#include <QVariantMap>

class MediaPlayer2Host;

namespace MprisRules {
struct Snapshot;
}

class MprisService : public QObject
{
    Q_OBJECT

public:
    static constexpr char ServiceName[] = "org.mpris.MediaPlayer2.skytuner";
    static constexpr char ObjectPath[] = "/org/mpris/MediaPlayer2";
    static constexpr char PlayerInterface[] = "org.mpris.MediaPlayer2.Player";

    // Publishes itself on the session bus (when there is one).
    explicit MprisService(MediaPlayer2Host& host, QObject* parent = nullptr);
    ~MprisService() override;

    // A property of the player interface as the bus carries it.
    QVariant playerProperty(const QString& name) const;

    void Raise();
    void Quit(); // after the caller's reply has left
    // Play: the last address again, or the list's first station when nothing
    // was played; nothing while playing.
    void Play();
    void Pause(); // a live stream cannot pause: it stops
    void PlayPause();
    void Stop();
    void Next();     // the next station of the list, played
    void Previous(); // the previous one
    void OpenUri(const QString& uri);
    void setVolume(double volume);

public Q_SLOTS:
    // Something the desktop shows may have changed (the station list was
    // filled); the bus hears of it once the current event is done.
    void Refresh();

private:
    MprisRules::Snapshot snapshot() const;
    void publish();
    void announce();
    void playNeighbour(int step);

    MediaPlayer2Host& m_host;
    QTimer m_refresh;
    QVariantMap m_announced; // the properties as the bus last heard them
    bool m_published = false;
};
