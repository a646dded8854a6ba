// A private PulseAudio server for the benchmarks: one null sink, which takes
// sound at the real rate as a sound card does, its socket in a temporary
// folder, no system or user configuration. At debug level the server logs one
// line each time a stream's queue is empty when the sink needs its samples
// ("Implicit underrun of '...'" or "Actual underrun of '...'"): a drop-out as
// the listener hears it, whichever side is late.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class PulseServer
{
public:
    PulseServer() = default;
    ~PulseServer();
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    // True once the server takes clients (bounded wait).
    bool start(int timeoutMs = 10000);
    void stop();

    // Makes a client of environment play through this server only.
    void addTo(QProcessEnvironment& environment) const;
    qint64 processId() const { return m_process ? m_process->processId() : 0; }

    // Underruns logged so far, over all streams.
    int underruns() const;
    // What each stream asked for: "tlength=200.00 ms, minreq=50.00 ms".
    QStringList requestedBuffers() const;
    QString errorString() const { return m_error; }

private:
    QByteArray log() const;
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_process;
    QString m_error;
};
