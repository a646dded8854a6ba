// Plays one stream URI at a time on a GStreamer pipeline and reports what happens
// as signals on the owner's thread. Every call returns at once: the pipeline runs
// on its own threads, and a closed pipeline is torn down on a pool thread.
// The audio output is the system default unless SKYTUNER_AUDIO_SINK holds a
// GStreamer bin description to use instead.
#pragma once

#include "stream/StreamEngine.h"

#include <QString>

#include <memory>

class GstStreamEngine : public StreamEngine
{
    Q_OBJECT

public:
    explicit GstStreamEngine(QObject* parent = nullptr);
    ~GstStreamEngine() override;

    // A new engine as the player takes it.
    static std::unique_ptr<StreamEngine> create();

    void open(const QString& uri, bool detectPlaylist) override;
    void close() override;
    void setGains(double left, double right) override;
    void fetchPlaylist(const QString& uri) override;
    void cancelFetch() override;
    QString versionInfo() const override;

    // How long a stream may fail to keep its audio going before it counts as
    // lost (10 s); tests shorten it.
    void setStarveLimitMs(int ms);

    // GStreamer's version text, e.g. "GStreamer 1.22.0".
    static QString gstreamerVersion();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
