// The main window's use of the tray component and magnetic snapping, in-process on
// the offscreen platform (no notification area there).
#include "TestFolders.h"
#include "common/modGlobal.h"
#include "platform/AnsiCodePage.h"
#include "player/PlayerImages.h"
#include "player/frmPlayer.h"
#include "player/modINI.h"
#include "services/QtMagneticWindows.h"
#include "services/SysTray.h"
#include "services/cMagneticWnd.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

namespace {

QImage imageOf(const QIcon& icon)
{
    return icon.pixmap(QSize(16, 16)).toImage();
}

} // namespace

class TestPlayerServices : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporaryProgramFolder> m_folder;
    std::unique_ptr<frmPlayer> m_window;

    frmPlayer& start(const QString& playerLines)
    {
        const QString text = "[PLAYER]\r\n" + playerLines;
        if (!TestFolders::writeBytes(m_folder->file("skytuner.ini"), AnsiCodePage::encode(text)))
            qWarning("settings not written");
        m_window = std::make_unique<frmPlayer>();
        return *m_window;
    }

private Q_SLOTS:
    void init()
    {
        modGlobal::ResetGlobalState();
        m_folder = std::make_unique<TemporaryProgramFolder>();
    }

    void cleanup()
    {
        m_window.reset();
        m_folder.reset();
        modGlobal::ResetGlobalState();
    }

    void startUpBindsTheTrayToTheWindow()
    {
        frmPlayer& window = start("systray=1\r\n");
        SysTray* tray = window.cTray();
        QVERIFY(tray);
        QCOMPARE(tray->Form(), &window);
        QCOMPARE(tray->PopupMenu(), window.mnuSysTray());
        QCOMPARE(tray->TrayTip(), window.windowTitle());
        QCOMPARE(tray->TrayFormStyle(), 3);
        QVERIFY(!tray->Visible());
        QCOMPARE(imageOf(tray->Icon()), imageOf(PlayerImages::image(PlayerImages::imglAnim(), 1)));
    }

    void theTrayStyleFollowsTheSetting()
    {
        frmPlayer& window = start("systray=0\r\n");
        QCOMPARE(window.cTray()->TrayFormStyle(), 0);
        modGlobal::TrayFlag = true; // as the settings dialog sets it
        window.ApplySettings();
        QCOMPARE(window.cTray()->TrayFormStyle(), 3);
        modGlobal::TrayFlag = false;
        window.ApplySettings();
        QCOMPARE(window.cTray()->TrayFormStyle(), 0);
    }

    void theWindowIsRegisteredForSnapping()
    {
        frmPlayer& window = start("");
        cMagneticWnd* magnetic = window.magneticWnd();
        QVERIFY(magnetic);
        QCOMPARE(magnetic->count(), 1);
        QVERIFY(magnetic->isRegistered(QtMagneticWindows::handleOf(&window)));
        // Registering created no native window before the window is shown.
        QVERIFY(!window.testAttribute(Qt::WA_WState_Created));
    }

    void theAnimationDrivesTheTrayIcon()
    {
        frmPlayer& window = start("anim=1\r\n");
        const QImage resting = imageOf(PlayerImages::image(PlayerImages::imglAnim(), 1));
        window.IconAnimation(true);
        QTRY_VERIFY_WITH_TIMEOUT(imageOf(window.cTray()->Icon()) != resting, 2000);
        QCOMPARE(imageOf(window.cTray()->Icon()), imageOf(window.windowIcon()));
        window.IconAnimation(false);
        QCOMPARE(imageOf(window.cTray()->Icon()), resting);
    }

    void zavritRestoresThenClosesAndReleasesTheTray()
    {
        frmPlayer& window = start("systray=1\r\nstate=0\r\n");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.setWindowState(Qt::WindowMinimized);
        QSignalSpy unloaded(&window, &frmPlayer::Unloaded);
        window.menuItem("mnuST_Exit")->trigger();
        QCOMPARE(unloaded.count(), 1);
        QCOMPARE(INI_ReadValue("PLAYER", "state"), QString("0")); // seen as restored
        QVERIFY(!INI_ReadValue("PLAYER", "left").isEmpty());
        QCOMPARE(window.cTray(), nullptr);
        // Later calls that reach for the tray find none and do nothing.
        window.ApplySettings();
        window.menuItem("mnuST_Restore")->trigger();
        window.IconAnimation(false);
    }
};

QTEST_MAIN(TestPlayerServices)
#include "tst_playerservices.moc"
