// The dialogs' logic without widgets, on a player over an engine that only
// records what it is asked to open.
#include "dialogs/logic/PlayURLLogic.h"
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
};

QTEST_GUILESS_MAIN(TestDialogLogic)
#include "tst_dialoglogic.moc"
