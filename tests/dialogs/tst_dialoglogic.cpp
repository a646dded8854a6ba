// The dialogs' logic without widgets, on a player over an engine that only
// records what it is asked to open, and on real skytuner.ini files.
#include "TestFolders.h"
#include "common/AnsiCodePage.h"
#include "dialogs/logic/PlayURLLogic.h"
#include "dialogs/logic/SettingsLogic.h"
#include "dialogs/logic/StationEditLogic.h"
#include "dialogs/logic/VolumePopupLogic.h"
#include "stream/MediaPlayer.h"
#include "stream/StreamEngine.h"

#include <QtTest>

namespace {

class RecordingEngine : public StreamEngine
{
public:
    explicit RecordingEngine(QStringList& opened) : m_opened(opened) {}
    void open(const QString& uri, bool) override { m_opened << uri; }
    void close() override {}
    void setGains(double, double) override {}
    void fetchPlaylist(const QString&) override {}
    void cancelFetch() override {}
    QString versionInfo() const override { return {}; }

private:
    QStringList& m_opened;
};

} // namespace

class TestDialogLogic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // OK plays a non-empty text exactly as typed; an empty one leaves the
    // playing station alone.
    void playURL_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("plays");
        QTest::newRow("address") << "http://127.0.0.1:8000/live.mp3" << true;
        QTest::newRow("blanks kept") << "  http://127.0.0.1:8000/live.mp3 " << true;
        QTest::newRow("not an address") << "rádio" << true;
        QTest::newRow("empty") << "" << false;
    }

    void playURL()
    {
        QFETCH(QString, text);
        QFETCH(bool, plays);
        QStringList opened;
        MediaPlayer player(std::make_unique<RecordingEngine>(opened));
        const QString before = QStringLiteral("http://127.0.0.1:9/before.mp3");
        player.setURL(before);
        player.controls().play();
        QString currentURL = before;
        const qsizetype opens = opened.size();

        QCOMPARE(PlayURLLogic(player, currentURL).accept(text), plays);
        QCOMPARE(currentURL, plays ? text : before);
        QCOMPARE(player.URL(), plays ? text : before);
        QCOMPARE(opened.size() > opens, plays); // the engine opens the new address
        QCOMPARE(player.playState(), 9);        // connecting
    }

    // The settings dialog opens with what the file holds: a switch is on only
    // for exactly "1". OK writes every key in its order, "lang" always "cs".
    void settings_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("loaded"); // anim systray autostart|fav
        QTest::addColumn<QString>("after");
        QTest::newRow("no file") << ""
                                 << "000|"
                                 << "";
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
        QFETCH(QString, loaded);
        QFETCH(QString, after);
        TemporaryProgramFolder folder;
        const QString ini = folder.file(QStringLiteral("skytuner.ini"));
        if (!before.isEmpty())
            QVERIFY(TestFolders::writeBytes(ini, AnsiCodePage::encode(before)));
        const SettingsLogic::Choices c = SettingsLogic::load();
        QCOMPARE(QString("%1%2%3|%4").arg(c.anim).arg(c.minTray).arg(c.autoStart).arg(c.fav),
                 loaded);
        // OK with the list cleared (btnFavNo) and the tray switched over.
        bool anim = true, tray = !c.minTray;
        QString fav = QStringLiteral("stale");
        QVERIFY(SettingsLogic(anim, tray, fav).accept({c.anim, c.minTray, c.autoStart, {}}));
        QCOMPARE(std::tuple(anim, tray, fav), std::tuple(c.anim, c.minTray, QString()));
        if (after.isEmpty()) // a new file: the keys in their order
            after = "[PLAYER]\r\nanim=0\r\nsystray=0\r\nautostart=0\r\nlang=cs\r\nfav=\r\n";
        QCOMPARE(AnsiCodePage::decode(TestFolders::readBytes(ini)), after);
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

    // The sliders' values reach the player; closing stores them as whole numbers.
    void popupValues()
    {
        TemporaryProgramFolder folder;
        QStringList opened;
        MediaPlayer player(std::make_unique<RecordingEngine>(opened));
        VolumePopupLogic logic(player);
        QCOMPARE(logic.setVolume(1), 1);
        logic.setBalance(-60);
        QCOMPARE(std::pair(player.settings().volume(), player.settings().balance()),
                 std::pair(1, -60));
        QCOMPARE(VolumePopupLogic::percentText(0), QStringLiteral("0%"));
        QVERIFY(logic.store(logic.volume(), logic.balance()));
        QCOMPARE(TestFolders::readBytes(folder.file(QStringLiteral("skytuner.ini"))),
                 "[PLAYER]\r\nvolume=1\r\nbalance=-60\r\n");
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
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("outcome");
        using S = StationEditLogic::SaveStation;
        const QStringList a{"http://x/a"}, ab{"http://x/a", "http://x/b_c"};
        QTest::newRow("add") << "" << a << "http://Y/"
                             << "http://y/" << int(S::Add);
        QTest::newRow("add, other case") << "" << a << "HTTP://X/A"
                                         << "http://x/a" << int(S::Duplicate);
        QTest::newRow("add, bar") << "" << ab << "http://x/B|c"
                                  << "http://x/b_c" << int(S::Duplicate);
        QTest::newRow("add, control") << "" << a << "http://x/\ta"
                                      << "http://x/ a" << int(S::Add);
        QTest::newRow("add empty twice") << "" << QStringList{""} << ""
                                         << "" << int(S::Duplicate);
        QTest::newRow("change case") << "http://x/a" << a << "http://X/A"
                                     << "http://x/a" << int(S::Change);
        QTest::newRow("change to free") << "http://x/a" << a << "http://x/b"
                                        << "http://x/b" << int(S::Change);
        QTest::newRow("change to taken") << "http://x/a" << ab << "http://x/b|C"
                                         << "http://x/b_c" << int(S::Duplicate);
    }

    void stationEditSave()
    {
        QFETCH(QString, current);
        QFETCH(QStringList, taken);
        QFETCH(QString, typed);
        QFETCH(QString, key);
        QFETCH(int, outcome);
        StationEditLogic logic;
        logic.setCurrentKey(current);
        const QString address = StationEditLogic::fieldText(typed);
        QCOMPARE(StationEditLogic::keyOf(address), key);
        QCOMPARE(int(logic.saveStation(address, taken.contains(key))), outcome);
    }

    // The title, the change flag and the overwrite question after a script of
    // steps: "station" (saved or removed), "open F", "lossy F" (opened with
    // lines a save drops), "save F", "new".
    void stationEditState_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("confirmSave"); // over /l.tlist
        QTest::newRow("new") << ""
                             << "Editace [Nový]" << false << false;
        QTest::newRow("station, no file") << "station"
                                          << "Editace [] *" << true << false;
        QTest::newRow("opened") << "open /l.tlist"
                                << "Editace [/l.tlist]" << false << false;
        QTest::newRow("opened, station") << "open /l.tlist;station"
                                         << "Editace [/l.tlist] *" << true << false;
        QTest::newRow("saved") << "station;save /s.tlist"
                               << "Editace [/s.tlist]" << false << false;
        QTest::newRow("lossy") << "lossy /l.tlist"
                               << "Editace [/l.tlist]" << false << true;
        QTest::newRow("lossy, saved elsewhere") << "lossy /l.tlist;save /s.tlist"
                                                << "Editace [/s.tlist]" << false << true;
        QTest::newRow("lossy, saved over") << "lossy /l.tlist;save /l.tlist;station"
                                           << "Editace [/l.tlist] *" << true << false;
        QTest::newRow("new again") << "lossy /l.tlist;station;new"
                                   << "Editace [Nový]" << false << false;
    }

    void stationEditState()
    {
        QFETCH(QString, steps);
        QFETCH(QString, title);
        QFETCH(bool, changed);
        QFETCH(bool, confirmSave);
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
        QCOMPARE(logic.title(), title);
        QCOMPARE(logic.listChanged(), changed);
        QCOMPARE(logic.overwriteNeedsConfirmation(QStringLiteral("/l.tlist")), confirmSave);
    }
};

QTEST_GUILESS_MAIN(TestDialogLogic)
#include "tst_dialoglogic.moc"
