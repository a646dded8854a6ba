// Plays one stream URI at a time on a GStreamer pipeline and reports what happens
// as signals on the owner's thread. Every call returns at once: the pipeline runs
// on its own threads, and a closed pipeline is torn down on a pool thread.
// The audio output is the system default unless SKYTUNER_AUDIO_SINK holds a
// GStreamer bin description to use instead.
#pragma once

#include "platform/StreamError.h"

#include <QObject>
#include <QString>

#include <memory>

class GstStreamEngine : public QObject
{
    Q_OBJECT

public:
    explicit GstStreamEngine(QObject* parent = nullptr);
    ~GstStreamEngine() override;

    // Starts the URI; a pipeline that was running is closed first. With
    // detectPlaylist, a server answering with a playlist content type makes the
    // engine report playlistDetected() instead of trying to play it.
    void open(const QString& uri, bool detectPlaylist);
    void close();

    // Linear amplitude per channel (0 = silent, 1 = untouched); applies at once.
    void setGains(double left, double right);

    static QString versionInfo();

Q_SIGNALS:
    void buffering(int percent);
    void audioStarted(); // audio is being played out
    void titleChanged(const QString& title);
    void stationNameChanged(const QString& name);
    void playlistDetected();
    void ended();
    void failed(const StreamError& error); // once per open()

private:
    struct Private;
    std::unique_ptr<Private> d;
};
