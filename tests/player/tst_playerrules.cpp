// The main window's plain rules: the volume step and keeping the window on
// the screen. (The layout: the main window's own test.)
#include "player/PlaybackRules.h"
#include "player/WindowPlace.h"

#include <QtTest>

class TestPlayerRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void volumeStep()
    {
        // volume delta expected
        for (const char* row :
             {"98 5 100", "100 5 100", "50 5 55", "3 -5 0", "4 -5 0", "0 -5 0", "50 -5 45"}) {
            const QStringList f = QString(row).split(u' ');
            QCOMPARE(PlaybackRules::SteppedVolume(f[0].toInt(), f[1].toInt()), f[2].toInt());
        }
    }

    // "left,top,width" of a window 5000 twips high > its place on a 19200 x 12000
    // twips screen: left, top, right, bottom are checked in this order.
    void keepOnScreen()
    {
        for (const char* row : {"1000,1000,6000 > 1000,1000", "-500,-1,6000 > 0,0",
                                "90000,50000,6000 > 13200,7000", "100,0,20000 > -800,0"}) {
            const QStringList w = QString(row).section(" > ", 0, 0).split(u',');
            const QRectF placed = WindowPlace::KeepOnScreen(
                QRectF(w[0].toDouble(), w[1].toDouble(), w[2].toDouble(), 5000),
                QRectF(0, 0, 19200, 12000));
            QCOMPARE(QString("%1,%2").arg(placed.x()).arg(placed.y()),
                     QString(row).section(" > ", 1));
        }
    }
};

QTEST_APPLESS_MAIN(TestPlayerRules)
#include "tst_playerrules.moc"
