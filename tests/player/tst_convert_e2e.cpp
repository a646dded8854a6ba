// The real skytuner program on its own X display with ORX files in its folder:
// the conversion dialog appears before the main window; Cancel leaves every
// file and the dialog comes back at the next start, where OK converts them and
// the converted list that "list" names is the one loaded.
#include "ChildProcess.h"
#include "TestFolders.h"
#include "common/AnsiCodePage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <csignal>

namespace {

// xdotool's output, empty when it fails (e.g. no window matches).
QString xdotool(const QStringList& args)
{
    QProcess process;
    process.start("xdotool", args);
    if (!process.waitForFinished(15000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString visibleWindow(const QString& name)
{
    return xdotool({"search", "--onlyvisible", "--name", name}).section('\n', 0, 0);
}

bool eventually(const std::function<bool()>& condition, int timeoutMs = 30000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < timeoutMs)
        QTest::qWait(200);
    return condition();
}

} // namespace

class TestConvertE2e : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    QProcess m_program;
    QByteArray m_log;

    // Starts the program; true once the dialog shows and the main window does not.
    bool startUntilDialog(QString& dialog)
    {
        m_log.clear();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("SKYTUNER_HOME", m_home.path());
        environment.insert("QT_LOGGING_RULES",
                           "skytuner.player.info=true;skytuner.stations.debug=true");
        m_program.setProcessEnvironment(environment);
        ChildProcess::killWithTest(&m_program);
        m_program.start(QStringLiteral(SKYTUNER_BINARY_DIR "/skytuner"), {});
        const bool shown =
            eventually([&] { return !(dialog = visibleWindow("evod form")).isEmpty(); });
        return shown && visibleWindow("^skyTuner v").isEmpty() && !log().contains("first paint");
    }
    const QByteArray& log() { return m_log += m_program.readAllStandardError(); }

private Q_SLOTS:
    void initTestCase()
    {
        const QByteArray record = "<RADIOSTATION><STATIONNAME>\310esk\375 rozhlas %1</STATIONNAME>"
                                  "<STATIONURL>http://127.0.0.1/%1</STATIONURL><VISIBLE>1</VISIBLE>"
                                  "</RADIOSTATION>\r\n";
        QVERIFY(TestFolders::writeBytes(m_home.filePath("radio.orx"),
                                        QByteArray(record).replace("%1", "1") +
                                            QByteArray(record).replace("%1", "2")));
        QVERIFY(TestFolders::writeBytes(m_home.filePath("Moje.ORX"),
                                        QByteArray(record).replace("%1", "3")));
        QVERIFY(TestFolders::writeBytes(
            m_home.filePath("skytuner.ini"),
            "[PLAYER]\r\nlist=" + m_home.filePath("radio.tlist").toUtf8() + "\r\n"));
    }
    void cleanup() { ChildProcess::stop(&m_program); }

    void cancelLeavesEveryFile()
    {
        QString dialog;
        QVERIFY2(startUntilDialog(dialog), log());
        QVERIFY(ChildProcess::run("xdotool", {"windowactivate", "--sync", dialog, "key", "alt+s"}));
        QVERIFY2(eventually([&] { return log().contains("first paint"); }), log());
        QVERIFY(!QFile::exists(m_home.filePath("radio.tlist")));
        QVERIFY(QFile::exists(m_home.filePath("radio.orx")) &&
                QFile::exists(m_home.filePath("Moje.ORX")));
        ::kill(pid_t(m_program.processId()), SIGTERM);
        QVERIFY(m_program.waitForFinished(10000));
        QCOMPARE(m_program.exitCode(), 0);
    }

    void okConvertsAndTheConvertedListLoads()
    {
        QString dialog;
        QVERIFY2(startUntilDialog(dialog), log());
        QVERIFY(ChildProcess::run("xdotool", {"windowactivate", "--sync", dialog, "key", "alt+o"}));
        QVERIFY2(eventually([&] { return log().contains("first paint"); }), log());
        const QByteArray loaded =
            "2 stations read from \"" + m_home.filePath("radio.tlist").toUtf8();
        QVERIFY2(log().contains(loaded), log());
        QStringList files = QDir(m_home.path()).entryList({"*.orx", "*.tlist"}, QDir::Files);
        files.removeOne("stanice.tlist"); // the default list every start installs
        QCOMPARE(files, QStringList({"Moje.tlist", "radio.tlist"}));
        QCOMPARE(AnsiCodePage::decode(TestFolders::readBytes(m_home.filePath("Moje.tlist"))),
                 QString::fromUtf8(
                     "[STATION:]Český rozhlas 3|http://127.0.0.1/3||16777215|0|1\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestConvertE2e)
#include "tst_convert_e2e.moc"
