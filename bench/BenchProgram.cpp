#include "BenchProgram.h"

#include "TestFolders.h"
#include "common/AnsiCodePage.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <unistd.h>

namespace Bench {

QString skytunerProgram()
{
    return QStringLiteral(SKYTUNER_BINARY_DIR "/skytuner");
}

void writeSettings(const QString& home, const QString& lines)
{
    TestFolders::writeBytes(home + QStringLiteral("/skytuner.ini"),
                            AnsiCodePage::encode(QString(QStringLiteral("[PLAYER]\r\n") + lines)));
}

QString autostartLines(const QString& url)
{
    return QStringLiteral("autostart=1\r\nlasturl=%1\r\n").arg(url);
}

QProcessEnvironment programEnvironment(const QString& home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SKYTUNER_HOME", home);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("QT_LOGGING_RULES", qEnvironmentVariableIsSet("BENCH_VERBOSE")
                                               ? "skytuner.*.info=true;skytuner.*.debug=true"
                                               : "skytuner.player.info=true");
    environment.insert("QT_MESSAGE_PATTERN", "%{time process} %{category} %{message}");
    if (!environment.contains("SKYTUNER_AUDIO_SINK"))
        environment.insert("SKYTUNER_AUDIO_SINK", "fakesink sync=true");
    return environment;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

ProcCounters countersOf(qint64 pid)
{
    ProcCounters c;
    const QString root = QStringLiteral("/proc/%1").arg(pid);
    QFile stat(root + QStringLiteral("/stat"));
    if (stat.open(QIODevice::ReadOnly)) {
        // After "pid (name) ": utime and stime are the 12th and 13th fields.
        const QByteArray text = stat.readAll();
        const QList<QByteArray> f = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (f.size() > 12)
            c.cpuSeconds = (f[11].toDouble() + f[12].toDouble()) / double(sysconf(_SC_CLK_TCK));
    }
    for (const QString& task :
         QDir(root + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(root + QStringLiteral("/task/") + task + QStringLiteral("/status"));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n')) {
            const long value = line.mid(line.indexOf(':') + 1).trimmed().toLong();
            if (line.startsWith("voluntary_ctxt_switches"))
                c.voluntary += value;
            else if (line.startsWith("nonvoluntary_ctxt_switches"))
                c.involuntary += value;
        }
    }
    return c;
}

} // namespace Bench
