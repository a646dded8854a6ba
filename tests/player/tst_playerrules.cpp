// The main window's plain rules: volume step, key table, keeping the window on
// the screen and layout arithmetic.
#include "platform/VirtualKeys.h"
#include "player/KeyTable.h"
#include "player/PlaybackRules.h"
#include "player/WindowLayout.h"
#include "player/WindowPlace.h"

#include <QtTest>

using KeyTable::Command;
using KeyTable::ListCommand;

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

    void keyTable_data()
    {
        using namespace VirtualKeys;
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("shift");
        QTest::addColumn<Command>("command");
        QTest::newRow("Ctrl+Right") << int(Right) << 2 << Command::VolumeUp;
        QTest::newRow("Ctrl+Left") << int(Left) << 2 << Command::VolumeDown;
        QTest::newRow("Ctrl+T") << int(KeyT) << 2 << Command::Stop;
        QTest::newRow("Ctrl+P") << int(KeyP) << 2 << Command::Play;
        QTest::newRow("Shift+Escape") << int(Escape) << 1 << Command::Minimise;
        QTest::newRow("Ctrl+O") << int('O') << 2 << Command::OpenUrl;
        QTest::newRow("F12") << int(F12) << 0 << Command::OpenStationList;
        QTest::newRow("Ctrl+E") << int('E') << 2 << Command::EditStationList;
        QTest::newRow("Ctrl+S") << int('S') << 2 << Command::Settings;
        QTest::newRow("Ctrl+X") << int('X') << 2 << Command::Exit;
        QTest::newRow("menu key") << int(Apps) << 0 << Command::ProductMenu;
        // Masks are compared exactly.
        QTest::newRow("Ctrl+Shift+Right") << int(Right) << 3 << Command::None;
        QTest::newRow("Ctrl+Alt+Left") << int(Left) << 6 << Command::None;
        QTest::newRow("Right") << int(Right) << 0 << Command::None;
        QTest::newRow("Escape") << int(Escape) << 0 << Command::None;
        QTest::newRow("Ctrl+Escape") << int(Escape) << 2 << Command::None;
        QTest::newRow("T") << int(KeyT) << 0 << Command::None;
        QTest::newRow("Shift+P") << int(KeyP) << 1 << Command::None;
        QTest::newRow("Shift+F12") << int(F12) << 1 << Command::None;
        QTest::newRow("Ctrl+C is the list's") << int(KeyC) << 2 << Command::None;
    }

    void keyTable()
    {
        QFETCH(int, key);
        QFETCH(int, shift);
        QTEST(KeyTable::WindowCommand(key, shift), "command");
    }

    void stationListKeys()
    {
        using namespace VirtualKeys;
        QCOMPARE(KeyTable::StationListCommand(Return, 0), ListCommand::PlaySelected);
        QCOMPARE(KeyTable::StationListCommand(Return, 1), ListCommand::PlaySelected);
        QCOMPARE(KeyTable::StationListCommand(Return, 2), ListCommand::None);
        QCOMPARE(KeyTable::StationListCommand(KeyC, 2), ListCommand::Copy);
        QCOMPARE(KeyTable::StationListCommand(KeyC, 3), ListCommand::None);
        QCOMPARE(KeyTable::StationListCommand(KeyC, 0), ListCommand::None);
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

    void stationListPlace()
    {
        const WindowLayout::StationList designed =
            WindowLayout::PlaceStationList(0, 360, 285, QSizeF(6210, 4425));
        QCOMPARE(designed.rect, QRectF(0, 370, 6210, 4425 - (285 + 370)));

        const WindowLayout::StationList narrow =
            WindowLayout::PlaceStationList(0, 360, 285, QSizeF(2000, 3000));
        QCOMPARE(narrow.nameColumn, 200.0);
        QCOMPARE(narrow.statusColumn, 1400.0);
    }
};

QTEST_APPLESS_MAIN(TestPlayerRules)
#include "tst_playerrules.moc"
