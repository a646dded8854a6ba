// The real skytuner program on its own X display: with "autostart" it plays the
// last stream from a local Icecast server, and SIGTERM ends it through the normal
// shut-down, which writes the settings, with exit code 0.
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

} // namespace

class TestSkytunerE2E : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void autostartPlaysAndSigtermSavesTheSettings()
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

        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("SKYTUNER_HOME", home.path());
        environment.insert("QT_LOGGING_RULES", "skytuner.player.info=true");
        program.setProcessEnvironment(environment);
        program.setStandardOutputFile(QProcess::nullDevice());
        program.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        const auto stopProgram = qScopeGuard([&] { ChildProcess::stop(&program); });
        program.start(QStringLiteral(SKYTUNER_BINARY_DIR "/skytuner"), {});
        QVERIFY(program.waitForStarted(5000));

        // The window logs each state the player reports for the current address.
        QByteArray log;
        const QByteArray playing = "state 3 Přehrávání";
        QElapsedTimer clock;
        clock.start();
        while (!log.contains(playing) && clock.elapsed() < 30000 &&
               program.state() == QProcess::Running) {
            program.waitForReadyRead(200);
            log += program.readAllStandardError();
        }
        QVERIFY2(log.contains(playing), log.constData());
        QVERIFY(log.contains(server.mp3Url().toUtf8()));
        QVERIFY(log.contains("first paint"));

        program.terminate(); // SIGTERM
        QVERIFY(program.waitForFinished(10000));
        log += program.readAllStandardError();
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(log.contains("shut down"), log.constData());

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
    }
};

QTEST_GUILESS_MAIN(TestSkytunerE2E)
#include "tst_skytuner_e2e.moc"
