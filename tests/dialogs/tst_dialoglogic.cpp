// The dialogs' logic without widgets, on real skytuner.ini files.
#include "TestFolders.h"
#include "common/AnsiCodePage.h"
#include "dialogs/logic/SettingsLogic.h"
#include "dialogs/logic/StationEditLogic.h"
#include "dialogs/logic/VolumePopupLogic.h"

#include <QtTest>

class TestDialogLogic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The settings dialog opens with what the file holds: a switch is on only
    // for exactly "1". OK writes every key in its order, "lang" always "cs".
    void settings_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("loaded"); // anim systray autostart|fav
        QTest::addColumn<QString>("after");
        QTest::newRow("no file") // the keys in their order
            << ""
            << "000|"
            << "[PLAYER]\r\nanim=0\r\nsystray=0\r\nautostart=0\r\nlang=cs\r\nfav=\r\n";
        QTest::newRow("anim missing")
            << "[PLAYER]\r\nsystray=1\r\nautostart=1\r\n"
            << "011|"
            << "[PLAYER]\r\nsystray=1\r\nautostart=1\r\nanim=0\r\nlang=cs\r\nfav=\r\n";
        QTest::newRow("true and quoted blank one")
            << "[PLAYER]\r\nsystray=\" 1\"\r\nanim=true\r\nlang=en\r\nfav=C:\\Oblíbené.tlist\r\n"
            << "000|C:\\Oblíbené.tlist"
            << "[PLAYER]\r\nsystray=0\r\nanim=0\r\nlang=cs\r\nfav=\r\nautostart=0\r\n";
    }

    void settings()
    {
        QFETCH(QString, before);
        TemporaryProgramFolder folder;
        const QString ini = folder.file(QStringLiteral("skytuner.ini"));
        if (!before.isEmpty())
            QVERIFY(TestFolders::writeBytes(ini, AnsiCodePage::encode(before)));
        const SettingsLogic::Choices c = SettingsLogic::load();
        QTEST(QString("%1%2%3|%4").arg(c.anim).arg(c.minTray).arg(c.autoStart).arg(c.fav),
              "loaded");
        // OK with the list cleared (btnFavNo) and the tray switched over.
        bool anim = true, tray = !c.minTray;
        QString fav = QStringLiteral("stale");
        QVERIFY(SettingsLogic(anim, tray, fav).accept({c.anim, c.minTray, c.autoStart, {}}));
        QCOMPARE(std::tuple(anim, tray, fav), std::tuple(c.anim, c.minTray, QString()));
        QTEST(AnsiCodePage::decode(TestFolders::readBytes(ini)), "after");
    }

    // The pop-up's lower edge 50 twips above the status bar, its left at the
    // panel's, moved into the work area (all twips).
    void popupPlace_data()
    {
        QTest::addColumn<QRectF>("window");
        QTest::addColumn<QPointF>("place");
        QTest::newRow("free") << QRectF(3000, 1500, 6000, 4500) << QPointF(6000, 3475);
        QTest::newRow("left edge") << QRectF(-4000, 1500, 6000, 4500) << QPointF(0, 3475);
        QTest::newRow("right edge") << QRectF(17000, 1500, 6000, 4500) << QPointF(18195, 3475);
        QTest::newRow("top edge") << QRectF(3000, -3000, 6000, 4500) << QPointF(6000, 0);
        QTest::newRow("below") << QRectF(3000, 10000, 6000, 4500) << QPointF(6000, 9825);
    }

    void popupPlace()
    {
        QFETCH(QRectF, window);
        QFETCH(QPointF, place);
        // Status bar 300 high, "volume" panel at 3000, pop-up 1005 x 2175.
        QCOMPARE(VolumePopupPlace::TopLeft(window, 300, 3000, QSizeF(1005, 2175),
                                           QRectF(0, 0, 19200, 12000)),
                 place);
    }

    // Saving the station fields: the typed address is stored with "|" as "_"
    // and control characters as blanks, keyed in lower case; with no station
    // current it adds unless the key is taken; the current station may change
    // the letter case of its own address or move to a free one.
    void stationEditSave_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("key");
        using S = StationEditLogic::SaveStation;
        const QStringList a{"http://x/a"}, ab{"http://x/a", "http://x/b_c"};
        QTest::newRow("add") << "" << a << "http://Y/" << int(S::Add) << "http://y/";
        QTest::newRow("add, other case")
            << "" << a << "HTTP://X/A" << int(S::Duplicate) << "http://x/a";
        QTest::newRow("add, bar") << "" << ab << "http://x/B|c" << int(S::Duplicate)
                                  << "http://x/b_c";
        QTest::newRow("add, control") << "" << a << "http://x/\ta" << int(S::Add) << "http://x/ a";
        QTest::newRow("add empty twice") << "" << QStringList{""} << "" << int(S::Duplicate) << "";
        QTest::newRow("change case")
            << "http://x/a" << a << "http://X/A" << int(S::Change) << "http://x/a";
        QTest::newRow("change to free")
            << "http://x/a" << a << "http://x/b" << int(S::Change) << "http://x/b";
        QTest::newRow("change to taken")
            << "http://x/a" << ab << "http://x/b|C" << int(S::Duplicate) << "http://x/b_c";
    }

    void stationEditSave()
    {
        QFETCH(QString, current);
        QFETCH(QStringList, taken);
        QFETCH(QString, typed);
        QFETCH(QString, key);
        StationEditLogic logic;
        logic.setCurrentKey(current);
        const QString address = StationEditLogic::fieldText(typed);
        QCOMPARE(StationEditLogic::keyOf(address), key);
        QTEST(int(logic.saveStation(address, taken.contains(key))), "outcome");
    }

    // The title, the change flag and the overwrite question after a script of
    // steps: "station" (saved or removed), "open F", "lossy F" (opened with
    // lines a save drops), "save F", "new".
    void stationEditState_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("confirmSave"); // over /l.tlist
        QTest::newRow("new") << "" << false << "Editace [Nový]" << false;
        QTest::newRow("station, no file") << "station" << true << "Editace [] *" << false;
        QTest::newRow("opened") << "open /l.tlist" << false << "Editace [/l.tlist]" << false;
        QTest::newRow("opened, station")
            << "open /l.tlist;station" << true << "Editace [/l.tlist] *" << false;
        QTest::newRow("saved") << "station;save /s.tlist" << false << "Editace [/s.tlist]" << false;
        QTest::newRow("lossy") << "lossy /l.tlist" << false << "Editace [/l.tlist]" << true;
        QTest::newRow("lossy, saved elsewhere")
            << "lossy /l.tlist;save /s.tlist" << false << "Editace [/s.tlist]" << true;
        QTest::newRow("lossy, saved over")
            << "lossy /l.tlist;save /l.tlist;station" << true << "Editace [/l.tlist] *" << false;
        QTest::newRow("new again")
            << "lossy /l.tlist;station;new" << false << "Editace [Nový]" << false;
    }

    void stationEditState()
    {
        QFETCH(QString, steps);
        StationEditLogic logic;
        for (const QString& step : steps.split(u';', Qt::SkipEmptyParts)) {
            const QString op = step.section(u' ', 0, 0), file = step.section(u' ', 1);
            logic.setCurrentKey(QStringLiteral("http://x/"));
            if (op == u"station")
                logic.stationSaved();
            else if (op == u"open" || op == u"lossy")
                logic.opened(file, op == u"lossy" ? 3 : 0);
            else if (op == u"save")
                logic.saved(file);
            else
                logic.reset();
            QVERIFY(logic.currentKey().isEmpty());
        }
        QTEST(logic.title(), "title");
        QTEST(logic.listChanged(), "changed");
        QTEST(logic.overwriteNeedsConfirmation(QStringLiteral("/l.tlist")), "confirmSave");
    }
};

QTEST_GUILESS_MAIN(TestDialogLogic)
#include "tst_dialoglogic.moc"
