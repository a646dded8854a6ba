// The volume pop-up on a real display with a window manager, as a user works it
// (xdotool): a click on the "volume" panel opens it above the panel, dragging
// the volume slider sets the player's volume, and a click on the main window
// closes it with the values in skytuner.ini. (How a volume sounds at the sink
// and at the next start: the player's tests and the end-to-end screen reader
// case.)
#include "ChildProcess.h"
#include "TestFolders.h"
#include "controls/ucSlider.h"
#include "dialogs/wfmVolume.h"
#include "platform/KeyedListView.h"
#include "player/PlayerStatusBar.h"
#include "player/frmPlayer.h"
#include "stream/MediaPlayer.h"

#include <QLabel>
#include <QtTest>

namespace {

QStringList at(QPoint p)
{
    return {"mousemove", QString::number(p.x()), QString::number(p.y())};
}

} // namespace

class TestWfmVolumeDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dragAndStore()
    {
        TemporaryProgramFolder folder;
        const QString ini = folder.file(QStringLiteral("skytuner.ini"));
        QVERIFY(TestFolders::writeBytes(ini, "[PLAYER]\r\nvolume=100\r\n"));
        frmPlayer window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window, 10000));
        QLabel* panel = window.statusBar()->panel(QStringLiteral("volume"));
        QVERIFY(ChildProcess::run("xdotool", at(panel->mapToGlobal(panel->rect().center())) +
                                                 QStringList{"click", "1"}));
        wfmVolume* popup = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            (popup = window.findChild<wfmVolume*>()) && popup->isActiveWindow(), 10000);
        QCOMPARE(popup->frameGeometry().bottom() + 4,
                 window.statusBar()->mapToGlobal(QPoint()).y());
        QCOMPARE(popup->x(), window.frameGeometry().x() + panel->x());

        // Thumb from the top (100) down to the middle of the rail.
        ucSlider* slider = popup->ucVolume();
        const QPoint thumb =
            (slider->thumbPosition() + QPointF(slider->thumbSize().width(), 0) / 2).toPoint() +
            QPoint(0, slider->thumbSize().height() / 2);
        QStringList drag = at(slider->mapToGlobal(thumb)) + QStringList{"mousedown", "1"};
        for (int step = 1; step <= 10; ++step)
            drag += QStringList{"sleep", "0.03"} +
                    at(slider->mapToGlobal(thumb + QPoint(0, slider->height() * step / 20)));
        QVERIFY(ChildProcess::run("xdotool", drag + QStringList{"sleep", "0.1", "mouseup", "1"}));
        // xdotool ran while this loop was blocked: let the queued motion arrive.
        QTRY_VERIFY_WITH_TIMEOUT(slider->Value() < 80, 10000);
        QTest::qWait(300);
        const int volume = slider->Value();
        QVERIFY2(volume > 20 && volume < 80, qPrintable(QString::number(volume)));
        QCOMPARE(window.WMP().settings().volume(), volume);

        // A click on the station list closes it, which stores the values.
        QVERIFY(ChildProcess::run("xdotool", at(window.lstStations()->mapToGlobal(QPoint(20, 20))) +
                                                 QStringList{"click", "1"}));
        QTRY_VERIFY_WITH_TIMEOUT(!window.findChild<wfmVolume*>(), 10000);
        const QByteArray stored = TestFolders::readBytes(ini);
        QVERIFY2(stored.contains(QStringLiteral("\nvolume=%1\r\n").arg(volume).toUtf8()) &&
                     stored.contains("\nbalance=0\r\n"),
                 stored.constData());
    }
};

QTEST_MAIN(TestWfmVolumeDisplay)
#include "tst_wfmvolume_display.moc"
