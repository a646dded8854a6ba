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

// skytuner (the build's, or `program`) with its own program folder (none: the
// one it picks), logging what the window does; killed with the test if it is
// still running.
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
        environment.insert("QT_LOGGING_RULES", "skytuner.player.info=true");
        m_process.setProcessEnvironment(environment);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        ChildProcess::killWithTest(&m_process);
        m_process.start(program, {});
        m_process.waitForStarted(5000);
    }
    ~Skytuner() { ChildProcess::stop(&m_process); }

    // Reads the log until one line holds `text` (and `also`; bounded).
    bool waitFor(const QByteArray& text, const QByteArray& also = {}, int timeoutMs = 30000)
    {
        const auto found = [&] {
            for (const QByteArray& line : m_log.split('\n'))
                if (line.contains(text) && line.contains(also))
                    return true;
            return false;
        };
        QElapsedTimer clock;
        clock.start();
        while (!found() && clock.elapsed() < timeoutMs && m_process.state() == QProcess::Running) {
            m_process.waitForReadyRead(200);
            m_log += m_process.readAllStandardError();
        }
        m_log += m_process.readAllStandardError(); // what it wrote before it ended
        return found();
    }

    // Still running after waiting timeoutMs for it to end.
    bool keepsRunning(int timeoutMs = 1500)
    {
        m_process.waitForFinished(timeoutMs);
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
        if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(timeoutMs))
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

const QByteArray Playing = "state 3 Přehrávání";

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
    QCOMPARE(setting(iniPath, "lasturl"), url);
    QCOMPARE(setting(iniPath, "list"), list);
    QCOMPARE(setting(iniPath, "volume"), QStringLiteral("40"));
    QCOMPARE(setting(iniPath, "left"), QStringLiteral("1500"));
    QCOMPARE(setting(iniPath, "top"), QStringLiteral("1200"));
    QCOMPARE(setting(iniPath, "width"), QStringLiteral("7200"));
    QCOMPARE(setting(iniPath, "height"), QStringLiteral("5400"));
    QCOMPARE(setting(iniPath, "state"), state);
    QCOMPARE(setting(iniPath, "ontop"), QStringLiteral("0"));
    QCOMPARE(setting(iniPath, "systray"), systray);
    for (const char* key : {"lasturl", "list", "volume", "left", "top", "width", "height", "state",
                            "ontop", "systray", "autostart"})
        QCOMPARE(occurrences(iniPath, key), 1);
}

// The ids of a process's visible top-level windows on the display, one a line.
QByteArray visibleWindows(qint64 pid)
{
    QProcess xdotool;
    xdotool.start("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid)});
    xdotool.waitForFinished(5000);
    return xdotool.readAllStandardOutput().trimmed();
}

// Presses `keys` (in the main window while it is the only one, else in the
// active window; after a right click on the toolbar, the "skyTuner" menu, when
// they follow "menu") and activates the window that came; false when none came.
bool openDialog(Skytuner& program, QStringList keys)
{
    const QByteArrayList before = visibleWindows(program.pid()).split('\n');
    QStringList act;
    if (before.size() == 1)
        act << "windowactivate"
            << "--sync" << QString::fromLatin1(before[0]);
    if (keys.first() == u"menu")
        act << "mousemove"
            << "--window" << QString::fromLatin1(before[0]) << "8"
            << "8"
            << "click"
            << "3"
            << "sleep"
            << "1";
    keys.removeAll(u"menu"_s);
    if (!ChildProcess::run("xdotool", act << "key"
                                          << "--delay"
                                          << "200" << keys))
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
    return ChildProcess::run("xdotool",
                             {"windowactivate", "--sync", QString::fromLatin1(windows[0])});
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

// Window properties as xprop shows them (WM_STATE, _NET_WM_STATE ...).
QByteArray windowProperties(const QByteArray& window, const QStringList& names)
{
    QProcess xprop;
    xprop.start("xprop", QStringList{"-id", QString::fromLatin1(window)} + names);
    xprop.waitForFinished(5000);
    return xprop.readAllStandardOutput();
}

// The environment that makes a Qt program a client of `manager`.
QProcessEnvironment sessionOf(const SessionManager& manager)
{
    QProcessEnvironment environment;
    environment.insert("SESSION_MANAGER", manager.address());
    environment.insert("ICEAUTHORITY", manager.iceAuthorityFile());
    return environment;
}

// One program in a desktop session: a stream server, a session manager and a
// program folder from writeProgramFolder(). Declared last, the program ends first.
struct SessionClient
{
    IcecastServer server;
    SessionManager manager;
    QTemporaryDir home;
    std::unique_ptr<Skytuner> program;

    QString ini() const { return home.filePath("skytuner.ini"); }
    QString list() const { return home.filePath("e2e.tlist"); }
    QString events() const { return manager.events().join(QStringLiteral(", ")); }

    // Runs the program as the manager's client until it registered, plays and
    // painted; `settings` are added to its settings file.
    void start(const QString& settings = {})
    {
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY2(manager.start(), qPrintable(manager.errorString()));
        QVERIFY(writeProgramFolder(home, server, settings));
        program = std::make_unique<Skytuner>(home.path(), sessionOf(manager));
        QVERIFY2(manager.waitFor("register"), qPrintable(events()));
        QVERIFY2(program->waitFor(Playing), program->log().constData());
        QVERIFY(program->waitFor("first paint"));
    }

    // The session saves itself (a logout with `shutdown`, else a checkpoint) for
    // the n-th time; the settings are written by the time the program answers,
    // before any Die: a session manager may end the X server right after.
    void saveYourself(bool shutdown, int n)
    {
        QVERIFY(makeStale(ini(), server.mp3Url()));
        manager.saveYourself(SessionManager::SaveBoth, shutdown,
                             shutdown ? SessionManager::InteractAny : SessionManager::InteractNone,
                             false);
        QVERIFY2(manager.waitFor("save-yourself-done success=1", n), qPrintable(events()));
        QCOMPARE(setting(ini(), "lasturl"), server.mp3Url());
        QVERIFY(setting(ini(), "state") != QLatin1String("stale"));
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
        IcecastServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QTemporaryDir home;
        const QString list = home.filePath("e2e.tlist");
        const QString ini = home.filePath("skytuner.ini");
        const QString typed = server.oggUrl();
        QVERIFY(writeProgramFolder(home, server));
        {
            Skytuner program(home.path());
            QVERIFY2(program.waitFor(Playing, server.mp3Url().toUtf8()), program.log().constData());
            QVERIFY(program.waitFor("first paint"));
            QVERIFY(openDialog(program, {"ctrl+o"}));
            QVERIFY(ChildProcess::run("xdotool", {"type", "--delay", "20", typed}));
            QVERIFY(ChildProcess::run("xdotool", {"key", "--delay", "100", "Tab", "Return"}));
            QVERIFY2(program.waitFor(Playing, typed.toUtf8()), program.log().constData());
            QCOMPARE(program.endWith(SIGTERM), 0);
            QVERIFY2(program.log().contains("shut down"), program.log().constData());
        }
        verifySettingsWritten(ini, typed, list);

        // The place and state come back as stored (the frame counted once, not twice).
        QVERIFY(TestFolders::writeBytes(ini,
                                        TestFolders::readBytes(ini).replace("state=0", "state=2")));
        {
            Skytuner program(home.path());
            QVERIFY2(program.waitFor(Playing, typed.toUtf8()), program.log().constData());
            QCOMPARE(program.endWith(SIGINT), 0);
        }
        verifySettingsWritten(ini, typed, list, QStringLiteral("2"));
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
        QVERIFY2(program.waitFor(("folders " + home + " | " + data).toUtf8()),
                 program.log().data());
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
        IcecastServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QTemporaryDir home;
        const QString ini = home.filePath("skytuner.ini");
        QVERIFY(writeProgramFolder(home, server, QStringLiteral("lang=en\r\n")));
        Skytuner program(home.path());
        QVERIFY2(program.waitFor(Playing), program.log().constData());
        QVERIFY(program.waitFor("first paint"));
        QVERIFY(openDialog(program, {"ctrl+s"}));
        QStringList keys{"key", "--delay", "100", "space"};
        for (int tab = 0; tab < 7; ++tab)
            keys << "Tab";
        QVERIFY(ChildProcess::run("xdotool", keys << "Return"));
        QTRY_COMPARE_WITH_TIMEOUT(setting(ini, "anim"), QStringLiteral("1"), 10000);
        QCOMPARE(setting(ini, "lang"), QStringLiteral("cs"));
        QCOMPARE(setting(ini, "autostart"), QStringLiteral("1"));
        const QByteArray saved = TestFolders::readBytes(ini);
        QVERIFY(openDialog(program, {"ctrl+s"}));
        QVERIFY(ChildProcess::run("xdotool", {"key", "--delay", "100", "space", "Escape"}));
        QTRY_COMPARE_WITH_TIMEOUT(visibleWindows(program.pid()).count('\n'), 0, 10000);
        QCOMPARE(TestFolders::readBytes(ini), saved);
        QCOMPARE(program.endWith(SIGTERM), 0);
    }

    // The editor as a user works it: Ctrl+E, a station of the server typed in,
    // Alt+U saves it; Ctrl+S, the file name typed into the save dialog, Enter
    // write the list in Windows-1250; Escape closes.
    void editorSavesAList()
    {
        IcecastServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QTemporaryDir home;
        QVERIFY(writeProgramFolder(home, server));
        const QString saved = home.filePath("upraveny.tlist");
        Skytuner program(home.path());
        QVERIFY(program.waitFor("first paint"));
        QVERIFY(openDialog(program, {"ctrl+e"}));
        // Czech letters from a Czech keyboard: xdotool's own mapping of letters
        // to spare keys races with the program's keymap updates.
        QVERIFY(ChildProcess::run("setxkbmap", {"cz"}));
        const auto us = qScopeGuard([] { ChildProcess::run("setxkbmap", {"us"}); });
        QVERIFY(ChildProcess::run("xdotool", {"type", "--delay", "50", "Ogg rádio česky"}));
        QVERIFY(ChildProcess::run("xdotool", {"key", "Tab"}));
        QVERIFY(ChildProcess::run("xdotool", {"type", "--delay", "20", server.oggUrl()}));
        QVERIFY(ChildProcess::run("xdotool", {"key", "--delay", "100", "alt+u"}));
        QVERIFY(openDialog(program, {"ctrl+s"}));
        QVERIFY(ChildProcess::run("xdotool", {"type", "--delay", "20", saved}));
        QVERIFY(ChildProcess::run("xdotool", {"key", "--delay", "100", "Return"}));
        QTRY_COMPARE_WITH_TIMEOUT(TestFolders::readBytes(saved),
                                  "[STATION:]Ogg r\xE1"
                                  "dio \xE8"
                                  "esky|" +
                                      server.oggUrl().toUtf8() + "|0|16777215|0|1\r\n\r\n",
                                  10000);
        QVERIFY(ChildProcess::run("xdotool", {"key", "Escape"}));
        QTRY_COMPARE_WITH_TIMEOUT(visibleWindows(program.pid()).count('\n'), 0, 10000);
        QCOMPARE(program.endWith(SIGTERM), 0);
    }

    // The very first start (no settings file) shows the shipped stations; F12
    // opens the chooser on the program folder, where a list of the test's
    // station is picked by typing its first letter and opened with Enter; End
    // (its station sorts last) and Enter in the main window play it.
    void firstStartAndTheChooserPlayAStation()
    {
        IcecastServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QTemporaryDir home;
        const QString list = home.filePath("e2e.tlist");
        QVERIFY(TestFolders::writeBytes(
            list,
            AnsiCodePage::encode(u"[STATION:]Testovací "
                                 u"rádio|%1|0|16777215|-1|1\r\n[STATION:]Alfa|http://127.0.0.1:9/|"
                                 u"0|0|0|1\r\n\r\n"_s.arg(server.mp3Url()))));
        Skytuner program(home.path());
        QVERIFY2(program.waitFor("station list", "stanice.tlist"), program.log().constData());
        QVERIFY(!program.log().contains("stanice.tlist\" 0 rows"));
        QVERIFY(program.waitFor("first paint"));
        const QByteArray window = visibleWindows(program.pid());
        QVERIFY(openDialog(program, {"F12"}));
        QTest::qWait(500); // the folder is listed
        QVERIFY(ChildProcess::run("xdotool", {"key", "--delay", "200", "e", "Return"}));
        QVERIFY2(program.waitFor("station list", "e2e.tlist\" 2 rows"), program.log().constData());
        QVERIFY(
            ChildProcess::run("xdotool", {"windowactivate", "--sync", QString::fromLatin1(window),
                                          "key", "--delay", "200", "End", "Return"}));
        QVERIFY2(program.waitFor(Playing, server.mp3Url().toUtf8()), program.log().constData());
        QCOMPARE(program.endWith(SIGTERM), 0);
        QCOMPARE(setting(home.filePath("skytuner.ini"), "list"), list);
    }

    // "O programu..." (last but one in the "skyTuner" menu) opens the about box;
    // Enter on its focused close button closes it.
    void aboutBoxOpensFromTheMenu()
    {
        QTemporaryDir home;
        Skytuner program(home.path());
        QVERIFY(program.waitFor("first paint"));
        QVERIFY(openDialog(program, {"menu", "Up", "Up", "Return"}));
        QProcess title;
        title.start("xdotool", {"getactivewindow", "getwindowname"});
        QVERIFY(title.waitForFinished(5000));
        QCOMPARE(title.readAllStandardOutput().trimmed(), "O programu");
        QVERIFY(ChildProcess::run("xdotool", {"key", "Return"}));
        QTRY_COMPARE_WITH_TIMEOUT(visibleWindows(program.pid()).count('\n'), 0, 10000);
        QCOMPARE(program.endWith(SIGTERM), 0);
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
            QVERIFY(openDialog(*program, QString(keys).split(u' ')) && atspi({"walk", title}) &&
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
    // exits with code 0.
    void endOfDesktopSessionShutsDownOnce()
    {
        SessionClient session;
        session.start();
        if (QTest::currentTestFailed())
            return;
        Skytuner& program = *session.program;
        session.saveYourself(true, 1);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!program.log().contains("shut down"));

        session.manager.die();
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(session.manager.waitFor("close"), qPrintable(session.events()));
        QCOMPARE(program.log().count("shut down"), 1);
        QCOMPARE(session.manager.count("interact-done cancel=1"), 0);
        QVERIFY2(!session.events().contains("error"), qPrintable(session.events()));
        session.program.reset();
        verifySettingsWritten(session.ini(), session.server.mp3Url(), session.list());
    }

    // The same logout with the player minimised to the tray (its window hidden):
    // the stored place is kept, "state" says minimised, the shut-down runs once.
    void endOfDesktopSessionInTheTray()
    {
        SessionClient session;
        session.start(QStringLiteral("systray=1\r\n"));
        if (QTest::currentTestFailed())
            return;
        Skytuner& program = *session.program;
        const QByteArray window = visibleWindows(program.pid());
        QVERIFY(!window.isEmpty());
        // Framed by the window manager, then minimised by it until hidden (only its
        // tray icon is left on the screen); a request can be lost on a busy machine,
        // as a user's click would be.
        QTRY_VERIFY_WITH_TIMEOUT(windowProperties(window, {"_NET_FRAME_EXTENTS"}).contains(" = "),
                                 10000);
        QElapsedTimer clock;
        clock.start();
        while (visibleWindows(program.pid()).split('\n').contains(window) &&
               clock.elapsed() < 15000) {
            QVERIFY(ChildProcess::run("xdotool", {"windowminimize", QString::fromLatin1(window)}));
            QTest::qWait(500);
        }
        QVERIFY2(!visibleWindows(program.pid()).split('\n').contains(window),
                 windowProperties(window, {"WM_STATE", "_NET_WM_STATE"}).constData());

        session.saveYourself(true, 1);
        if (QTest::currentTestFailed())
            return;
        session.manager.die();
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(program.log().count("shut down"), 1);
        session.program.reset();
        verifySettingsWritten(session.ini(), session.server.mp3Url(), session.list(),
                              QStringLiteral("1"), QStringLiteral("1"));
    }

    // A checkpoint (SaveYourself without shutdown) and a logout another program
    // cancels (ShutdownCancelled after SaveYourself) both save the settings and
    // leave the player running; it still shuts down normally afterwards.
    void sessionCheckpointAndCancelledLogoutKeepItRunning()
    {
        SessionClient session;
        session.start();
        if (QTest::currentTestFailed())
            return;
        Skytuner& program = *session.program;
        session.saveYourself(false, 1);
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(program.keepsRunning(), program.log().constData());

        session.saveYourself(true, 2);
        if (QTest::currentTestFailed())
            return;
        session.manager.cancelShutdown();
        QVERIFY2(program.keepsRunning(), program.log().constData());
        QVERIFY(!program.log().contains("shut down"));
        QCOMPARE(session.manager.count("close"), 0);

        QCOMPARE(program.endWith(SIGTERM), 0);
        QCOMPARE(program.log().count("shut down"), 1);
        session.program.reset();
        verifySettingsWritten(session.ini(), session.server.mp3Url(), session.list());
    }
};

QTEST_GUILESS_MAIN(TestSkytunerE2E)
#include "tst_skytuner_e2e.moc"
