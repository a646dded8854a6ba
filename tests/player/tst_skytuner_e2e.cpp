// The real skytuner program on its own X display: with "autostart" it plays the
// last stream from a local Icecast server; SIGTERM (and SIGINT, on the next start
// from the settings it wrote) ends it through the normal shut-down, which writes
// the settings, with exit code 0.
#include "ChildProcess.h"
#include "IcecastServer.h"
#include "TestFolders.h"
#include "platform/AnsiCodePage.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/prctl.h>

namespace {

// The value of a key in section PLAYER of a skytuner.ini.
QString setting(const QString& iniPath, const QString& key)
{
    const QString text = AnsiCodePage::decode(TestFolders::readBytes(iniPath));
    bool inPlayer = false;
    for (const QString& line : text.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(QLatin1Char('[')))
            inPlayer = line.compare(QStringLiteral("[PLAYER]"), Qt::CaseInsensitive) == 0;
        else if (inPlayer && line.section(QLatin1Char('='), 0, 0).trimmed() == key)
            return line.section(QLatin1Char('='), 1);
    }
    return {};
}

// skytuner with its own program folder, logging what the window does; killed
// with the test if it is still running.
class Skytuner
{
public:
    explicit Skytuner(const QString& home)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("SKYTUNER_HOME", home);
        environment.insert("QT_LOGGING_RULES", "skytuner.player.info=true");
        m_process.setProcessEnvironment(environment);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        m_process.start(QStringLiteral(SKYTUNER_BINARY_DIR "/skytuner"), {});
        m_process.waitForStarted(5000);
    }
    ~Skytuner() { ChildProcess::stop(&m_process); }

    // Reads the log until it holds `text` (bounded).
    bool waitFor(const QByteArray& text, int timeoutMs = 30000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!m_log.contains(text) && clock.elapsed() < timeoutMs &&
               m_process.state() == QProcess::Running) {
            m_process.waitForReadyRead(200);
            m_log += m_process.readAllStandardError();
        }
        return m_log.contains(text);
    }

    // Sends the signal; the exit code, or -1 when it did not end normally in time.
    int endWith(int signalNumber)
    {
        ::kill(pid_t(m_process.processId()), signalNumber);
        if (!m_process.waitForFinished(10000))
            return -1;
        m_log += m_process.readAllStandardError();
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    const QByteArray& log() const { return m_log; }

private:
    QProcess m_process;
    QByteArray m_log;
};

const QByteArray Playing = "state 3 Přehrávání";

} // namespace

class TestSkytunerE2E : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void autostartPlaysAndSignalsSaveTheSettings()
    {
        IcecastServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QTemporaryDir home;
        const QString list = home.filePath("e2e.tlist");
        QVERIFY(TestFolders::writeBytes(
            list, AnsiCodePage::encode(
                      QStringLiteral("[STATION:]Testovací rádio|%1|0|16777215|-1|1\r\n\r\n")
                          .arg(server.mp3Url()))));
        const QString ini = home.filePath("skytuner.ini");
        QVERIFY(TestFolders::writeBytes(
            ini, AnsiCodePage::encode(QStringLiteral("[PLAYER]\r\nautostart=1\r\nlasturl=%1\r\n"
                                                     "list=%2\r\nvolume=40\r\nleft=1500\r\n"
                                                     "top=1200\r\nwidth=7200\r\nheight=5400\r\n"
                                                     "state=0\r\n")
                                          .arg(server.mp3Url(), list))));

        {
            Skytuner program(home.path());
            QVERIFY2(program.waitFor(Playing), program.log().constData());
            QVERIFY(program.log().contains(server.mp3Url().toUtf8()));
            QVERIFY(program.log().contains("first paint"));
            QCOMPARE(program.endWith(SIGTERM), 0);
            QVERIFY2(program.log().contains("shut down"), program.log().constData());
        }
        QCOMPARE(setting(ini, "lasturl"), server.mp3Url());
        QCOMPARE(setting(ini, "list"), list);
        QCOMPARE(setting(ini, "state"), QStringLiteral("0"));
        QCOMPARE(setting(ini, "ontop"), QStringLiteral("0"));
        QCOMPARE(setting(ini, "systray"), QStringLiteral("0"));
        QCOMPARE(setting(ini, "volume"), QStringLiteral("40"));
        // The place comes back as it was stored (the frame counted once, not twice).
        QCOMPARE(setting(ini, "left"), QStringLiteral("1500"));
        QCOMPARE(setting(ini, "top"), QStringLiteral("1200"));
        QCOMPARE(setting(ini, "width"), QStringLiteral("7200"));
        QCOMPARE(setting(ini, "height"), QStringLiteral("5400"));

        // The next start plays the stored stream again; SIGINT ends it the same way.
        QVERIFY(TestFolders::writeBytes(ini,
                                        TestFolders::readBytes(ini).replace("state=0", "state=2")));
        {
            Skytuner program(home.path());
            QVERIFY2(program.waitFor(Playing), program.log().constData());
            QCOMPARE(program.endWith(SIGINT), 0);
        }
        QCOMPARE(setting(ini, "state"), QStringLiteral("2"));
        QCOMPARE(setting(ini, "left"), QStringLiteral("1500"));
        QCOMPARE(setting(ini, "lasturl"), server.mp3Url());
    }
};

QTEST_GUILESS_MAIN(TestSkytunerE2E)
#include "tst_skytuner_e2e.moc"
