// The main window in-process on the offscreen platform: start-up with missing and
// bad settings, shut-down, animation, keys, the station list, menus and layout.
#include "ProgramFiles.h"
#include "common/modGlobal.h"
#include "platform/KeyedListView.h"
#include "platform/Twips.h"
#include "player/PlayerStatusBar.h"
#include "player/TerminationSignals.h"
#include "player/WindowTopMost.h"
#include "player/frmPlayer.h"
#include "settings/modINI.h"
#include "stream/MediaPlayer.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QScopeGuard>
#include <QScreen>
#include <QToolBar>
#include <QtTest>

#include <csignal>
#include <memory>

using namespace modGlobal;
using namespace Qt::StringLiterals;

namespace {

// For each "key=value", the key as the settings file holds it now.
QStringList stored(const QStringList& lines)
{
    QStringList result;
    for (const QString& line : lines)
        result << line.section(u'=', 0, 0) + u'=' +
                      INI_ReadValue(u"PLAYER"_s, line.section(u'=', 0, 0));
    return result;
}

QPoint rowCentre(KeyedListView* list, int row)
{
    return list->visualItemRect(list->topLevelItem(row)).center();
}

// Counts the window's "play" log lines (one per station started).
int s_plays = 0;
void countPlays(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (qstrcmp(context.category, "skytuner.player") == 0 && message.startsWith(u"play "))
        ++s_plays;
}

} // namespace

class TestFrmPlayer : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporaryProgramFolder> m_folder;
    std::unique_ptr<frmPlayer> m_window;

    // Writes skytuner.ini: "key=value" lines under [PLAYER].
    void writeSettings(const QStringList& lines) { ProgramFiles::writeSettings(*m_folder, lines); }

    frmPlayer& start(const QStringList& playerLines = {})
    {
        if (!playerLines.isEmpty())
            writeSettings(playerLines);
        m_window = std::make_unique<frmPlayer>();
        return *m_window;
    }

    frmPlayer& startShown(const QStringList& playerLines = {})
    {
        frmPlayer& window = start(playerLines);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qWarning("window not exposed");
        return window;
    }

    // A station list file, Windows-1250 with CR LF.
    QString listFile(const QList<QPair<QString, QString>>& stations,
                     const QString& name = "list.tlist")
    {
        return ProgramFiles::writeList(*m_folder, name, stations);
    }

private Q_SLOTS:
    void init()
    {
        ResetGlobalState();
        m_folder = std::make_unique<TemporaryProgramFolder>();
        QGuiApplication::clipboard()->setText(u"sentinel"_s);
    }

    void cleanup()
    {
        m_window.reset();
        m_folder.reset();
        ResetGlobalState();
    }

    void firstStartWithoutSettingsFile()
    {
        frmPlayer& window = startShown();
        QCOMPARE(window.size(), QSize(Twips::toPixels(6210), Twips::toPixels(4425)));
        // The shipped list joins the program folder and is the first list shown;
        // the window manager places the window.
        QCOMPARE(CurrentListFile, m_folder->file("stanice.tlist"));
        KeyedListView* lst = window.lstStations();
        QVERIFY(lst->rowCount() >= 12);
        QVERIFY(!window.testAttribute(Qt::WA_Moved));
        // The list fills the space between toolbar and status bar; its columns stay
        // as laid out (no stretching of the last one).
        QCOMPARE(lst->geometry().top(),
                 window.sktToolBar()->geometry().bottom() + 1 + Twips::toPixels(10));
        QCOMPARE(lst->geometry().bottom(), window.statusBar()->geometry().top() - 1);
        QCOMPARE(lst->columnWidth(1), Twips::toPixels(1400));
        // The window keeps its smallest size.
        window.resize(100, 100);
        QTRY_COMPARE(window.frameGeometry().size(),
                     QSize(Twips::toPixels(3540), Twips::toPixels(2200)));
        // A text too long for the status panel ends in "…", whole in the tool tip.
        const QString error = u"Chyba: server vrátil HTTP 404 (stream nebyl nalezen)"_s;
        QLabel* panel = window.statusBar()->panel("status");
        window.statusBar()->setPanelText("status", error);
        QCOMPARE(window.statusBar()->panelText("status"), error);
        QVERIFY(panel->text().endsWith(u"…"_s) && panel->toolTip() == error);
        window.resize(1600, 300);
        QTRY_COMPARE(panel->text(), error);
        QVERIFY(panel->toolTip().isEmpty());
        // Later starts with an empty list stay empty; a user's file of the shipped
        // list's name is never replaced.
        m_window.reset();
        QVERIFY(TestFolders::writeBytes(m_folder->file("stanice.tlist"), "mine\r\n"));
        QCOMPARE(start({"list="}).lstStations()->rowCount(), 0);
        QCOMPARE(TestFolders::readBytes(m_folder->file("stanice.tlist")), QByteArray("mine\r\n"));
    }

    // The value rules are the settings store's; here stored values other than the
    // defaults reach the window, and autostart without an address leaves the
    // status alone.
    void settingValuesReachThePlayer()
    {
        frmPlayer& window =
            startShown({"volume=75", "balance=-100", "state=2", "autostart=1", "lasturl="});
        QCOMPARE(window.statusBar()->panelText("volume"), u"-4.15 dB"_s);
        QCOMPARE(window.WMP().settings().balance(), -100);
        QCOMPARE(window.windowState(), Qt::WindowMaximized);
        QVERIFY(CurrentURL.isEmpty());
        QTest::qWait(300); // any notifications of the empty address arrive meanwhile
        QCOMPARE(window.statusBar()->panelText("status"), u"skyTuner je připraven"_s);
        QCOMPARE(window.statusBar()->panelPicture("icon"), 1);
    }

    // A stored place off the screen is pulled back onto it.
    void placeOffTheScreen()
    {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(start({"left=-3000", "top=900000", "width=7500", "height=6000"}).frameGeometry(),
                 QRect(0, screen.bottom() - 399, 500, 400));
        // Stored smaller than the smallest size: kept on the screen at that size.
        QTRY_VERIFY(screen.contains(
            start({"left=900000", "top=900000", "width=150", "height=150"}).frameGeometry()));
    }

    // Shut-down writes what the window holds over what the file holds by then;
    // on-top set from the menu survives a restart.
    void shutDownWritesPlaceStateAndSettings()
    {
        const QString list = listFile({{"Jedna", "http://127.0.0.1:9/one"}});
        frmPlayer& window = startShown(
            {"systray=1", "list=" + list, "left=1500", "top=3000", "width=7500", "height=6000"});
        window.menuItem("mnuSK_OnTop")->trigger();
        KeyedListView* lst = window.lstStations();
        QTest::mouseDClick(lst->viewport(), Qt::LeftButton, {}, rowCentre(lst, 0));
        writeSettings({"ontop=0", "systray=0", "list=stale", "lasturl=stale"});
        QSignalSpy unloaded(&window, &frmPlayer::Unloaded);
        window.close();
        window.close(); // a second close runs no second shut-down
        QCOMPARE(unloaded.count(), 1);
        const QStringList written{"ontop=1",      "systray=1",   "lasturl=http://127.0.0.1:9/one",
                                  "list=" + list, "left=1500",   "top=3000",
                                  "width=7500",   "height=6000", "state=0"};
        QCOMPARE(stored(written), written);
        // Maximised, only the state is written: the place stays as it was.
        ResetGlobalState();
        frmPlayer& again = startShown();
        QVERIFY(again.menuItem("mnuSK_OnTop")->isChecked());
        QVERIFY(IsWindowTopMost(&again));
        again.showMaximized();
        QTRY_VERIFY(again.isMaximized());
        again.close();
        const QStringList maximised{"state=2", "left=1500", "width=7500"};
        QCOMPARE(stored(maximised), maximised);
    }

    void animationRunsOnlyWhilePlayingWithAnimOn()
    {
        int rowIcon = 0, panelIcon = 0;
        frmPlayer* window = &start({"anim=0"});
        window->GetStateInfo(3, rowIcon, panelIcon);
        QVERIFY(!window->tmrAnim().isActive());
        window = &start({"anim=1"});
        window->GetStateInfo(3, rowIcon, panelIcon);
        QVERIFY(window->tmrAnim().isActive());
        QList<int> frames;
        connect(window, &frmPlayer::IconChanged, this, [&] { frames << window->AnimFrame(); });
        QTRY_VERIFY_WITH_TIMEOUT(frames.size() >= 20, 5000);
        QCOMPARE(frames.mid(0, 20),
                 (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 1, 2, 3, 4}));
        // Any other state stops it and shows the resting icon.
        window->GetStateInfo(6, rowIcon, panelIcon);
        QVERIFY(!window->tmrAnim().isActive());
        QCOMPARE(window->imgMiniBar()->property("imageNumber").toInt(), 1);
    }

    // The step's arithmetic is PlayerRules'; here that every keystroke acts once.
    void everyKeystrokeActsOnce()
    {
        frmPlayer& window = startShown();
        MediaPlayer::Settings& settings = window.WMP().settings();
        QWidget* list = window.lstStations();
        list->setFocus();
        // Pressed and released outside the station list (in it: tst_playercommands),
        // in the window: one step.
        QTest::keyClick(window.sktToolBar(), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(settings.volume(), 55);
        QTest::keyClick(&window, Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(settings.volume(), 50);
        // A held key: every auto-repeated press steps again; the release does not.
        QTest::sendKeyEvent(QTest::Press, list, Qt::Key_Right, QString(), Qt::ControlModifier);
        for (int event = 0; event < 6; ++event) { // release, press, 3 times
            QKeyEvent key(event % 2 ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Right,
                          Qt::ControlModifier, QString(), true);
            QApplication::sendEvent(list, &key);
        }
        QTest::sendKeyEvent(QTest::Release, list, Qt::Key_Right, QString(), Qt::ControlModifier);
        QCOMPARE(settings.volume(), 70);
        // The step shows at once and is not saved.
        settings.setVolume(3);
        QTest::keyClick(list, Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(settings.volume(), 0);
        QCOMPARE(window.statusBar()->panelText("volume"), u"-100.00 dB"_s);
        QCOMPARE(stored({"volume="}), QStringList{"volume="});
    }

    // Clicks and keys select and play the rows: Enter plays the row last clicked
    // or selected by a key, never one that is only current; each play key
    // starts the station once. (A double click on a row: tst_frmplayer_stream.)
    void selectAndPlay()
    {
        frmPlayer& window = startShown({"list=" + listFile({{"beta", "http://127.0.0.1:9/b"},
                                                            {"Alfa", "http://127.0.0.1:9/a"}})});
        KeyedListView* lst = window.lstStations();
        QLoggingCategory::setFilterRules(u"skytuner.player.info=true"_s);
        const QtMessageHandler previous = qInstallMessageHandler(countPlays);
        const auto restore = qScopeGuard([&] {
            qInstallMessageHandler(previous);
            QLoggingCategory::setFilterRules(QString());
        });
        s_plays = 0;
        QCOMPARE((QStringList{lst->rowText(0), lst->rowText(1)}), (QStringList{"Alfa", "beta"}));
        QTest::mouseClick(lst->viewport(), Qt::LeftButton, {}, rowCentre(lst, 1));
        QCOMPARE(window.SelectedKey(), u"http://127.0.0.1:9/b"_s);
        // A press on empty space empties it; Enter or a double click there plays nothing.
        const QPoint empty(5, lst->viewport()->height() - 3);
        QTest::mouseClick(lst->viewport(), Qt::LeftButton, {}, empty);
        QVERIFY(window.SelectedKey().isEmpty());
        QTest::keyClick(lst, Qt::Key_Return);
        QTest::mouseDClick(lst->viewport(), Qt::LeftButton, {}, empty);
        QVERIFY(CurrentURL.isEmpty());
        QVERIFY(lst->currentIndex().row() == 1 && lst->selectedRow() < 0);
        // The row stays current, unselected; a key selecting it counts as its
        // click (End, already at the last row), as a key moving to another does
        // (Home); Enter plays the selected row.
        lst->setFocus();
        for (const auto& [key, url] : {std::pair(Qt::Key_End, "http://127.0.0.1:9/b"),
                                       std::pair(Qt::Key_Home, "http://127.0.0.1:9/a")}) {
            QTest::keyClick(lst, key);
            QTest::keyClick(lst, Qt::Key_Return);
            QCOMPARE(CurrentURL, QLatin1String(url));
        }
        QCOMPARE(s_plays, 2);
        QTest::keyClick(lst, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(s_plays, 3);
        QTest::keyClick(window.sktToolBar(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(s_plays, 4);
    }

    void ctrlCCopiesTheSelectedElseTheCurrentAddress()
    {
        KeyedListView* lst =
            startShown({"list=" + listFile({{"Alfa", "http://127.0.0.1:9/a"}})}).lstStations();
        QClipboard* clipboard = QGuiApplication::clipboard();
        // Nothing clicked, nothing played: the clipboard is left alone.
        QTest::keyClick(lst, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), u"sentinel"_s);
        // A stream opened by address: that address.
        CurrentURL = u"http://127.0.0.1:9/typed"_s;
        QTest::keyClick(lst, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), CurrentURL);
        // A clicked row wins: tst_playercommands.
    }

    void favouritesButtonFollowsTheFile()
    {
        frmPlayer& window = start({"fav=" + m_folder->file("missing.tlist")});
        QVERIFY(!window.toolButton("tb_fav")->isEnabled());
        m_window.reset();
        const QString fav = listFile({{"Oblíbená", "http://127.0.0.1:9/fav"}}, "fav.tlist");
        frmPlayer& again = start({u"fav="_s + fav}); // enabled: tst_playercommands
        // The fill shows the wait cursor while its rows go in.
        QList<int> cursors;
        connect(again.lstStations()->model(), &QAbstractItemModel::rowsInserted, this, [&] {
            const QCursor* cursor = QApplication::overrideCursor();
            cursors << (cursor ? int(cursor->shape()) : -1);
        });
        again.toolButton("tb_fav")->trigger();
        QCOMPARE(cursors, QList<int>{Qt::WaitCursor});
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(again.lstStations()->rowText(0), u"Oblíbená"_s);
    }

    void productMenuOpensWhereAUserFindsIt()
    {
        frmPlayer& window = startShown();
        QMenu* menu = window.mnuSkyTuner();
        // A right click on the toolbar and on the status bar.
        for (QWidget* widget :
             std::initializer_list<QWidget*>{window.sktToolBar(), window.statusBar()}) {
            QContextMenuEvent event(QContextMenuEvent::Mouse, {5, 5},
                                    widget->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(widget, &event);
            QTRY_VERIFY(menu->isVisible());
            menu->hide();
        }
        // A left click on the mini bar image does nothing; a right one opens it.
        QTest::mouseClick(window.imgMiniBar(), Qt::LeftButton);
        QVERIFY(!menu->isVisible());
        QTest::mouseClick(window.imgMiniBar(), Qt::RightButton);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

    // The toolbar, menus and Ctrl+X: tst_playercommands. The termination signals
    // close the window the same way, once.
    void terminationSignalsCloseOnce()
    {
        frmPlayer& window = startShown();
        QSignalSpy unloaded(&window, &frmPlayer::Unloaded);
        TerminationSignals signals;
        connect(&signals, &TerminationSignals::Requested, &window, &QWidget::close);
        QSignalSpy requested(&signals, &TerminationSignals::Requested);
        ::raise(SIGINT);
        QTRY_COMPARE(requested.count(), 1);
        ::raise(SIGTERM);
        QTRY_COMPARE(requested.count(), 2);
        QCOMPARE(unloaded.count(), 1);
    }
};

QTEST_MAIN(TestFrmPlayer)
#include "tst_frmplayer.moc"
