// The main window's tray icon, "Vždy nahoře" and magnetic snapping on a real X
// display, window manager and tray host (scripts/with-display.sh --tray), driven
// by xdotool like a user; and how the main window binds and drives them.
#include "ChildProcess.h"
#include "TestFolders.h"
#include "common/AnsiCodePage.h"
#include "common/modGlobal.h"
#include "player/PlayerImages.h"
#include "player/frmPlayer.h"
#include "services/QtMagneticWindows.h"
#include "services/QtNotificationIcon.h"
#include "services/SysTray.h"
#include "services/X11Native.h"
#include "services/cMagneticWnd.h"
#include "settings/modINI.h"

#include <QAction>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QWidget>
#include <QtTest>

#include <csignal>

namespace {

bool xdotool(const QStringList& args)
{
    return ChildProcess::run("xdotool", args, 15000);
}

QStringList at(QPoint p)
{
    return {"mousemove", QString::number(p.x()), QString::number(p.y())};
}

// Presses the left button at from and moves to to in steps; the button stays down.
bool dragTo(QPoint from, QPoint to)
{
    QStringList args = at(from) + QStringList{"mousedown", "1"};
    for (int step = 1; step <= 12; ++step)
        args += QStringList{"sleep", "0.03"} + at(from + (to - from) * step / 12);
    return xdotool(args);
}

QByteArray xprop(const QStringList& args)
{
    QProcess p;
    p.start("xprop", args);
    p.waitForFinished(5000);
    ChildProcess::stop(&p);
    return p.readAllStandardOutput();
}

// Shown, exposed and framed by the window manager (it manages the window now).
bool waitUntilManaged(QWidget& window)
{
    return QTest::qWaitForWindowExposed(&window, 10000) &&
           QTest::qWaitFor(
               [&] { return window.geometry().top() - window.frameGeometry().top() > 4; }, 10000);
}

// A point on the window's title bar, x pixels from its outer left edge.
QPoint titleBar(const QWidget& window, int x)
{
    const QRect frame = window.frameGeometry();
    return {frame.left() + x, frame.top() + (window.geometry().top() - frame.top()) / 2};
}

QImage imageOf(const QIcon& icon)
{
    return icon.pixmap(QSize(16, 16)).toImage();
}

} // namespace

class TestServicesDisplay : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporaryProgramFolder> m_folder;
    std::unique_ptr<frmPlayer> m_window;
    std::unique_ptr<QProcess> m_newTrayHost;

    SysTray& tray() const { return *m_window->cTray(); }
    QRect iconGeometry() const { return tray().notificationIcon()->geometry(); }

    // The main window over the given settings, shown and managed unless not to be shown.
    void startMainWindow(const char* playerLines = "systray=1\r\n", bool show = true)
    {
        QVERIFY(TestFolders::writeBytes(
            m_folder->file("skytuner.ini"),
            AnsiCodePage::encode(QString("[PLAYER]\r\n%1").arg(playerLines))));
        m_window = std::make_unique<frmPlayer>();
        if (show) {
            m_window->show();
            QVERIFY(waitUntilManaged(*m_window));
        }
    }

    // Minimised by the window manager, or by Shift+Escape in the window.
    void minimiseToTheTray(bool byKey = false)
    {
        const QString id = QString::number(m_window->winId());
        QVERIFY(byKey ? xdotool({"windowactivate", "--sync", id, "key", "shift+Escape"})
                      : xdotool({"windowminimize", id}));
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->isVisible(), 5000);
        QVERIFY(m_window->isMinimized());
        QVERIFY(tray().Visible());
        QTRY_VERIFY_WITH_TIMEOUT(iconGeometry().width() > 0, 10000);
        QTest::qWait(300); // let the host finish embedding the icon
    }

    bool doubleClickTheIcon() const
    {
        return xdotool(at(iconGeometry().center()) +
                       QStringList{"click", "--repeat", "2", "--delay", "80", "1"});
    }

    void verifyRestored()
    {
        QTRY_VERIFY_WITH_TIMEOUT(m_window->isVisible() && !m_window->isMinimized(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(m_window->windowHandle()->isExposed(), 5000);
        QTest::qWait(300); // and stays so: the window manager minimises nothing again
        QVERIFY(m_window->isVisible() && !m_window->isMinimized());
        QVERIFY(!tray().Visible());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        // On a busy machine the window manager may still be starting.
        QVERIFY(QTest::qWaitFor(
            [] {
                return xprop({"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
            },
            30000));
        QTRY_VERIFY_WITH_TIMEOUT(X11Native::systemTrayOwner() != 0, 10000);
    }

    void init()
    {
        modGlobal::ResetGlobalState();
        m_folder = std::make_unique<TemporaryProgramFolder>();
    }

    void cleanup()
    {
        if (m_window)
            m_window->mnuSysTray()->hide();
        m_window.reset();
        m_folder.reset();
        modGlobal::ResetGlobalState();
        QTest::qWait(300);
    }

    void cleanupTestCase() { ChildProcess::stop(m_newTrayHost.get()); }

    // Bound at start-up without creating a native window (its form and menu: the
    // real clicks below; "systray=1": the next test); the animation drives the icon.
    void startUpBindsTheTrayAndSnapping()
    {
        startMainWindow("systray=0\r\nanim=1\r\n", false);
        SysTray* tray = m_window->cTray();
        QCOMPARE(tray->TrayTip(), m_window->windowTitle());
        QCOMPARE(tray->TrayFormStyle(), 0);
        QVERIFY(!tray->Visible());
        QVERIFY(m_window->magneticWnd()->isRegistered(QtMagneticWindows::handleOf(m_window.get())));
        QVERIFY(!m_window->testAttribute(Qt::WA_WState_Created));

        const QImage resting = imageOf(PlayerImages::image(PlayerImages::imglAnim(), 1));
        QCOMPARE(imageOf(tray->Icon()), resting);
        m_window->IconAnimation(true);
        QTRY_VERIFY_WITH_TIMEOUT(imageOf(tray->Icon()) != resting, 2000);
        QCOMPARE(imageOf(m_window->windowIcon()), resting); // hidden: the window catches up when shown
        m_window->IconAnimation(false);
        QCOMPARE(imageOf(tray->Icon()), resting);
    }

    // Shift+Escape and the window manager's minimise both go to the tray; a double
    // click on the icon and the tray menu's "Obnovit" restore; "Zavřít" closes. Repeated: a window
    // withdrawn while minimised could be minimised again right after the restore.
    void theTrayIconHidesAndRestoresTheWindow()
    {
        startMainWindow();
        QCOMPARE(tray().TrayFormStyle(), 3);
        QVERIFY(!tray().Visible());
        for (int round = 0; round < 3; ++round) {
            minimiseToTheTray(true);
            QVERIFY(doubleClickTheIcon());
            verifyRestored();
        }
        minimiseToTheTray();
        QMenu* menu = m_window->mnuSysTray();
        QVERIFY(xdotool(at(iconGeometry().center()) + QStringList{"click", "3"}));
        QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible(), 5000);
        QVERIFY(!m_window->isVisible());
        QAction* restore = m_window->menuItem("mnuST_Restore");
        QCOMPARE(restore->text(), QString("Obnovit"));
        QVERIFY(xdotool(at(menu->mapToGlobal(menu->actionGeometry(restore).center())) +
                        QStringList{"click", "1"}));
        verifyRestored();

        // "Zavřít" in the tray restores before closing: the place saved is the restored one.
        minimiseToTheTray();
        QSignalSpy unloaded(m_window.get(), &frmPlayer::Unloaded);
        m_window->menuItem("mnuST_Exit")->trigger();
        QCOMPARE(unloaded.count(), 1);
        QCOMPARE(INI_ReadValue("PLAYER", "state"), QString("0"));
        QVERIFY(!INI_ReadValue("PLAYER", "left").isEmpty());
        QCOMPARE(m_window->cTray(), nullptr); // released: its icon has left the tray
        // Later calls that reach for the tray find none and do nothing.
        m_window->ApplySettings();
        m_window->menuItem("mnuST_Restore")->trigger();
        m_window->IconAnimation(false);
    }

    // "Vždy nahoře" reaches the window manager in place: no move, no resize, no
    // new native window.
    void vzdyNahoreKeepsTheWindowAboveOthers()
    {
        startMainWindow();
        const QRect place = m_window->frameGeometry();
        const WId id = m_window->winId();
        const auto above = [&] {
            return xprop({"-id", QString::number(id), "_NET_WM_STATE"})
                .contains("_NET_WM_STATE_ABOVE");
        };
        QAction* onTop = m_window->menuItem("mnuSK_OnTop");
        onTop->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(above(), 5000);
        onTop->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!above(), 5000);
        QCOMPARE(m_window->winId(), id);
        QCOMPARE(m_window->frameGeometry(), place);
        QVERIFY(m_window->isVisible());
    }

    void dropNearTheWorkAreasEdge_data()
    {
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("landed");
        QTest::newRow("9 px snaps") << 9 << 0;
        QTest::newRow("10 px stays") << 10 << 10;
    }

    void dropNearTheWorkAreasEdge()
    {
        QFETCH(int, distance);
        QFETCH(int, landed);
        startMainWindow();
        m_window->move(400, 250);
        QTRY_COMPARE_WITH_TIMEOUT(m_window->frameGeometry().topLeft(), QPoint(400, 250), 5000);
        // The window manager reports this move as it reports a drag, whose watch
        // ends once no button is held and the window is still. Held at the drop
        // point for longer than that, the window is not snapped yet (the window
        // manager would undo it); released, it snaps once.
        const QRect work = m_window->screen()->availableGeometry();
        const QRect frame = m_window->frameGeometry();
        const QPoint grab = titleBar(*m_window, frame.width() / 3);
        auto release = qScopeGuard([] { xdotool({"mouseup", "1"}); });
        QVERIFY(dragTo(grab, grab + QPoint(work.left() + distance - frame.left(), 40)));
        QTest::qWait(QtMagneticWindows::SettleMs + 600);
        QVERIFY(m_window->frameGeometry().left() > work.left());
        release.dismiss();
        QVERIFY(xdotool({"mouseup", "1"}));
        QTest::qWait(QtMagneticWindows::SettleMs + 600);
        QTRY_COMPARE_WITH_TIMEOUT(m_window->frameGeometry().left(), work.left() + landed, 5000);
        QCOMPARE(m_window->frameGeometry().top(), frame.top() + 40);
        QCOMPARE(m_window->frameGeometry().size(), frame.size());
    }

    void aStatusNotifierWatcherIsTheHostWhileItRuns()
    {
        QtNotificationIcon icon;
        QVERIFY(icon.hostId().startsWith("x11:"));
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.registerService("org.kde.StatusNotifierWatcher"));
        QTRY_COMPARE_WITH_TIMEOUT(icon.hostId(), "sni:" + bus.baseService(), 5000);
        QVERIFY(bus.unregisterService("org.kde.StatusNotifierWatcher"));
        QTRY_VERIFY_WITH_TIMEOUT(icon.hostId().startsWith("x11:"), 5000);
    }

    // Replaces the tray host, so it runs last.
    void aNewTrayHostGetsTheIconBackOnce()
    {
        const qint64 host = qEnvironmentVariableIntValue("SKYTUNER_TRAY_PID");
        QVERIFY(host > 0);
        startMainWindow();
        minimiseToTheTray();
        QSignalSpy refreshed(&tray(), &SysTray::Refreshed);

        QCOMPARE(::kill(pid_t(host), SIGTERM), 0);
        QTRY_COMPARE_WITH_TIMEOUT(X11Native::systemTrayOwner(), quint32(0), 5000);
        m_newTrayHost = ChildProcess::start(
            "trayer", {"--edge", "top", "--align", "right", "--widthtype", "request", "--height",
                       "28", "--SetDockType", "true", "--SetPartialStrut", "true"});
        QVERIFY(m_newTrayHost);
        QTRY_VERIFY_WITH_TIMEOUT(X11Native::systemTrayOwner() != 0, 10000);
        // The host watch runs on its own timer: the icon comes back once.
        QTRY_COMPARE_WITH_TIMEOUT(refreshed.count(), 1, 5000);
        QVERIFY(tray().Visible());
        QTRY_VERIFY_WITH_TIMEOUT(iconGeometry().width() > 0, 10000);
        QTest::qWait(2500);
        QCOMPARE(refreshed.count(), 1);
        // The icon still brings the window back.
        QTest::qWait(300);
        QVERIFY(doubleClickTheIcon());
        verifyRestored();
    }
};

QTEST_MAIN(TestServicesDisplay)
#include "tst_services_display.moc"
