// The main window's tray icon, "Vždy nahoře" and magnetic snapping on a real X
// display, window manager and tray host (scripts/with-display.sh --tray), driven
// by xdotool like a user; and how the main window binds and drives them.
#include "ChildProcess.h"
#include "ProgramFiles.h"
#include "common/modGlobal.h"
#include "player/PlayerImages.h"
#include "player/frmPlayer.h"
#include "services/QtMagneticWindows.h"
#include "services/QtNotificationIcon.h"
#include "services/SysTray.h"
#include "services/X11Native.h"
#include "services/cMagneticWnd.h"

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

QByteArray xprop(const QStringList& args)
{
    QProcess p;
    p.start("xprop", args);
    p.waitForFinished(5000);
    return p.readAllStandardOutput();
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

    // The main window over the given settings, shown, exposed and framed by the
    // window manager (it manages the window now).
    void startMainWindow(const QStringList& playerLines = {"systray=1"})
    {
        QVERIFY(ProgramFiles::writeSettings(*m_folder, playerLines));
        m_window = std::make_unique<frmPlayer>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get(), 10000));
        QTRY_VERIFY_WITH_TIMEOUT(m_window->geometry().top() - m_window->frameGeometry().top() > 4,
                                 10000);
    }

    // Minimised by the window manager, or by Shift+Escape in the window.
    void minimiseToTheTray(bool byKey = false)
    {
        const QString id = QString::number(m_window->winId());
        QVERIFY(byKey ? xdotool({"windowactivate", "--sync", id, "key", "shift+Escape"})
                      : xdotool({"windowminimize", id}));
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->isVisible(), 5000);
        QVERIFY(m_window->isMinimized() && tray().Visible());
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
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->isMinimized() && m_window->windowHandle()->isExposed(),
                                 5000);
        QTest::qWait(300); // and stays so: the window manager minimises nothing again
        QVERIFY(m_window->isVisible() && !m_window->isMinimized() && !tray().Visible());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        // On a busy machine the window manager may still be starting.
        QTRY_VERIFY_WITH_TIMEOUT(xprop({"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"),
                                 30000);
        QTRY_VERIFY_WITH_TIMEOUT(X11Native::systemTrayOwner() != 0, 10000);
    }

    void init()
    {
        modGlobal::ResetGlobalState();
        m_folder = std::make_unique<TemporaryProgramFolder>();
    }

    void cleanup()
    {
        xdotool({"mouseup", "1"}); // a drag that failed half-way
        if (m_window)
            m_window->mnuSysTray()->hide();
        m_window.reset();
        m_folder.reset();
        modGlobal::ResetGlobalState();
        QTest::qWait(300);
    }

    void cleanupTestCase() { ChildProcess::stop(m_newTrayHost.get()); }

    // Bound at start-up without creating a native window (its form and menu: the
    // real clicks below; "systray=1": the next test; snapping: the drops); the
    // animation drives the icon.
    void startUpBindsTheTrayAndSnapping()
    {
        QVERIFY(ProgramFiles::writeSettings(*m_folder, {"systray=0", "anim=1"}));
        m_window = std::make_unique<frmPlayer>();
        QCOMPARE(tray().TrayTip(), m_window->windowTitle());
        QCOMPARE(tray().TrayFormStyle(), 0);
        QVERIFY(!m_window->testAttribute(Qt::WA_WState_Created));

        const QImage resting = imageOf(PlayerImages::image(PlayerImages::imglAnim(), 1));
        QCOMPARE(imageOf(tray().Icon()), resting);
        m_window->IconAnimation(true);
        QTRY_VERIFY_WITH_TIMEOUT(imageOf(tray().Icon()) != resting, 2000);
        // Hidden, the window's own icon waits; it catches up when shown.
        QCOMPARE(imageOf(m_window->windowIcon()), resting);
        m_window->IconAnimation(false);
        QCOMPARE(imageOf(tray().Icon()), resting);
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

        // "Zavřít" in the tray (what it saves: tst_playercommands).
        minimiseToTheTray();
        m_window->menuItem("mnuST_Exit")->trigger();
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
        for (const bool on : {true, false}) {
            m_window->menuItem("mnuSK_OnTop")->trigger();
            QTRY_COMPARE_WITH_TIMEOUT(above(), on, 5000);
        }
        QCOMPARE(m_window->winId(), id);
        QCOMPARE(m_window->frameGeometry(), place);
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
        const QPoint grab(frame.left() + frame.width() / 3,
                          (frame.top() + m_window->geometry().top()) / 2); // on the title bar
        const QPoint drop = grab + QPoint(work.left() + distance - frame.left(), 40);
        QStringList drag = at(grab) + QStringList{"mousedown", "1"}; // released below
        for (int step = 1; step <= 12; ++step)
            drag += QStringList{"sleep", "0.03"} + at(grab + (drop - grab) * step / 12);
        QVERIFY(xdotool(drag));
        QTest::qWait(QtMagneticWindows::SettleMs + 600);
        QVERIFY(m_window->frameGeometry().left() > work.left());
        QVERIFY(xdotool({"mouseup", "1"}));
        QTest::qWait(QtMagneticWindows::SettleMs + 600);
        QTRY_COMPARE_WITH_TIMEOUT(m_window->frameGeometry(),
                                  QRect({work.left() + landed, frame.top() + 40}, frame.size()),
                                  5000);
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
        QVERIFY(doubleClickTheIcon());
        verifyRestored();
    }
};

QTEST_MAIN(TestServicesDisplay)
#include "tst_services_display.moc"
