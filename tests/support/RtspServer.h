// A real RTSP server on 127.0.0.1 for the player's tests: a child process
// (rtsp_tone_server, built with the tests) serving a live MP3 sine tone at
// /tone and /udp-lost. It keeps its port across stop() and start(), so a test can make the
// server vanish mid-stream (killed: its sockets close at once) and come back.
// The process dies with the test.
#pragma once

#include <QProcess>
#include <QString>

#include <memory>

class RtspServer
{
public:
    RtspServer() = default;
    ~RtspServer();
    RtspServer(const RtspServer&) = delete;
    RtspServer& operator=(const RtspServer&) = delete;

    // Starts the server (on a free port the first time); true once it accepts
    // connections (bounded wait).
    bool start();
    // Kills the server: clients see their connections close and RTP stop.
    void stop();
    bool running() const;
    // Freezes the process (SIGSTOP) or lets it go on: while frozen, connections
    // stay open and nothing is sent or answered, like a server or network that hangs.
    void freeze(bool frozen);

    // "/tone", or "/udp-lost": the tone whose RTP over UDP never arrives (as
    // behind a firewall); over TCP it does.
    QString url(const char* path = "/tone") const;
    QString errorString() const { return m_error; }

private:
    quint16 m_port = 0;
    QString m_error;
    std::unique_ptr<QProcess> m_process;
};
