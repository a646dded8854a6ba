// A stream engine that plays nothing, for tests of the player's own logic: it
// records every call the player makes as a line of text, and the test raises
// the engine's signals itself (they are public: Q_EMIT engine->audioStarted()).
#pragma once

#include "stream/StreamEngine.h"

#include <QStringList>

#include <utility>

class FakeStreamEngine : public StreamEngine
{
public:
    // "open <uri>", "open direct <uri>" (no playlist detection), "close",
    // "fetch <uri>", "cancel fetch"; gains are kept apart.
    QStringList calls;
    double left = -1;
    double right = -1;

    // The calls since the last take.
    QStringList takeCalls() { return std::exchange(calls, {}); }

    void open(const QString& uri, bool detectPlaylist) override
    {
        calls << (detectPlaylist ? QStringLiteral("open ") : QStringLiteral("open direct ")) + uri;
    }
    void close() override { calls << QStringLiteral("close"); }
    void setGains(double l, double r) override
    {
        left = l;
        right = r;
    }
    void fetchPlaylist(const QString& uri) override { calls << QStringLiteral("fetch ") + uri; }
    void cancelFetch() override { calls << QStringLiteral("cancel fetch"); }
    QString versionInfo() const override { return QStringLiteral("Fake 1.0"); }
};
