// The real skytuner program on its own X display: with "autostart" it plays the
// last stream from a local Icecast server, and the open-URL dialog plays an
// address typed in; the first start shows the shipped stations and the station
// list chooser opens a list whose station then plays; SIGTERM (and SIGINT, on the next start
// from the settings it wrote) ends it through the normal shut-down, which writes
// the settings, with exit code 0. As a client of a real X session manager it
// writes its settings when the session saves itself, keeps running through a
// checkpoint or a cancelled logout, and shuts down once when the session ends.
#include "AudioRecording.h"
#include "ChildProcess.h"
#include "IcecastServer.h"
#include "SessionManager.h"
#include "TestFolders.h"
#include "common/AnsiCodePage.h"
#include "common/modGlobal.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// The values of a key in a skytuner.ini, joined by "," when it is set more than
// once.
QString setting(const QString& iniPath, const QString& key)
{
    QStringList values;
    for (const QString& line :
         AnsiCodePage::decode(TestFolders::readBytes(iniPath)).split(u"\r\n"_s))
        if (line.section(u'=', 0, 0).trimmed() == key)
            values << line.section(u'=', 1);
    return values.join(u',');
}

// skytuner (the build's, or `program`) with its own program folder (none: the
// one it picks), logging what the window and the dialogs do; killed with the
// test if it is still running.
class Skytuner
{
public:
    explicit Skytuner(const QString& home, const QProcessEnvironment& extra = {},
                      const QString& program = QStringLiteral(SKYTUNER_BINARY_DIR "/skytuner"))
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(extra);
        environment.remove("SKYTUNER_HOME");
        if (!home.isEmpty())
            environment.insert("SKYTUNER_HOME", home);
        environment.insert("QT_LOGGING_RULES", "skytuner.*.info=true");
        m_process.setProcessEnvironment(environment);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        ChildProcess::killWithTest(&m_process);
        m_process.start(program, {});
        m_process.waitForStarted(5000);
    }
    ~Skytuner() { ChildProcess::stop(&m_process); }

    // Reads the log until one line holds `text` (and `also`; bounded); the log
    // goes to the test's output when none came.
    bool waitFor(const QString& text, const QString& also = {}, int timeoutMs = 30000)
    {
        const auto found = [&] {
            for (const QByteArray& line : m_log.split('\n'))
                if (line.contains(text.toUtf8()) && line.contains(also.toUtf8()))
                    return true;
            return false;
        };
        // Waits with the event loop running, which the test's session manager needs.
        const auto read = [&] {
            m_log += m_process.readAllStandardError();
            return found();
        };
        ChildProcess::waitUntil(read, timeoutMs, &m_process);
        m_log += m_process.readAllStandardError(); // what it wrote before it ended
        if (!found())
            qWarning().noquote() << "no" << text << also << "in:\n" << m_log;
        return found();
    }

    bool ended(int timeoutMs)
    {
        return ChildProcess::waitUntil([&] { return m_process.state() == QProcess::NotRunning; },
                                       timeoutMs);
    }

    // Still running after waiting timeoutMs for it to end.
    bool keepsRunning(int timeoutMs = 1500)
    {
        ended(timeoutMs);
        m_log += m_process.readAllStandardError();
        return m_process.state() == QProcess::Running;
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
        if (!ended(timeoutMs))
            return -1;
        m_log += m_process.readAllStandardError();
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    const QByteArray& log() const { return m_log; }
    qint64 pid() const { return m_process.processId(); }

private:
    QProcess m_process;
    QByteArray m_log;
};

const QString Playing = QStringLiteral("state 3 Přehrávání");

// A program folder with one station on the server, started automatically, and
// a stored volume and window place the shut-down must keep; `more` adds settings.
bool writeProgramFolder(const QTemporaryDir& home, const IcecastServer& server,
                        const QString& more = {})
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
                                                   "state=0\r\n%3")
                                        .arg(server.mp3Url(), list, more)));
}

// Overwrites, behind the running program's back, values it writes whenever it
// saves its settings (the last stream, the window state), so a later check
// shows that it did.
bool makeStale(const QString& iniPath, const QString& url)
{
    QByteArray text =
        TestFolders::readBytes(iniPath).replace(url.toUtf8(), "http://stale.invalid/");
    const qsizetype state = text.indexOf("\r\nstate=");
    return state >= 0 && TestFolders::writeBytes(iniPath, text.replace(state + 8, 1, "stale"));
}

// The settings a program started from writeProgramFolder() writes, each once.
void verifySettingsWritten(const QString& iniPath, const QString& url, const QString& list,
                           const QString& state = QStringLiteral("0"),
                           const QString& systray = QStringLiteral("0"))
{
    const QStringList written{"lasturl=" + url, "list=" + list,      "volume=40",
                              "left=1500",      "top=1200",          "width=7200",
                              "height=5400",    "state=" + state,    "ontop=0",
                              "autostart=1",    "systray=" + systray};
    QStringList found;
    for (const QString& pair : written)
        found << pair.section(u'=', 0, 0) + u'=' + setting(iniPath, pair.section(u'=', 0, 0));
    QCOMPARE(found, written);
}

// xdotool with the words of `command`, then `more` as they are (texts to type).
bool xdotool(const QString& command, const QStringList& more = {})
{
    return ChildProcess::run("xdotool", command.split(u' ', Qt::SkipEmptyParts) + more);
}

// What a command (xdotool, xprop) prints, trimmed.
QByteArray output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(5000);
    return process.readAllStandardOutput().trimmed();
}

// The ids of a process's visible top-level windows on the display, one a line.
QByteArray visibleWindows(qint64 pid)
{
    return output("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid)});
}

// Presses `keys` (in the main window while it is the only one, else in the
// active window; after a right click on the toolbar, the "skyTuner" menu, when
// they start with "menu") and activates the window that came; false when none came.
bool openDialog(Skytuner& program, QString keys)
{
    const QByteArrayList before = visibleWindows(program.pid()).split('\n');
    const QString main = QString::fromLatin1(before[0]);
    QString act = before.size() == 1 ? "windowactivate --sync " + main : QString();
    if (keys.startsWith(u"menu "))
        act += " mousemove --window " + main + " 8 8 click 3 sleep 1";
    if (!xdotool(act + " key --delay 200 " + keys.remove(u"menu "_s)))
        return false;
    QByteArrayList windows;
    if (!QTest::qWaitFor(
            [&] {
                return (windows = visibleWindows(program.pid()).split('\n')).size() ==
                       before.size() + 1;
            },
            10000))
        return false;
    for (const QByteArray& window : before)
        windows.removeOne(window); // the new one is left
    return xdotool("windowactivate --sync " + QString::fromLatin1(windows[0]));
}

// A screen reader's view of the running program, tests/accessibility/atspi.py
// (Python, AT-SPI): "walk WINDOW" fails on a focusable control without a name
// (or a table column without one); "press WINDOW NAME" runs a control's press
// action, "set WINDOW NAME VALUE" sets its value, "click WINDOW NAME" clicks its
// centre. Windows and controls are found by the start of their names within
// 10 s; its reasons go to stderr.
bool atspi(const QStringList& arguments)
{
    return ChildProcess::run(
        "/usr/bin/python3",
        QStringList{SKYTUNER_SOURCE_DIR "/tests/accessibility/atspi.py"} + arguments, 30000);
}

// A stream server, a program folder from writeProgramFolder() and the program
// on it. Declared last, the program ends first.
struct Started
{
    IcecastServer server;
    QTemporaryDir home;
    std::unique_ptr<Skytuner> program;

    QString ini() const { return home.filePath("skytuner.ini"); }
    QString list() const { return home.filePath("e2e.tlist"); }

    // Runs the program (`settings` added to its settings file) until it plays
    // and painted; false when it did not.
    bool start(const QString& settings = {}, const QProcessEnvironment& environment = {})
    {
        if (!server.start())
            qWarning() << server.errorString();
        else if (writeProgramFolder(home, server, settings))
            program = std::make_unique<Skytuner>(home.path(), environment);
        return program && program->waitFor(Playing) && program->waitFor("first paint");
    }
};

// One program in a desktop session: the program of Started as a client of a
// real session manager, which outlives it.
struct SessionClient
{
    SessionManager manager;
    Started run;

    QString events() const { return manager.events().join(QStringLiteral(", ")); }

    // Runs the program as the manager's client until it registered, plays and
    // painted; `settings` are added to its settings file.
    bool start(const QString& settings = {})
    {
        if (!manager.start()) {
            qWarning() << manager.errorString();
            return false;
        }
        QProcessEnvironment environment;
        environment.insert("SESSION_MANAGER", manager.address());
        environment.insert("ICEAUTHORITY", manager.iceAuthorityFile());
        return run.start(settings, environment) && manager.waitFor("register");
    }

    // The session saves itself (a logout with `shutdown`, else a checkpoint) for
    // the n-th time; the settings are written by the time the program answers,
    // before any Die: a session manager may end the X server right after.
    bool saveYourself(bool shutdown, int n)
    {
        if (!makeStale(run.ini(), run.server.mp3Url()))
            return false;
        manager.saveYourself(SessionManager::SaveBoth, shutdown,
                             shutdown ? SessionManager::InteractAny : SessionManager::InteractNone,
                             false);
        const bool done = manager.waitFor("save-yourself-done success=1", n);
        if (!done)
            qWarning() << events();
        return done && setting(run.ini(), "lasturl") == run.server.mp3Url() &&
               setting(run.ini(), "state") != u"stale";
    }
};

} // namespace

class TestSkytunerE2E : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Autostart plays the stored stream; the open-URL dialog (Ctrl+O, the
    // address typed, Tab to OK, Enter) plays another that no row holds; SIGTERM
    // saves it, and the next start plays it again and ends the same way on SIGINT.
    void autostartOpenUrlAndSignalsSaveTheSettings()
    {
        Started run;
        QVERIFY(run.start());
        const QString typed = run.server.oggUrl();
        QVERIFY(openDialog(*run.program, "ctrl+o"));
        QVERIFY(xdotool("type --delay 20", {typed}));
        QVERIFY(xdotool("key --delay 100 Tab Return"));
        QVERIFY(run.program->waitFor(Playing, typed));
        QCOMPARE(run.program->endWith(SIGTERM), 0);
        verifySettingsWritten(run.ini(), typed, run.list());

        // The place and state come back as stored (the frame counted once, not twice).
        QVERIFY(TestFolders::writeBytes(
            run.ini(), TestFolders::readBytes(run.ini()).replace("state=0", "state=2")));
        run.program = std::make_unique<Skytuner>(run.home.path());
        QVERIFY(run.program->waitFor(Playing, typed));
        QCOMPARE(run.program->endWith(SIGINT), 0);
        verifySettingsWritten(run.ini(), typed, run.list(), QStringLiteral("2"));
    }

    // Installed into a prefix of its own, the program keeps the user's files in
    // $XDG_DATA_HOME/skytuner, copies the default list there and finds its
    // sounds in <prefix>/share/skytuner.
    void installedProgramUsesItsDataFolders()
    {
        QTemporaryDir prefix, dataHome;
        QVERIFY(ChildProcess::run(
            SKYTUNER_CMAKE, {"--install", SKYTUNER_BINARY_DIR, "--prefix", prefix.path()}, 120000));
        const QString data = prefix.filePath("share/skytuner"),
                      home = dataHome.filePath("skytuner");
        QProcessEnvironment environment;
        environment.insert("XDG_DATA_HOME", dataHome.path());
        Skytuner program({}, environment, prefix.filePath("bin/skytuner"));
        QVERIFY(program.waitFor("folders " + home + " | " + data));
        QVERIFY(QFile::exists(data + "/resources/over.wav") &&
                QFile::exists(home + "/skytuner.ini"));
        QCOMPARE(TestFolders::readBytes(home + "/stanice.tlist"),
                 TestFolders::readBytes(data + "/stanice.tlist"));
    }

    // The settings dialog as a user works it: Ctrl+S, Space ticks the animation
    // (the focus starts there), Tab to "Uložit a zavřít" and Enter store the
    // choices, the language always "cs"; Ctrl+S and Escape then write nothing.
    void settingsDialogStoresTheChoices()
    {
        Started run;
        QVERIFY(run.start(QStringLiteral("lang=en\r\n")));
        QVERIFY(openDialog(*run.program, "ctrl+s"));
        QVERIFY(xdotool("key --delay 100 space" + QString(" Tab").repeated(7) + " Return"));
        QTRY_COMPARE_WITH_TIMEOUT(setting(run.ini(), "anim"), QStringLiteral("1"), 10000);
        QCOMPARE(setting(run.ini(), "lang"), QStringLiteral("cs"));
        QCOMPARE(setting(run.ini(), "autostart"), QStringLiteral("1"));
        const QByteArray saved = TestFolders::readBytes(run.ini());
        QVERIFY(openDialog(*run.program, "ctrl+s"));
        QVERIFY(xdotool("key --delay 100 space Escape"));
        QTRY_COMPARE_WITH_TIMEOUT(visibleWindows(run.program->pid()).count('\n'), 0, 10000);
        QCOMPARE(TestFolders::readBytes(run.ini()), saved);
        QCOMPARE(run.program->endWith(SIGTERM), 0);
    }

    // The very first start (no settings file) shows the shipped stations. The
    // editor as a user works it: Ctrl+E, a station of the server typed in,
    // Alt+U saves it; Ctrl+S, the file name typed into the save dialog, Enter
    // write the list in Windows-1250; Escape closes. F12 opens the chooser on
    // the program folder, where that list is picked by typing its first letter
    // once the folder is listed, and opened with Enter; End and Enter in the
    // main window play its station, and the list is the one stored at the end.
    void editedListOpensInTheChooserAndPlays()
    {
        IcecastServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QTemporaryDir home;
        const QString saved = home.filePath("upraveny.tlist");
        Skytuner program(home.path());
        QVERIFY(program.waitFor("station list", "stanice.tlist"));
        QVERIFY(!program.log().contains("stanice.tlist\" 0 rows"));
        QVERIFY(program.waitFor("first paint"));
        const QString window = QString::fromLatin1(visibleWindows(program.pid()));
        QVERIFY(openDialog(program, "ctrl+e"));
        // Czech letters from a Czech keyboard: xdotool's own mapping of letters
        // to spare keys races with the program's keymap updates.
        QVERIFY(ChildProcess::run("setxkbmap", {"cz"}));
        const auto us = qScopeGuard([] { ChildProcess::run("setxkbmap", {"us"}); });
        QVERIFY(xdotool("type --delay 50", {"Ogg rádio česky"}));
        QVERIFY(xdotool("key Tab"));
        QVERIFY(xdotool("type --delay 20", {server.oggUrl()}));
        QVERIFY(xdotool("key --delay 100 alt+u"));
        QVERIFY(openDialog(program, "ctrl+s"));
        QVERIFY(xdotool("type --delay 20", {saved}));
        QVERIFY(xdotool("key --delay 100 Return"));
        QTRY_COMPARE_WITH_TIMEOUT(TestFolders::readBytes(saved),
                                  "[STATION:]Ogg r\xE1"
                                  "dio \xE8"
                                  "esky|" +
                                      server.oggUrl().toUtf8() + "|0|16777215|0|1\r\n\r\n",
                                  10000);
        QVERIFY(xdotool("key Escape"));
        QTRY_COMPARE_WITH_TIMEOUT(visibleWindows(program.pid()).count('\n'), 0, 10000);
        QVERIFY(openDialog(program, "F12"));
        QVERIFY(program.waitFor("station list files listed"));
        QVERIFY(xdotool("key --delay 200 u Return"));
        QVERIFY(program.waitFor("station list", "upraveny.tlist\" 1 rows"));
        QVERIFY(xdotool("windowactivate --sync " + window + " key --delay 200 End Return"));
        QVERIFY(program.waitFor(Playing, server.oggUrl()));
        QCOMPARE(program.endWith(SIGTERM), 0);
        QCOMPARE(setting(home.filePath("skytuner.ini"), "list"), saved);
    }

    // Through AT-SPI: every focusable control of the main window and of each
    // dialog has a name; the toolbar's "Vypnout zvuk" pressed silences the
    // sink, a ButtonEx pressed closes its dialog, and the volume slider set to
    // 100 from 40 plays as much louder. The ORX dialog comes first, at the start.
    void screenReaderReachesEveryControl()
    {
        IcecastServer server;
        QTemporaryDir home;
        QVERIFY(server.start() && writeProgramFolder(home, server) &&
                QFile::copy(SKYTUNER_TEST_DATA "/stations/czech.orx", home.filePath("czech.orx")));
        const QString sound = home.filePath("sound.raw");
        const EnvironmentOverride a11y("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1"),
            sink("SKYTUNER_AUDIO_SINK", AudioRecording::sinkInto(sound));
        const auto level = [&](qint64 from = 0) { // of about a second, once a change is heard
            QTest::qWait(600);
            from = QFileInfo(sound).size();
            QTest::qWait(1200);
            return AudioRecording::measure(TestFolders::readBytes(sound), from, 1 << 30).left;
        };
        auto program = std::make_unique<Skytuner>(home.path());
        QVERIFY(atspi({"walk", "Převod formátu"}) && atspi({"press", "Převod formátu", "Storno"}));
        QVERIFY(program->waitFor(Playing) && atspi({"walk", "skyTuner v."}));
        const double at40 = level();
        QVERIFY(atspi({"press", "skyTuner v.", "Vypnout zvuk"}) && level() < 30 && at40 > 300);
        QVERIFY(atspi({"press", "skyTuner v.", "Zapnout zvuk"}));
        // Each dialog: the keys that open it, its title, the button closing it.
        const char* dialogs[][3] = {{"ctrl+o", "Přehrát URL stanice", "Storno"},
                                    {"ctrl+s", "Nastavení", "Zavřít"},
                                    {"F12", "Seznamy stanice", "Storno"},
                                    {"ctrl+e", "Editace", "Zavřít"},
                                    {"menu Up Up Return", "O programu", "Zavřít"}};
        for (const auto& [keys, title, cancel] : dialogs) {
            QVERIFY(openDialog(*program, keys) && atspi({"walk", title}) &&
                    atspi({"press", title, cancel}));
            QTRY_COMPARE_WITH_TIMEOUT(visibleWindows(program->pid()).count('\n'), 0, 10000);
        }
        QVERIFY(atspi({"press", "skyTuner v.", "Hlasitost:"}) &&
                atspi({"walk", "Hlasitost a vyvážení"}) &&
                atspi({"set", "Hlasitost a vyvážení", "Hlasitost", "100"}));
        const double louder = AudioRecording::decibels(level(), at40);
        QVERIFY(std::abs(louder + modGlobal::VolumeToDecibels(40)) < 1);
        QCOMPARE(program->endWith(SIGTERM), 0);
    }

    // A logout as a desktop's session manager runs it: SaveYourself (save both,
    // shutdown, any interaction, not fast), then Die. The program writes its
    // settings when asked, does not veto, and on Die runs its shut-down once and
    // exits with code 0; minimised to the tray (its window hidden), "state" says
    // minimised and the stored place is kept.
    void endOfDesktopSessionShutsDownOnce_data()
    {
        QTest::addColumn<bool>("tray");
        QTest::newRow("window") << false;
        QTest::newRow("tray") << true;
    }

    void endOfDesktopSessionShutsDownOnce()
    {
        QFETCH(bool, tray);
        SessionClient session;
        QVERIFY(session.start(tray ? QStringLiteral("systray=1\r\n") : QString()));
        Skytuner& program = *session.run.program;
        const QString window = QString::fromLatin1(visibleWindows(program.pid()));
        // Framed by the window manager, then minimised by it until hidden (only its
        // tray icon is left on the screen); a request can be lost on a busy machine,
        // as a user's click would be.
        QTRY_VERIFY_WITH_TIMEOUT(
            output("xprop", {"-id", window, "_NET_FRAME_EXTENTS"}).contains(" = "), 10000);
        QElapsedTimer clock;
        clock.start();
        while (tray && visibleWindows(program.pid()).split('\n').contains(window.toLatin1()) &&
               clock.elapsed() < 15000) {
            QVERIFY(xdotool("windowminimize " + window));
            QTest::qWait(500);
        }
        QVERIFY2(visibleWindows(program.pid()).split('\n').contains(window.toLatin1()) != tray,
                 output("xprop", {"-id", window, "WM_STATE", "_NET_WM_STATE"}).constData());

        QVERIFY(session.saveYourself(true, 1));
        QVERIFY(!program.log().contains("shut down"));
        session.manager.die();
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(session.manager.waitFor("close"), qPrintable(session.events()));
        QCOMPARE(program.log().count("shut down"), 1);
        QCOMPARE(session.manager.count("interact-done cancel=1"), 0);
        QVERIFY2(!session.events().contains("error"), qPrintable(session.events()));
        session.run.program.reset();
        const QString minimised = tray ? QStringLiteral("1") : QStringLiteral("0");
        verifySettingsWritten(session.run.ini(), session.run.server.mp3Url(), session.run.list(),
                              minimised, minimised);
    }

    // A checkpoint (SaveYourself without shutdown) and a logout another program
    // cancels (ShutdownCancelled after SaveYourself) both save the settings and
    // leave the player running; it still shuts down normally afterwards.
    void sessionCheckpointAndCancelledLogoutKeepItRunning()
    {
        SessionClient session;
        QVERIFY(session.start());
        Skytuner& program = *session.run.program;
        QVERIFY(session.saveYourself(false, 1));
        QVERIFY2(program.keepsRunning(), program.log().constData());
        QVERIFY(session.saveYourself(true, 2));
        session.manager.cancelShutdown();
        QVERIFY2(program.keepsRunning(), program.log().constData());
        QVERIFY(!program.log().contains("shut down"));
        QCOMPARE(session.manager.count("close"), 0);

        QCOMPARE(program.endWith(SIGTERM), 0);
        QCOMPARE(program.log().count("shut down"), 1);
        session.run.program.reset();
        verifySettingsWritten(session.run.ini(), session.run.server.mp3Url(), session.run.list());
    }
};

QTEST_GUILESS_MAIN(TestSkytunerE2E)
#include "tst_skytuner_e2e.moc"
