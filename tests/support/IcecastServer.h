// A real Icecast 2 server on 127.0.0.1 for the player's tests and benchmarks:
// its own free port and configuration in a temporary folder, fed by two
// gst-launch-1.0 shout2send pipelines (a sine tone), one MP3 mount and one Ogg
// Vorbis mount, both carrying a title. Every process is stopped on stop() or
// destruction and dies with the test process.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class IcecastServer
{
public:
    static constexpr const char* Mp3Mount = "/test.mp3";
    static constexpr const char* OggMount = "/test.ogg";
    static constexpr const char* StationName = "Test Radio";
    static constexpr const char* Mp3Title = "Some Artist - First Song";
    static constexpr const char* OggTitle = "Other Artist - Ogg Song";

    IcecastServer() = default;
    ~IcecastServer();
    IcecastServer(const IcecastServer&) = delete;
    IcecastServer& operator=(const IcecastServer&) = delete;

    // Starts the server and both feeders; true once both mounts are live (bounded wait).
    bool start();
    void stop();

    quint16 port() const { return m_port; }
    QString mp3Url() const { return url(Mp3Mount); }
    QString oggUrl() const { return url(OggMount); }
    QString errorString() const { return m_error; }

    // Changes the title listeners of an MP3 mount receive (Icecast's admin API).
    bool setTitle(const QString& mount, const QString& text);

private:
    QString url(const char* mount) const;
    std::unique_ptr<QProcess> feed(const char* mount, const QString& encoder, const char* title);

    QTemporaryDir m_dir;
    quint16 m_port = 0;
    QString m_error;
    std::unique_ptr<QProcess> m_server;
    std::unique_ptr<QProcess> m_mp3Feed;
    std::unique_ptr<QProcess> m_oggFeed;
};
