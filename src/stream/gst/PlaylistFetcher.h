// Reads a playlist from a URI (http, https or file) without blocking the caller:
// a small GStreamer pipeline downloads it with the program's user agent, at most
// PlaylistParser::MaxSize bytes and within a time-out, and the parsed result or
// the failure arrives on the owner's thread.
#pragma once

#include "stream/PlaylistParser.h"
#include "stream/StreamError.h"

#include <QObject>

#include <memory>

class PlaylistFetcher : public QObject
{
    Q_OBJECT

public:
    explicit PlaylistFetcher(QObject* parent = nullptr);
    ~PlaylistFetcher() override;

    void fetch(const QString& uri); // cancels a fetch in progress
    void cancel();

Q_SIGNALS:
    void fetched(const PlaylistParser::Result& result);
    void failed(const StreamError& error);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
