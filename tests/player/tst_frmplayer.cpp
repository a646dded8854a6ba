// The main window in-process on the offscreen platform: start-up with missing and
// bad settings, shut-down, animation, keys, the station list, menus and layout.
#include "TestFolders.h"
#include "common/modGlobal.h"
#include "platform/AnsiCodePage.h"
#include "platform/KeyedListView.h"
#include "platform/MediaPlayer.h"
#include "platform/Twips.h"
#include "player/PlayerStatusBar.h"
#include "player/TerminationSignals.h"
#include "player/WindowTopMost.h"
#include "player/frmPlayer.h"
#include "player/modINI.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QToolBar>
#include <QtTest>

#include <csignal>
#include <memory>

using namespace modGlobal;

namespace {

const QString Player = QStringLiteral("PLAYER");

QString ini(const char* key)
{
    return INI_ReadValue(Player, QLatin1String(key));
}

// A station list file: "[STATION:]name|url|0|16777215|0|1" lines, Windows-1250, CR LF.
QByteArray stationList(const QList<QPair<QString, QString>>& stations)
{
    QString text;
    for (const auto& [name, url] : stations)
        text += QStringLiteral("[STATION:]%1|%2|0|16777215|0|1\r\n").arg(name, url);
    text += QStringLiteral("\r\n");
    return AnsiCodePage::encode(text);
}

QPoint rowCentre(KeyedListView* list, int row)
{
    return list->visualItemRect(list->topLevelItem(row)).center();
}

// Counts the window's "play" log lines (one per PlaySelectedStation that starts a station).
class PlayLog
{
public:
    PlayLog()
    {
        s_count = 0;
        QLoggingCategory::setFilterRules(QStringLiteral("skytuner.player.info=true"));
        m_previous = qInstallMessageHandler(&PlayLog::handler);
    }
    ~PlayLog()
    {
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules(QString());
    }
    int count() const { return s_count; }

private:
    static void handler(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        if (qstrcmp(context.category, "skytuner.player") == 0 &&
            message.startsWith(QLatin1String("play ")))
            ++s_count;
    }
    static inline int s_count = 0;
    QtMessageHandler m_previous = nullptr;
};

} // namespace

class TestFrmPlayer : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporaryProgramFolder> m_folder;
    std::unique_ptr<frmPlayer> m_window;

    // Writes skytuner.ini ("key=value" lines under [PLAYER]) and starts the window.
    frmPlayer& start(const QStringList& playerLines = {})
    {
        if (!playerLines.isEmpty())
            writeSettings(playerLines);
        m_window = std::make_unique<frmPlayer>();
        return *m_window;
    }

    void writeSettings(const QStringList& playerLines)
    {
        const QString text = QStringLiteral("[PLAYER]\r\n") +
                             playerLines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
        QVERIFY(TestFolders::writeBytes(m_folder->file("skytuner.ini"),
                                        AnsiCodePage::encode(QString(text))));
    }

    QString listFile(const QList<QPair<QString, QString>>& stations,
                     const QString& name = "list.tlist")
    {
        const QString path = m_folder->file(name);
        TestFolders::writeBytes(path, stationList(stations));
        return path;
    }

    frmPlayer& startShown(const QStringList& playerLines = {})
    {
        frmPlayer& window = start(playerLines);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qWarning("window not exposed");
        return window;
    }

private Q_SLOTS:
    void init()
    {
        ResetGlobalState();
        m_folder = std::make_unique<TemporaryProgramFolder>();
        QGuiApplication::clipboard()->setText(QStringLiteral("sentinel"));
    }

    void cleanup()
    {
        m_window.reset();
        m_folder.reset();
        ResetGlobalState();
    }

    void firstStartWithoutSettingsFile()
    {
        frmPlayer& window = start();
        const QByteArray bytes = TestFolders::readBytes(m_folder->file("skytuner.ini"));
        QVERIFY(
            bytes.startsWith(";Setting file for skyTuner\r\n;****************************\r\n"));
        QCOMPARE(window.WMP().settings().volume(), 50);
        QCOMPARE(window.WMP().settings().balance(), 0);
        QCOMPARE(window.lstStations()->rowCount(), 0);
        QVERIFY(CurrentListFile.isEmpty());
        QVERIFY(window.WMP().URL().isEmpty());
        QCOMPARE(window.windowTitle(), QStringLiteral("skyTuner v.0.2.4"));
        QCOMPARE(window.size(), QSize(Twips::toPixels(6210), Twips::toPixels(4425)));
        QCOMPARE(window.windowState(), Qt::WindowNoState);
        QCOMPARE(window.statusBar()->panelText("status"), QStringLiteral("skyTuner je připraven"));
        QCOMPARE(window.statusBar()->panelText("volume"), QStringLiteral("-10.00 dB"));
        QCOMPARE(window.statusBar()->panelPicture("icon"), 1);
        QCOMPARE(window.statusBar()->panelPicture("proxy"), 1);
        QCOMPARE(window.statusBar()->panel("proxy")->toolTip(), QStringLiteral("Proxy vypnuto"));
        QCOMPARE(window.statusBar()->panel("icon")->toolTip(), QStringLiteral("Stav přehrávání"));
        QCOMPARE(PlayerStatusBar::panelKeys(), (QStringList{"status", "volume", "proxy", "icon"}));
        QVERIFY(!window.tmrAnim().isActive());
        QCOMPARE(window.AnimFrame(), 0);
        // The default station list joins the program folder; nothing loads it yet.
        QVERIFY(QFile::exists(m_folder->file("stanice.tlist")));
    }

    void defaultStationListNeverReplacesTheUsers()
    {
        QVERIFY(TestFolders::writeBytes(m_folder->file("stanice.tlist"), "mine\r\n"));
        start();
        QCOMPARE(TestFolders::readBytes(m_folder->file("stanice.tlist")), QByteArray("mine\r\n"));
    }

    void shippedStationListReads()
    {
        start({QStringLiteral("list=") + m_folder->file("stanice.tlist")});
        m_window.reset();
        frmPlayer& window = start();
        QVERIFY(window.lstStations()->rowCount() >= 12);
        QVERIFY(window.lstStations()->findKey("https://rozhlas.stream/radiozurnal_mp3_128.mp3") >=
                0);
        QCOMPARE(window.lstStations()->rowText(0), QStringLiteral("BBC World Service"));
    }

    void badSettingValues_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("volume");
        QTest::addColumn<int>("balance");
        QTest::addColumn<int>("state");
        QTest::newRow("volume 150") << QStringList{"volume=150"} << 50 << 0 << 0;
        QTest::newRow("volume -1") << QStringList{"volume=-1"} << 50 << 0 << 0;
        QTest::newRow("volume abc") << QStringList{"volume=abc"} << 50 << 0 << 0;
        QTest::newRow("volume 75") << QStringList{"volume=75"} << 75 << 0 << 0;
        QTest::newRow("balance -100") << QStringList{"balance=-100"} << 50 << -100 << 0;
        QTest::newRow("balance 101") << QStringList{"balance=101"} << 50 << 0 << 0;
        QTest::newRow("state 3") << QStringList{"state=3"} << 50 << 0 << 0;
        QTest::newRow("state x") << QStringList{"state=x"} << 50 << 0 << 0;
        QTest::newRow("state 2") << QStringList{"state=2"} << 50 << 0 << int(Qt::WindowMaximized);
        QTest::newRow("state 1") << QStringList{"state=1"} << 50 << 0 << int(Qt::WindowMinimized);
    }

    void badSettingValues()
    {
        QFETCH(QStringList, lines);
        frmPlayer& window = start(lines);
        QTEST(window.WMP().settings().volume(), "volume");
        QTEST(window.WMP().settings().balance(), "balance");
        QTEST(int(window.windowState()), "state");
    }

    void autostartWithoutAnAddressLeavesTheStatusAlone()
    {
        frmPlayer& window = startShown({"autostart=1", "lasturl="});
        QVERIFY(CurrentURL.isEmpty());
        QTest::qWait(300); // any notifications of the empty address arrive meanwhile
        QCOMPARE(window.statusBar()->panelText("status"), QStringLiteral("skyTuner je připraven"));
        QCOMPARE(window.statusBar()->panelPicture("icon"), 1);
    }

    void placeThatCannotBeAWindowIsIgnored_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("huge") << QStringList{"left=1e40", "top=1e40", "width=1e40", "height=1e40"};
        QTest::newRow("not finite")
            << QStringList{"left=nan", "top=inf", "width=-inf", "height=NaN"};
        QTest::newRow("zero and negative") << QStringList{"width=0", "height=-3000"};
    }

    void placeThatCannotBeAWindowIsIgnored()
    {
        QFETCH(QStringList, lines);
        frmPlayer& window = start(lines);
        QCOMPARE(window.size(), QSize(Twips::toPixels(6210), Twips::toPixels(4425)));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(screen.contains(window.frameGeometry()));
    }

    void placeOffTheScreenIsPulledBack()
    {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        frmPlayer& window = start({"left=-3000", "top=900000", "width=7500", "height=6000"});
        QCOMPARE(window.frameGeometry().size(), QSize(500, 400));
        QCOMPARE(window.frameGeometry().left(), 0);
        QCOMPARE(window.frameGeometry().bottom(), screen.bottom());

        m_window.reset();
        frmPlayer& again = start({"left=900000", "top=-45", "width=7500", "height=6000"});
        QCOMPARE(again.frameGeometry().right(), screen.right());
        QCOMPARE(again.frameGeometry().top(), 0);
    }

    void normalShutDownWritesPlaceStateAndSettings()
    {
        const QString list = listFile({{"Jedna", "http://127.0.0.1:9/one"}});
        frmPlayer& window = startShown({"left=1500", "top=3000", "width=7500", "height=6000",
                                        QStringLiteral("list=") + list, "ontop=1", "systray=1"});
        QCOMPARE(window.pos(), QPoint(100, 200));
        QSignalSpy unloaded(&window, &frmPlayer::Unloaded);
        window.close();
        window.close(); // a second close runs no second shut-down
        QCOMPARE(unloaded.count(), 1);
        QCOMPARE(ini("left"), QStringLiteral("1500"));
        QCOMPARE(ini("top"), QStringLiteral("3000"));
        QCOMPARE(ini("width"), QStringLiteral("7500"));
        QCOMPARE(ini("height"), QStringLiteral("6000"));
        QCOMPARE(ini("state"), QStringLiteral("0"));
        QCOMPARE(ini("ontop"), QStringLiteral("1"));
        QCOMPARE(ini("systray"), QStringLiteral("1"));
        QCOMPARE(ini("lasturl"), QString());
        QCOMPARE(ini("list"), list);
        // The comment header of a file written by the program stays.
        QVERIFY(TestFolders::readBytes(m_folder->file("skytuner.ini")).isEmpty() == false);
    }

    void maximisedShutDownWritesOnlyState()
    {
        frmPlayer& window =
            startShown({"left=1500", "top=3000", "width=7500", "height=6000", "state=0"});
        window.showMaximized();
        QTRY_VERIFY(window.isMaximized());
        window.close();
        QCOMPARE(ini("state"), QStringLiteral("2"));
        QCOMPARE(ini("left"), QStringLiteral("1500"));
        QCOMPARE(ini("width"), QStringLiteral("7500"));
        QCOMPARE(ini("height"), QStringLiteral("6000"));
    }

    void twentyAnimationStepsWhilePlaying()
    {
        frmPlayer& window = start({"anim=1"});
        int rowIcon = 0;
        int panelIcon = 0;
        QCOMPARE(window.GetStateInfo(3, rowIcon, panelIcon), QStringLiteral("Přehrávání"));
        QCOMPARE(rowIcon, 3);
        QCOMPARE(panelIcon, 3);
        QVERIFY(window.tmrAnim().isActive());
        QCOMPARE(window.tmrAnim().interval(), 80);
        QList<int> frames;
        connect(&window, &frmPlayer::IconChanged, this,
                [&] { frames << window.imgMiniBar()->property("imageNumber").toInt(); });
        connect(&window, &frmPlayer::IconChanged, this,
                [&] { frames.last() = window.AnimFrame(); });
        QTRY_VERIFY_WITH_TIMEOUT(frames.size() >= 20, 5000);
        QCOMPARE(frames.mid(0, 20),
                 (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 1, 2, 3, 4}));
        // Any other state stops it and shows the resting icon; the frame is kept.
        window.GetStateInfo(6, rowIcon, panelIcon);
        QVERIFY(!window.tmrAnim().isActive());
        QCOMPARE(window.imgMiniBar()->property("imageNumber").toInt(), 1);
        QVERIFY(window.AnimFrame() >= 4);
    }

    void noTimerWhenAnimationIsOff()
    {
        frmPlayer& window = start({"anim=0"});
        int rowIcon = 0;
        int panelIcon = 0;
        window.GetStateInfo(3, rowIcon, panelIcon);
        QVERIFY(!window.tmrAnim().isActive());
        QCOMPARE(window.imgMiniBar()->property("imageNumber").toInt(), 1);
    }

    void volumeStepsByKey_data()
    {
        QTest::addColumn<int>("volume");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("panel");
        QTest::newRow("98 up") << 98 << int(Qt::Key_Right) << 100 << "0.00 dB";
        QTest::newRow("3 down") << 3 << int(Qt::Key_Left) << 0 << "-100.00 dB";
        QTest::newRow("4 down") << 4 << int(Qt::Key_Left) << 0 << "-100.00 dB";
        QTest::newRow("50 down") << 50 << int(Qt::Key_Left) << 45 << "-11.52 dB";
    }

    void volumeStepsByKey()
    {
        QFETCH(int, volume);
        QFETCH(int, key);
        frmPlayer& window = startShown();
        window.WMP().settings().setVolume(volume);
        QTest::keyClick(window.lstStations(), Qt::Key(key), Qt::ControlModifier);
        QTEST(window.WMP().settings().volume(), "expected");
        QTEST(window.statusBar()->panelText("volume"), "panel");
        QCOMPARE(ini("volume"), QString()); // the step does not write the settings
    }

    void everyKeystrokeActsOnce()
    {
        frmPlayer& window = startShown();
        MediaPlayer::Settings& settings = window.WMP().settings();
        settings.setVolume(50);
        // Pressed and released in the station list: one step, not two.
        window.lstStations()->setFocus();
        QTest::keyClick(window.lstStations(), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(settings.volume(), 55);
        // Elsewhere in the window: also one.
        QTest::keyClick(window.sktToolBar(), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(settings.volume(), 60);
        QTest::keyClick(&window, Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(settings.volume(), 55);
        // A held key: every auto-repeated press steps again; the release does not.
        QWidget* list = window.lstStations();
        QTest::sendKeyEvent(QTest::Press, list, Qt::Key_Right, QString(), Qt::ControlModifier);
        for (int repeat = 0; repeat < 3; ++repeat) {
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::ControlModifier, QString(),
                              true);
            QApplication::sendEvent(list, &release);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::ControlModifier, QString(), true);
            QApplication::sendEvent(list, &press);
        }
        QTest::sendKeyEvent(QTest::Release, list, Qt::Key_Right, QString(), Qt::ControlModifier);
        QCOMPARE(settings.volume(), 75);
        // Masks are exact.
        QTest::keyClick(list, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(list, Qt::Key_Right);
        QCOMPARE(settings.volume(), 75);
    }

    void playKeysStartTheStationOnce()
    {
        const QString list = listFile({{"Jedna", "http://127.0.0.1:9/one"}});
        frmPlayer& window = startShown({QStringLiteral("list=") + list});
        KeyedListView* lst = window.lstStations();
        QTest::mouseClick(lst->viewport(), Qt::LeftButton, {}, rowCentre(lst, 0));
        QCOMPARE(window.SelectedKey(), QStringLiteral("http://127.0.0.1:9/one"));
        PlayLog plays;
        lst->setFocus();
        QTest::keyClick(lst, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(plays.count(), 1);
        QTest::keyClick(lst, Qt::Key_Return);
        QCOMPARE(plays.count(), 2);
        QTest::keyClick(window.sktToolBar(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(plays.count(), 3);
        QCOMPARE(CurrentURL, QStringLiteral("http://127.0.0.1:9/one"));
        QCOMPARE(window.WMP().URL(), CurrentURL);
    }

    void shiftEscapeMinimises()
    {
        frmPlayer& window = startShown();
        QTest::keyClick(window.lstStations(), Qt::Key_Escape);
        QVERIFY(!window.isMinimized());
        QTest::keyClick(window.lstStations(), Qt::Key_Escape, Qt::ShiftModifier);
        QTRY_VERIFY(window.isMinimized());
    }

    void ctrlXCloses()
    {
        frmPlayer& window = startShown();
        QSignalSpy unloaded(&window, &frmPlayer::Unloaded);
        QTest::keyClick(window.lstStations(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(unloaded.count(), 1);
        QCOMPARE(ini("state"), QStringLiteral("0"));
    }

    void selectedKeyAndEnter()
    {
        const QString list =
            listFile({{"Alfa", "http://127.0.0.1:9/a"}, {"Beta", "http://127.0.0.1:9/b"}});
        frmPlayer& window = startShown({QStringLiteral("list=") + list});
        KeyedListView* lst = window.lstStations();
        QCOMPARE(lst->rowCount(), 2);
        QTest::mouseClick(lst->viewport(), Qt::LeftButton, {}, rowCentre(lst, 1));
        QCOMPARE(window.SelectedKey(), QStringLiteral("http://127.0.0.1:9/b"));
        // A press on empty space empties it; Enter then plays nothing.
        QTest::mouseClick(lst->viewport(), Qt::LeftButton, {},
                          QPoint(5, lst->viewport()->height() - 3));
        QVERIFY(window.SelectedKey().isEmpty());
        QTest::keyClick(lst, Qt::Key_Return);
        QVERIFY(CurrentURL.isEmpty());
        // A double click on empty space plays nothing either.
        QTest::mouseDClick(lst->viewport(), Qt::LeftButton, {},
                           QPoint(5, lst->viewport()->height() - 3));
        QVERIFY(CurrentURL.isEmpty());
        // Keyboard moves of the current row count as clicks; Enter plays.
        lst->setFocus();
        QTest::keyClick(lst, Qt::Key_Home);
        QCOMPARE(window.SelectedKey(), QStringLiteral("http://127.0.0.1:9/a"));
        QTest::keyClick(lst, Qt::Key_Return);
        QCOMPARE(CurrentURL, QStringLiteral("http://127.0.0.1:9/a"));
        QCOMPARE(window.WMP().URL(), CurrentURL);
        // Double click plays the row.
        QTest::mouseClick(lst->viewport(), Qt::LeftButton, {}, rowCentre(lst, 1));
        QTest::mouseDClick(lst->viewport(), Qt::LeftButton, {}, rowCentre(lst, 1));
        QCOMPARE(CurrentURL, QStringLiteral("http://127.0.0.1:9/b"));
    }

    void ctrlCCopiesTheSelectedElseTheCurrentAddress()
    {
        const QString list = listFile({{"Alfa", "http://127.0.0.1:9/a"}});
        frmPlayer& window = startShown({QStringLiteral("list=") + list});
        KeyedListView* lst = window.lstStations();
        QClipboard* clipboard = QGuiApplication::clipboard();
        // Nothing clicked, nothing played: the clipboard is left alone.
        QTest::keyClick(lst, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("sentinel"));
        // A stream opened by address: that address.
        CurrentURL = QStringLiteral("http://127.0.0.1:9/typed");
        QTest::keyClick(lst, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), CurrentURL);
        // A clicked row wins, and the list never puts its row text there.
        QTest::mouseClick(lst->viewport(), Qt::LeftButton, {}, rowCentre(lst, 0));
        QTest::keyClick(lst, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("http://127.0.0.1:9/a"));
        // Ctrl+Shift+C is not the copy key.
        clipboard->setText(QStringLiteral("sentinel"));
        QTest::keyClick(lst, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("sentinel"));
    }

    void rowsAreSortedByName()
    {
        const QString list = listFile({{"b", "http://127.0.0.1:9/b"},
                                       {"A", "http://127.0.0.1:9/A"},
                                       {"c", "http://127.0.0.1:9/c"}});
        frmPlayer& window = start({QStringLiteral("list=") + list});
        KeyedListView* lst = window.lstStations();
        QCOMPARE(lst->rowCount(), 3);
        QCOMPARE(lst->rowText(0), QStringLiteral("A"));
        QCOMPARE(lst->rowText(1), QStringLiteral("b"));
        QCOMPARE(lst->rowText(2), QStringLiteral("c"));
        QVERIFY(lst->isHeaderHidden());
        QCOMPARE(lst->rowSmallIcon(0), 1);
    }

    void playingAnotherStationClearsEveryRow()
    {
        const QString list =
            listFile({{"Alfa", "http://127.0.0.1:9/a"}, {"Beta", "http://127.0.0.1:9/b"}});
        frmPlayer& window = startShown({QStringLiteral("list=") + list});
        KeyedListView* lst = window.lstStations();
        lst->setSubItem(0, 1, QStringLiteral("Přehrávání"));
        lst->setRowSmallIcon(0, 3);
        window.ClearStationStatus();
        QCOMPARE(lst->subItem(0, 1), QString());
        QCOMPARE(lst->rowSmallIcon(0), 1);
    }

    void layout()
    {
        frmPlayer& window = startShown();
        KeyedListView* lst = window.lstStations();
        const QRect toolbar = window.sktToolBar()->geometry();
        const QRect status = window.statusBar()->geometry();
        QCOMPARE(toolbar.top(), 0);
        QCOMPARE(toolbar.width(), window.width());
        QCOMPARE(status.bottom(), window.height() - 1);
        QCOMPARE(lst->geometry().top(), toolbar.bottom() + 1 + Twips::toPixels(10));
        QCOMPARE(lst->geometry().bottom(), status.top() - 1);
        QCOMPARE(lst->width(), window.width());
        QCOMPARE(lst->columnWidth(0), Twips::toPixels(Twips::fromPixels(window.width()) - 1800));
        QCOMPARE(lst->columnWidth(1), Twips::toPixels(1400));
        // The window keeps its smallest size.
        window.resize(100, 100);
        QTRY_COMPARE(window.frameGeometry().size(),
                     QSize(Twips::toPixels(3540), Twips::toPixels(2200)));
        // The mini player stays hidden at the top left.
        QWidget* mini = window.findChild<QWidget*>("cntMiniPlayer");
        QVERIFY(mini && !mini->isVisible());
        QCOMPARE(mini->pos(), QPoint(0, 0));
        QCOMPARE(window.imgMiniBar()->geometry(), QRect(4, 3, 16, 16));
    }

    void alwaysOnTopSurvivesARestart()
    {
        frmPlayer& window = startShown();
        const QRect before = window.frameGeometry();
        QAction* onTop = window.menuItem("mnuSK_OnTop");
        QVERIFY(!onTop->isChecked());
        onTop->trigger();
        QVERIFY(OnTopFlag);
        QVERIFY(onTop->isChecked());
        QVERIFY(IsWindowTopMost(&window));
        QCOMPARE(window.frameGeometry(), before);
        window.close();
        m_window.reset();
        ResetGlobalState();
        frmPlayer& again = start();
        QVERIFY(OnTopFlag);
        QVERIFY(again.menuItem("mnuSK_OnTop")->isChecked());
        QVERIFY(IsWindowTopMost(&again));
        again.menuItem("mnuSK_OnTop")->trigger();
        QVERIFY(!OnTopFlag);
        QVERIFY(!IsWindowTopMost(&again));
    }

    void soundOffAndOn()
    {
        frmPlayer& window = start();
        QAction* mute = window.toolButton("tb_mute");
        QAction* sound = window.toolButton("tb_sound");
        QAction* trayItem = window.menuItem("mnuST_Sound");
        QVERIFY(mute->isVisible());
        QVERIFY(!sound->isVisible());
        QCOMPARE(trayItem->text(), QStringLiteral("Ztlumit/Zesílit"));
        mute->trigger();
        QVERIFY(window.WMP().settings().mute());
        QVERIFY(!mute->isVisible());
        QVERIFY(sound->isVisible());
        QCOMPARE(trayItem->text(), QStringLiteral("Zapnout zvuk"));
        trayItem->trigger();
        QVERIFY(!window.WMP().settings().mute());
        QVERIFY(mute->isVisible());
        QCOMPARE(trayItem->text(), QStringLiteral("Vypnout zvuk"));
        trayItem->trigger();
        QVERIFY(window.WMP().settings().mute());
    }

    void toolbarButtonsInOrder()
    {
        frmPlayer& window = start();
        QStringList keys;
        for (QAction* action : window.sktToolBar()->actions())
            keys << action->objectName();
        QCOMPARE(keys, (QStringList{"tb_exit", "tb_settings", "tb_stations", "tb_edit", "tb_fav",
                                    "tb_open", "tb_mute", "tb_sound", "tb_stop", "tb_play"}));
        QStringList product;
        for (QAction* action : window.mnuSkyTuner()->actions())
            product << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(product,
                 (QStringList{"Přepnout do mini vzhledu", "Vždy nahoře", "-",
                              "Otevřít adresu stanice\tCtrl+O", "Otevřít seznam stanic\tF12",
                              "Upravit seznam stanic\tCtrl+E", "-", "Nastavení\tCtrl+S",
                              "O programu...", "-", "Zavřít\tCtrl+X"}));
        QStringList tray;
        for (QAction* action : window.mnuSysTray()->actions())
            tray << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(tray,
                 (QStringList{"Přehrát", "Zastavit", "Ztlumit/Zesílit", "-", "Obnovit", "Zavřít"}));
    }

    void favouritesButtonFollowsTheFile()
    {
        frmPlayer& window = start({"fav=" + m_folder->file("missing.tlist")});
        QVERIFY(!window.toolButton("tb_fav")->isEnabled());
        m_window.reset();
        const QString fav = listFile({{"Oblíbená", "http://127.0.0.1:9/fav"}}, "fav.tlist");
        frmPlayer& again = start({QStringLiteral("fav=") + fav});
        QVERIFY(again.toolButton("tb_fav")->isEnabled());
        again.toolButton("tb_fav")->trigger();
        QCOMPARE(CurrentListFile, fav);
        QCOMPARE(again.lstStations()->rowCount(), 1);
        QCOMPARE(again.lstStations()->rowText(0), QStringLiteral("Oblíbená"));
    }

    void productMenuOpensWhereAUserFindsIt()
    {
        frmPlayer& window = startShown();
        QMenu* menu = window.mnuSkyTuner();
        // A right click on the toolbar and on the status bar.
        for (QWidget* widget : {static_cast<QWidget*>(window.sktToolBar()),
                                static_cast<QWidget*>(window.statusBar())}) {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    widget->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(widget, &event);
            QTRY_VERIFY(menu->isVisible());
            menu->hide();
        }
        // The context-menu key.
        QTest::keyClick(window.lstStations(), Qt::Key_Menu);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        // A left click on the mini bar image does nothing; a right one opens it.
        QTest::mouseClick(window.imgMiniBar(), Qt::LeftButton);
        QVERIFY(!menu->isVisible());
        QTest::mouseClick(window.imgMiniBar(), Qt::RightButton);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

    void terminationSignalsCloseTheWindowOnce()
    {
        frmPlayer& window = startShown();
        QSignalSpy unloaded(&window, &frmPlayer::Unloaded);
        TerminationSignals signals;
        connect(&signals, &TerminationSignals::Requested, &window, &QWidget::close);
        QSignalSpy requested(&signals, &TerminationSignals::Requested);
        ::raise(SIGINT);
        QTRY_COMPARE(requested.count(), 1);
        QCOMPARE(requested.at(0).at(0).toInt(), SIGINT);
        ::raise(SIGTERM);
        QTRY_COMPARE(requested.count(), 2);
        QCOMPARE(unloaded.count(), 1);
        QCOMPARE(ini("state"), QStringLiteral("0"));
    }

    void exitInEitherMenuClosesOnce()
    {
        for (const char* name : {"mnuSK_Exit", "mnuST_Exit"}) {
            frmPlayer& window = startShown();
            QSignalSpy unloaded(&window, &frmPlayer::Unloaded);
            window.menuItem(name)->trigger();
            QCOMPARE(unloaded.count(), 1);
            m_window.reset();
        }
        frmPlayer& window = startShown();
        QSignalSpy unloaded(&window, &frmPlayer::Unloaded);
        window.toolButton("tb_exit")->trigger();
        QCOMPARE(unloaded.count(), 1);
    }
};

QTEST_MAIN(TestFrmPlayer)
#include "tst_frmplayer.moc"
