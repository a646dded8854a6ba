// The real skytuner program on its own X display with ORX files in its folder:
// the conversion dialog appears before the main window; Cancel leaves every
// file and the dialog comes back at the next start, where OK converts them and
// the converted list that "list" names is the one loaded.
#include "ChildProcess.h"
#include "TestFolders.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

namespace {

// The first visible window whose name matches, or empty.
QString visibleWindow(const char* name)
{
    QProcess xdotool;
    xdotool.start("xdotool", {"search", "--onlyvisible", "--name", name});
    xdotool.waitForFinished(15000);
    return QString::fromUtf8(xdotool.readAllStandardOutput()).section('\n', 0, 0);
}

} // namespace

class TestConvertE2e : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    QProcess m_program;
    QByteArray m_log;

    const QByteArray& log() { return m_log += m_program.readAllStandardError(); }

    // Starts the program and answers the dialog, checking that it came first.
    void startAndAnswer(const char* key)
    {
        ChildProcess::killWithTest(&m_program);
        m_log.clear();
        m_program.start(QStringLiteral(SKYTUNER_BINARY_DIR "/skytuner"), {});
        QString dialog;
        QVERIFY2(QTest::qWaitFor([&] { return !(dialog = visibleWindow("evod form")).isEmpty(); },
                                 30000),
                 log());
        QVERIFY(visibleWindow("^skyTuner v").isEmpty() && !log().contains("first paint"));
        QVERIFY(ChildProcess::run("xdotool", {"windowactivate", "--sync", dialog, "key", key}));
        QVERIFY2(QTest::qWaitFor([&] { return log().contains("first paint"); }, 30000), log());
    }
    QStringList files() const
    {
        return QDir(m_home.path()).entryList({"*.orx", "radio.tlist", "Moje.tlist"}, QDir::Files);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The program inherits these.
        qputenv("SKYTUNER_HOME", m_home.path().toLocal8Bit());
        qputenv("QT_LOGGING_RULES", "skytuner.player.info=true;skytuner.stations.debug=true");
        QVERIFY(
            QFile::copy(TestFolders::dataFile("stations/czech.orx"), m_home.filePath("radio.orx")));
        QVERIFY(QFile::copy(TestFolders::dataFile("stations/linux-utf8.orx"),
                            m_home.filePath("Moje.ORX")));
        QVERIFY(TestFolders::writeBytes(
            m_home.filePath("skytuner.ini"),
            "[PLAYER]\r\nlist=" + m_home.filePath("radio.tlist").toUtf8() + "\r\n"));
    }
    void cleanup() { ChildProcess::stop(&m_program); }

    void cancelLeavesEveryFile()
    {
        startAndAnswer("alt+s");
        QCOMPARE(files(), QStringList({"Moje.ORX", "radio.orx"}));
    }

    void okConvertsAndTheConvertedListLoads()
    {
        startAndAnswer("alt+o");
        QCOMPARE(files(), QStringList({"Moje.tlist", "radio.tlist"}));
        const QByteArray loaded =
            "5 stations read from \"" + m_home.filePath("radio.tlist").toUtf8() + '"';
        QVERIFY2(log().contains(loaded), log());
    }
};

QTEST_GUILESS_MAIN(TestConvertE2e)
#include "tst_convert_e2e.moc"
