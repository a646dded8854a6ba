// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface thread
// (a self-pipe read by a socket notifier), so the program shuts down through its
// normal path and keeps its settings.
#pragma once

#include <QObject>

class QSocketNotifier;

class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override; // puts the previous handlers back

Q_SIGNALS:
    void Requested(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
};
