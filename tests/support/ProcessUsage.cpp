#include "ProcessUsage.h"

#include <QDir>
#include <QFile>

ProcessUsage ProcessUsage::now()
{
    ProcessUsage u;
    const auto entries = QDir::Dirs | QDir::Files | QDir::System | QDir::NoDotAndDotDot;
    u.threads = int(QDir(QStringLiteral("/proc/self/task")).entryList(entries).size());
    u.descriptors = int(QDir(QStringLiteral("/proc/self/fd")).entryList(entries).size());
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                u.rssMiB = line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return u;
}

QString ProcessUsage::text() const
{
    return QStringLiteral("threads %1 fds %2 rss %3 MiB")
        .arg(threads)
        .arg(descriptors)
        .arg(rssMiB, 0, 'f', 1);
}
