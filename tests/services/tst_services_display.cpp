// The tray icon and magnetic snapping on a real X display, window manager and
// tray host (scripts/with-display.sh --tray), driven by xdotool like a user.
#include "services/QtMagneticWindows.h"
#include "services/QtNotificationIcon.h"
#include "services/SysTray.h"
#include "services/X11Native.h"
#include "services/cMagneticWnd.h"

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
    QProcess p;
    p.start("xdotool", args);
    if (!p.waitForFinished(15000)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QStringList at(QPoint p)
{
    return {"mousemove", QString::number(p.x()), QString::number(p.y())};
}

QString hex(WId id)
{
    return QString::number(id);
}

// Shown, exposed and framed by the window manager (it manages the window now).
bool waitUntilManaged(QWidget& window)
{
    if (!QTest::qWaitForWindowExposed(&window, 10000))
        return false;
    return QTest::qWaitFor(
        [&] { return window.geometry().top() - window.frameGeometry().top() > 4; }, 10000);
}

} // namespace

class TestServicesDisplay : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<SysTray> m_tray;
    QProcess m_newTrayHost;

    QRect iconGeometry() const { return m_tray->notificationIcon()->geometry(); }

    // A plain window bound to a tray component as the main window binds it.
    void showWindowWithTray()
    {
        m_window = std::make_unique<QWidget>();
        m_window->setWindowTitle("Test window");
        m_window->resize(300, 200);
        m_window->move(300, 300);
        m_window->show();
        QVERIFY(waitUntilManaged(*m_window));
        m_menu = std::make_unique<QMenu>();
        m_menu->addAction("Obnovit");
        m_tray = std::make_unique<SysTray>();
        m_tray->setForm(m_window.get());
        QPixmap red(16, 16);
        red.fill(Qt::red);
        m_tray->setIcon(QIcon(red));
        m_tray->setTrayTip("skyTuner test");
        m_tray->setRestoreFromTrayOn(64);
        m_tray->setPopupMenu(m_menu.get());
    }

    void waitForIcon()
    {
        QTRY_VERIFY_WITH_TIMEOUT(iconGeometry().width() > 0, 10000);
        QTest::qWait(300); // let the host finish embedding it
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        QTRY_VERIFY_WITH_TIMEOUT(X11Native::systemTrayOwner() != 0, 10000);
    }

    void cleanup()
    {
        if (m_menu)
            m_menu->hide();
        m_tray.reset();
        m_menu.reset();
        m_window.reset();
        QTest::qWait(300);
    }

    void cleanupTestCase()
    {
        if (m_newTrayHost.state() != QProcess::NotRunning) {
            m_newTrayHost.terminate();
            if (!m_newTrayHost.waitForFinished(3000)) {
                m_newTrayHost.kill();
                m_newTrayHost.waitForFinished(3000);
            }
        }
    }

    void minimisingHidesToTheIconAndADoubleClickRestores()
    {
        showWindowWithTray();
        m_tray->setTrayFormStyle(3);
        QVERIFY(!m_tray->Visible());

        QVERIFY(xdotool({"windowminimize", hex(m_window->winId())}));
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->isVisible(), 5000);
        QVERIFY(m_tray->Visible());
        waitForIcon();

        const QPoint centre = iconGeometry().center();
        QVERIFY(xdotool(at(centre) << "click"
                                   << "--repeat"
                                   << "2"
                                   << "--delay"
                                   << "80"
                                   << "1"));
        QTRY_VERIFY_WITH_TIMEOUT(m_window->isVisible() && !m_window->isMinimized(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(m_window->windowHandle()->isExposed(), 5000);
        QVERIFY(!m_tray->Visible());
    }

    void rightClickOpensTheTrayMenu()
    {
        showWindowWithTray();
        QVERIFY(m_tray->setVisible(true));
        waitForIcon();
        QVERIFY(!m_menu->isVisible());
        QVERIFY(xdotool(at(iconGeometry().center()) << "click"
                                                    << "3"));
        QTRY_VERIFY_WITH_TIMEOUT(m_menu->isVisible(), 5000);
        QVERIFY(xdotool({"key", "Escape"}));
        QTRY_VERIFY_WITH_TIMEOUT(!m_menu->isVisible(), 5000);
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
        QWidget window;
        window.setWindowTitle("Magnetic window");
        window.resize(300, 200);
        window.show();
        QVERIFY(waitUntilManaged(window));
        window.move(400, 300);
        QTRY_COMPARE_WITH_TIMEOUT(window.frameGeometry().topLeft(), QPoint(400, 300), 5000);
        cMagneticWnd magnetic;
        QVERIFY(magnetic.AddWindow(QtMagneticWindows::handleOf(&window)));

        const QRect work = window.screen()->availableGeometry();
        const QRect frame = window.frameGeometry();
        const int titleBar = window.geometry().top() - frame.top();
        QVERIFY(titleBar > 4);
        const QPoint grab(frame.left() + frame.width() / 2, frame.top() + titleBar / 2);
        const int targetLeft = work.left() + distance;
        const QPoint drop(grab.x() - (frame.left() - targetLeft), grab.y() + 40);

        QStringList args = at(grab) << "mousedown"
                                    << "1";
        for (int step = 1; step <= 12; ++step) {
            const QPoint p = grab + (drop - grab) * step / 12;
            args << "sleep"
                 << "0.03" << at(p);
        }
        args << "sleep"
             << "0.1"
             << "mouseup"
             << "1";
        QVERIFY(xdotool(args));
        QTest::qWait(QtMagneticWindows::SettleMs + 600);
        QTRY_COMPARE_WITH_TIMEOUT(window.frameGeometry().left(), work.left() + landed, 5000);
        QCOMPARE(window.frameGeometry().top(), frame.top() + 40);
        QCOMPARE(window.frameGeometry().size(), frame.size());
    }

    void aGluedChildTravelsWithItsParent()
    {
        QWidget parent;
        parent.setWindowTitle("Parent");
        parent.resize(300, 200);
        parent.show();
        QVERIFY(waitUntilManaged(parent));
        parent.move(200, 200);
        QTRY_COMPARE_WITH_TIMEOUT(parent.frameGeometry().topLeft(), QPoint(200, 200), 5000);
        QWidget child;
        child.setWindowTitle("Child");
        child.resize(150, 100);
        child.show();
        QVERIFY(waitUntilManaged(child));
        const QPoint beside(parent.frameGeometry().right() + 1, 250);
        child.move(beside);
        QTRY_COMPARE_WITH_TIMEOUT(child.frameGeometry().topLeft(), beside, 5000);

        cMagneticWnd magnetic;
        QVERIFY(magnetic.AddWindow(QtMagneticWindows::handleOf(&parent)));
        QVERIFY(magnetic.AddWindow(QtMagneticWindows::handleOf(&child),
                                   QtMagneticWindows::handleOf(&parent)));
        QVERIFY(magnetic.isGlued(QtMagneticWindows::handleOf(&child)));

        const QRect frame = parent.frameGeometry();
        const QPoint grab(frame.left() + 100,
                          frame.top() + (parent.geometry().top() - frame.top()) / 2);
        const QPoint drop = grab + QPoint(-60, 150);
        QStringList args = at(grab) << "mousedown"
                                    << "1";
        for (int step = 1; step <= 8; ++step)
            args << "sleep"
                 << "0.03" << at(grab + (drop - grab) * step / 8);
        args << "sleep"
             << "0.1"
             << "mouseup"
             << "1";
        QVERIFY(xdotool(args));
        QTRY_COMPARE_WITH_TIMEOUT(parent.frameGeometry().topLeft(), QPoint(140, 350), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(child.frameGeometry().topLeft(), beside + QPoint(-60, 150), 5000);
        QTest::qWait(QtMagneticWindows::SettleMs + 300);
        QVERIFY(magnetic.isGlued(QtMagneticWindows::handleOf(&child)));
    }

    void aStatusNotifierWatcherIsTheHostWhileItRuns()
    {
        QtNotificationIcon icon;
        QVERIFY(icon.hostId().startsWith("x11:"));
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.isConnected());
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
        showWindowWithTray();
        QVERIFY(m_tray->setVisible(true));
        waitForIcon();
        QSignalSpy refreshed(m_tray.get(), &SysTray::Refreshed);

        QCOMPARE(::kill(pid_t(host), SIGTERM), 0);
        QTRY_COMPARE_WITH_TIMEOUT(X11Native::systemTrayOwner(), quint32(0), 5000);
        m_newTrayHost.start("trayer", {"--edge", "top", "--align", "right", "--widthtype",
                                       "request", "--height", "28", "--SetDockType", "true",
                                       "--SetPartialStrut", "true"});
        QVERIFY(m_newTrayHost.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(X11Native::systemTrayOwner() != 0, 10000);

        QTRY_COMPARE_WITH_TIMEOUT(refreshed.count(), 1, 5000);
        QVERIFY(m_tray->Visible());
        waitForIcon();
        QTest::qWait(2500);
        QCOMPARE(refreshed.count(), 1);
    }
};

QTEST_MAIN(TestServicesDisplay)
#include "tst_services_display.moc"
