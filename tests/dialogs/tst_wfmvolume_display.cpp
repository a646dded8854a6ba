// The volume pop-up on a real display with a window manager, as a user works it
// (xdotool): a click on the "volume" panel opens it above the panel, dragging
// the volume slider changes the sound at the sink, a click on the main window
// closes it and skytuner.ini holds the values, and the next start plays at them.
#include "AudioRecording.h"
#include "ChildProcess.h"
#include "IcecastServer.h"
#include "PlayerWait.h"
#include "TestFolders.h"
#include "common/modGlobal.h"
#include "controls/ucSlider.h"
#include "dialogs/wfmVolume.h"
#include "platform/KeyedListView.h"
#include "player/PlayerStatusBar.h"
#include "player/frmPlayer.h"
#include "stream/MediaPlayer.h"
#include "stream/PlayState.h"

#include <QFileInfo>
#include <QLabel>
#include <QtTest>

using namespace AudioRecording;

namespace {

QStringList at(QPoint p)
{
    return {"mousemove", QString::number(p.x()), QString::number(p.y())};
}

// The level of what a window started from the folder plays for about a second.
Levels playedLevel(const QString& recording, std::unique_ptr<frmPlayer>& window)
{
    window = std::make_unique<frmPlayer>();
    window->show();
    if (!QTest::qWaitForWindowActive(window.get(), 10000) ||
        !PlayerWait::forState(window->WMP(), int(PlayState::Playing), 15000))
        return {};
    QTest::qWait(600);
    const qint64 from = QFileInfo(recording).size();
    QTest::qWait(1200);
    return measure(TestFolders::readBytes(recording), from + BytesPerSecond / 5, 1 << 30);
}

} // namespace

class TestWfmVolumeDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dragStoreAndNextStart()
    {
        IcecastServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        TemporaryProgramFolder folder;
        const QString ini = folder.file(QStringLiteral("skytuner.ini"));
        QVERIFY(TestFolders::writeBytes(ini, "[PLAYER]\r\nautostart=1\r\nvolume=100\r\nlasturl=" +
                                                 server.mp3Url().toUtf8() + "\r\n"));
        std::unique_ptr<frmPlayer> window;
        const QString first = folder.file(QStringLiteral("first.raw"));
        const Levels full = [&] {
            EnvironmentOverride sink("SKYTUNER_AUDIO_SINK", sinkInto(first));
            return playedLevel(first, window);
        }();
        QVERIFY2(full.left > 3000, "no signal at volume 100");

        QLabel* panel = window->statusBar()->panel(QStringLiteral("volume"));
        QVERIFY(ChildProcess::run("xdotool", at(panel->mapToGlobal(panel->rect().center())) +
                                                 QStringList{"click", "1"}));
        wfmVolume* popup = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            (popup = window->findChild<wfmVolume*>()) && popup->isActiveWindow(), 10000);
        QCOMPARE(popup->frameGeometry().bottom() + 4, window->statusBar()->mapToGlobal(QPoint()).y());
        QCOMPARE(popup->x(), window->frameGeometry().x() + panel->x());

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
        QCOMPARE(window->WMP().settings().volume(), volume);
        QTest::qWait(600);
        const qint64 from = QFileInfo(first).size();
        QTest::qWait(1200);
        const double dragged =
            decibels(measure(TestFolders::readBytes(first), from, 1 << 30).left, full.left);
        QVERIFY2(std::abs(dragged - modGlobal::VolumeToDecibels(volume)) <= 0.5,
                 qPrintable(QString::number(dragged)));

        // A click on the station list closes it, which stores the values.
        QVERIFY(
            ChildProcess::run("xdotool", at(window->lstStations()->mapToGlobal(QPoint(20, 20))) +
                                             QStringList{"click", "1"}));
        QTRY_VERIFY_WITH_TIMEOUT(!window->findChild<wfmVolume*>(), 10000);
        const QByteArray stored = TestFolders::readBytes(ini);
        QVERIFY2(stored.contains(QStringLiteral("\nvolume=%1\r\n").arg(volume).toUtf8()) &&
                     stored.contains("\nbalance=0\r\n"),
                 stored.constData());
        window.reset();

        const QString second = folder.file(QStringLiteral("second.raw"));
        EnvironmentOverride sink("SKYTUNER_AUDIO_SINK", sinkInto(second));
        const double next = decibels(playedLevel(second, window).left, full.left);
        QVERIFY2(std::abs(next - modGlobal::VolumeToDecibels(volume)) <= 0.5,
                 qPrintable(QString::number(next)));
    }
};

QTEST_MAIN(TestWfmVolumeDisplay)
#include "tst_wfmvolume_display.moc"
