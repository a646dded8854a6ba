// The main window's use of the tray component and magnetic snapping, in-process on
// the offscreen platform (no notification area there).
#include "TestFolders.h"
#include "common/AnsiCodePage.h"
#include "common/modGlobal.h"
#include "player/PlayerImages.h"
#include "player/frmPlayer.h"
#include "services/QtMagneticWindows.h"
#include "services/SysTray.h"
#include "services/cMagneticWnd.h"

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

    void startUpBindsTheTrayAndSnapping()
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
        // Registered for snapping, without creating a native window before it is shown.
        QVERIFY(window.magneticWnd() && window.magneticWnd()->count() == 1);
        QVERIFY(window.magneticWnd()->isRegistered(QtMagneticWindows::handleOf(&window)));
        QVERIFY(!window.testAttribute(Qt::WA_WState_Created));
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
};

QTEST_MAIN(TestPlayerServices)
#include "tst_playerservices.moc"
