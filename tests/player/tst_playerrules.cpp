// The main window's plain rules: state table, volume step, settings values,
// window place and layout arithmetic. (Commands: tst_playercommands.)
#include "player/PlaybackRules.h"
#include "player/WindowLayout.h"
#include "player/WindowPlace.h"
#include "settings/PlayerSettings.h"

#include <QtTest>

class TestPlayerRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void stateTable_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rowIcon");
        QTest::addColumn<int>("panelIcon");
        QTest::addColumn<bool>("animate");
        QTest::newRow("stopped") << 1 << "Zastaveno" << 1 << 1 << false;
        QTest::newRow("playing") << 3 << "Přehrávání" << 3 << 3 << true;
        QTest::newRow("buffering") << 6 << "Načítání..." << 4 << 2 << false;
        QTest::newRow("waiting") << 7 << "Čekám..." << 4 << 2 << false;
        QTest::newRow("transitioning") << 9 << "Připojování..." << 4 << 2 << false;
        QTest::newRow("ready") << 10 << "Chyba!" << 1 << 1 << false;
        for (int other : {0, 2, 8, 11, -1})
            QTest::addRow("other %d", other) << other << "..." << 1 << 1 << false;
    }

    void stateTable()
    {
        QFETCH(int, state);
        const PlaybackRules::StateInfo info = PlaybackRules::StateInfoFor(state);
        QTEST(info.text, "text");
        QTEST(info.rowIcon, "rowIcon");
        QTEST(info.panelIcon, "panelIcon");
        QTEST(info.animate, "animate");
    }

    void volumeStep()
    {
        // volume delta expected
        for (const char* row :
             {"98 5 100", "100 5 100", "50 5 55", "3 -5 0", "4 -5 0", "0 -5 0", "50 -5 45"}) {
            const QStringList f = QString(row).split(u' ');
            QCOMPARE(PlaybackRules::SteppedVolume(f[0].toInt(), f[1].toInt()), f[2].toInt());
        }
    }
    // Out of range or no number: the default (volume 50, balance 0).
    void numericSettings_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        // "key|text|value"; the number rules themselves are the station fields' too.
        for (const char* row :
             {"volume|75|75", "volume|0|0", "volume|100|100", "volume|150|50", "volume|-1|50",
              "volume|abc|50", "volume||50", "balance|-100|-100", "balance|100|100",
              "balance|101|0", "balance|-101|0", "balance|x|0", "balance||0"}) {
            const QStringList f = QString(row).split(u'|');
            QTest::newRow(row) << f[0] << f[1] << f[2].toInt();
        }
    }

    void numericSettings()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QTEST(key == "volume" ? PlayerSettings::Volume(text) : PlayerSettings::Balance(text),
              "value");
    }

    void numbersInTheUsersLocale()
    {
        QLocale::setDefault(QLocale(QStringLiteral("cs_CZ")));
        QCOMPARE(PlayerSettings::NumericValue("1,5"), std::optional<double>(1.5));
        QCOMPARE(PlayerSettings::NumericValue("1.5"), std::optional<double>(1.5));
        QCOMPARE(PlayerSettings::NumericValue("1,5x"), std::nullopt);
    }

    void flags()
    {
        QVERIFY(PlayerSettings::Flag("1"));
        for (const char* text : {" 1", "1 ", "true", ""})
            QVERIFY2(!PlayerSettings::Flag(text), text);
    }

    // Stored "left,top,width,height,state" > the place in twips and the state (-1:
    // none); the designed place is 100,200,6330,5010. Each value stands on its own.
    void storedPlace()
    {
        for (const char* row :
             {"1500,3000,7000,6000,0 > 1500,3000,7000,6000,0", ",,,, > 100,200,6330,5010,-1",
              "abc,450,,5000,2 > 100,450,6330,5000,2", "-300,-15,,,1 > -300,-15,6330,5010,1",
              "1e40,1e7,1e40,2e6,0 > 100,200,6330,5010,0", ",,0,-4000, > 100,200,6330,5010,-1",
              "nan,inf,-inf,NaN, > 100,200,6330,5010,-1", ",,,,3 > 100,200,6330,5010,-1",
              ",,,,x > 100,200,6330,5010,-1", ",,,, 2 > 100,200,6330,5010,-1"}) {
            const QStringList t = QString(row).section(" > ", 0, 0).split(u',');
            const WindowPlace::Stored stored = WindowPlace::Read(t[0], t[1], t[2], t[3], t[4]);
            const QRectF place = WindowPlace::Apply(stored, QRectF(100, 200, 6330, 5010));
            QCOMPARE(QString("%1,%2,%3,%4,%5")
                         .arg(place.x())
                         .arg(place.y())
                         .arg(place.width())
                         .arg(place.height())
                         .arg(stored.state.value_or(-1)),
                     QString(row).section(" > ", 1));
        }
    }

    void keepOnScreen_data()
    {
        QTest::addColumn<QRectF>("window");
        QTest::addColumn<QRectF>("expected");
        // Screen 19200 x 12000 twips (1280 x 800 pixels).
        QTest::newRow("inside") << QRectF(1000, 1000, 6000, 5000) << QRectF(1000, 1000, 6000, 5000);
        QTest::newRow("left of it")
            << QRectF(-500, 1000, 6000, 5000) << QRectF(0, 1000, 6000, 5000);
        QTest::newRow("above") << QRectF(1000, -1, 6000, 5000) << QRectF(1000, 0, 6000, 5000);
        QTest::newRow("right of it")
            << QRectF(90000, 1000, 6000, 5000) << QRectF(13200, 1000, 6000, 5000);
        QTest::newRow("below") << QRectF(1000, 50000, 6000, 5000) << QRectF(1000, 7000, 6000, 5000);
        QTest::newRow("wider than the screen")
            << QRectF(100, 0, 20000, 5000) << QRectF(-800, 0, 20000, 5000);
    }

    void keepOnScreen()
    {
        QFETCH(QRectF, window);
        QTEST(WindowPlace::KeepOnScreen(window, QRectF(0, 0, 19200, 12000)), "expected");
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
