// The real skytuner program on its own X display: with "autostart" it plays the
// last stream from a local Icecast server; SIGTERM (and SIGINT, on the next start
// from the settings it wrote) ends it through the normal shut-down, which writes
// the settings, with exit code 0.
#include "ChildProcess.h"
#include "IcecastServer.h"
#include "SessionManager.h"
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

// How many lines of a skytuner.ini set `key` (in any section).
int occurrences(const QString& iniPath, const QString& key)
{
    const QString text = AnsiCodePage::decode(TestFolders::readBytes(iniPath));
    int count = 0;
    for (const QString& line : text.split(QStringLiteral("\r\n")))
        count += line.section(QLatin1Char('='), 0, 0).trimmed() == key ? 1 : 0;
    return count;
}

// skytuner with its own program folder, logging what the window does; killed
// with the test if it is still running.
class Skytuner
{
public:
    explicit Skytuner(const QString& home, const QProcessEnvironment& extra = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(extra);
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
        return exitCode();
    }

    // The exit code once it ended by itself, or -1 when it did not end normally in time.
    int exitCode(int timeoutMs = 10000)
    {
        if (!m_process.waitForFinished(timeoutMs))
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

// A program folder with one station on the server, started automatically, and
// a stored volume and window place the shut-down must keep.
bool writeProgramFolder(const QTemporaryDir& home, const IcecastServer& server)
{
    const QString list = home.filePath("e2e.tlist");
    return TestFolders::writeBytes(
               list, AnsiCodePage::encode(
                         QStringLiteral("[STATION:]Testovací rádio|%1|0|16777215|-1|1\r\n\r\n")
                             .arg(server.mp3Url()))) &&
           TestFolders::writeBytes(
               home.filePath("skytuner.ini"),
               AnsiCodePage::encode(QStringLiteral("[PLAYER]\r\nautostart=1\r\nlasturl=%1\r\n"
                                                   "list=%2\r\nvolume=40\r\nleft=1500\r\n"
                                                   "top=1200\r\nwidth=7200\r\nheight=5400\r\n"
                                                   "state=0\r\n")
                                        .arg(server.mp3Url(), list)));
}

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
        const QString ini = home.filePath("skytuner.ini");
        QVERIFY(writeProgramFolder(home, server));

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

    // A logout as a desktop's session manager does it: SaveYourself (save both,
    // shutdown, any interaction, not fast), then Die. The program takes part in
    // the session, runs its shut-down once, does not veto the logout, and exits
    // with code 0 having written its settings.
    void endOfDesktopSessionSavesTheSettings()
    {
        IcecastServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        SessionManager manager;
        QVERIFY2(manager.start(), qPrintable(manager.errorString()));
        QTemporaryDir home;
        const QString list = home.filePath("e2e.tlist");
        const QString ini = home.filePath("skytuner.ini");
        QVERIFY(writeProgramFolder(home, server));

        QProcessEnvironment session;
        session.insert("SESSION_MANAGER", manager.address());
        session.insert("ICEAUTHORITY", manager.iceAuthorityFile());
        {
            Skytuner program(home.path(), session);
            QVERIFY2(manager.waitFor("register"), qPrintable(manager.events().join(", ")));
            QVERIFY2(program.waitFor(Playing), program.log().constData());
            QVERIFY(program.waitFor("first paint"));

            manager.saveYourself(SessionManager::SaveBoth, true, SessionManager::InteractAny,
                                 false);
            QVERIFY2(manager.waitFor("save-yourself-done success=1"),
                     qPrintable(manager.events().join(", ")));
            manager.die();
            QCOMPARE(program.exitCode(), 0);
            QVERIFY2(manager.waitFor("close") || manager.waitFor("connection-lost", 1, 1000),
                     qPrintable(manager.events().join(", ")));
            QCOMPARE(program.log().count("shut down"), 1);
            QCOMPARE(manager.count("interact-done cancel=1"), 0);
            qInfo() << "session:" << manager.events().join(", ");
        }
        QCOMPARE(setting(ini, "lasturl"), server.mp3Url());
        QCOMPARE(setting(ini, "list"), list);
        QCOMPARE(setting(ini, "volume"), QStringLiteral("40"));
        QCOMPARE(setting(ini, "left"), QStringLiteral("1500"));
        QCOMPARE(setting(ini, "top"), QStringLiteral("1200"));
        QCOMPARE(setting(ini, "width"), QStringLiteral("7200"));
        QCOMPARE(setting(ini, "height"), QStringLiteral("5400"));
        QCOMPARE(setting(ini, "state"), QStringLiteral("0"));
        for (const char* key : {"lasturl", "list", "volume", "left", "top", "width", "height",
                                "state", "ontop", "systray"})
            QCOMPARE(occurrences(ini, key), 1);
    }
};

QTEST_GUILESS_MAIN(TestSkytunerE2E)
#include "tst_skytuner_e2e.moc"
