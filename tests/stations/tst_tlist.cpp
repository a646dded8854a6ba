// Station list files end to end: fixture files with real Windows-1250 bytes
// read into collections, filled into keyed list views, saved back; bad input.
// (Which encoding a file reads and saves in: the shared file helpers' tests.)
#include "TestFolders.h"
#include "platform/KeyedListView.h"
#include "stations/view/modTLISTView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

namespace {

QString fixture(const QString& name)
{
    return TestFolders::dataFile("stations/" + name);
}

// Every row as "text|key|second column|icon|colour|b" (b: bold).
QStringList rows(const KeyedListView& list)
{
    QStringList rows;
    for (int r = 0; r < list.rowCount(); ++r)
        rows << QString("%1|%2|%3|%4|%5|%6")
                    .arg(list.rowText(r), list.rowKey(r), list.subItem(r, 1))
                    .arg(list.rowSmallIcon(r))
                    .arg(list.rowForeColor(r))
                    .arg(list.rowBold(r) ? "b" : "");
    return rows;
}

// Peak resident memory of the process so far, in KiB.
qint64 peakMemoryKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A file of `head` and then 50 MB of `unit` repeated.
QString write50MB(const QString& path, const QByteArray& head, const QByteArray& unit)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size())
        return {};
    const QByteArray block = unit.repeated(1024 * 1024 / unit.size() + 1);
    for (int i = 0; i < 50; ++i)
        file.write(block);
    return path;
}

} // namespace

class TestTlist : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        colStations.clear();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void loadsEveryReadingRule()
    {
        QVERIFY(TLIST_LoadFile(fixture("czech.tlist")));
        QCOMPARE(colStations,
                 QStringList({
                     "Příliš žluťoučký kůň|http://127.0.0.1:8000/kun.mp3|255|16777215|-1|1",
                     "Český rozhlas|http://127.0.0.1:8000/cro.ogg|0|16777215|0|1",
                     "Skrytá|http://127.0.0.1/hidden|0|16777215|0|0",
                     "Osm polí|http://127.0.0.1/eight|65280|255|2|1",
                     "|http://127.0.0.1/noname|0|16777215|0|1",
                     "Krátká|http://127.0.0.1/short||||",
                     "Duplicate|http://127.0.0.1:8000/kun.mp3|0|16777215|0|1",
                     "Case differs|HTTP://127.0.0.1:8000/KUN.mp3|16711680|16777215|0|1",
                 }));
        // Loading into a collection appends to what it holds.
        QStringList coll{"kept|http://kept||||"};
        QVERIFY(TLIST_LoadFileToColl(fixture("lf-only.tlist"), coll));
        QCOMPARE(coll.size(), 4);
        QCOMPARE(coll.at(3), QString("Třetí|http://127.0.0.1/3|0|16777215|0|1"));
    }

    // Bad input never stops the reading; loading empties the collection first.
    void badInputStillSucceeds_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("stations"); // name|url
        QTest::newRow("missing file") << fixture("missing.tlist") << QStringList{};
        QTest::newRow("binary garbage")
            << fixture("garbage.bin") << QStringList{"Odpad|http://127.0.0.1/garbage"};
        QTest::newRow("NUL bytes")
            << fixture("nul-bytes.tlist")
            << QStringList{"Rádio" + QString(QChar(0)) + "Nul|http://127.0.0.1/nul",
                           "Za nulami|http://127.0.0.1/after-nul"};
        QTest::newRow("CR only: one line")
            << fixture("cr-only.tlist") << QStringList{"Jedna|http://127.0.0.1/1"};
    }

    void badInputStillSucceeds()
    {
        QFETCH(QStringList, stations);
        colStations << "stale|http://stale||||";
        QFETCH(QString, path);
        QVERIFY(TLIST_LoadFile(path));
        QStringList seen;
        for (const QString& entry : std::as_const(colStations))
            seen << entry.section(u'|', 0, 1);
        QCOMPARE(seen, stations);
        KeyedListView list;
        TLIST_FillStationListMain(list); // no crash on any of it
        QVERIFY(list.rowCount() <= stations.size());
    }

    // The main list as the main window sets it up: shown stations only, the first
    // of equal URLs, sorted as Czech sorts; missing fields give defaults, any
    // non-zero bold is bold. (The wait cursor during a fill: tst_frmplayer.)
    void fillsTheMainList()
    {
        QVERIFY(TLIST_LoadFile(fixture("czech.tlist")));
        KeyedListView list;
        list.setColumns({"Station name", "Status"});
        list.setSorted(0, Qt::AscendingOrder);
        list.addRow("old", "Old row", 1);
        TLIST_SetMainStationList(&list);
        TLIST_FillStationListMain();
        TLIST_SetMainStationList(nullptr);
        QCOMPARE(rows(list), QStringList({
                                 "Case differs|HTTP://127.0.0.1:8000/KUN.mp3||1|16711680|",
                                 "Český rozhlas|http://127.0.0.1:8000/cro.ogg||1|0|",
                                 "Krátká|http://127.0.0.1/short||1|0|",
                                 "Osm polí|http://127.0.0.1/eight||1|65280|b",
                                 "Příliš žluťoučký kůň|http://127.0.0.1:8000/kun.mp3||1|255|b",
                             }));
    }

    // The editor's rows (file order, hidden ones too, icons from the visible
    // field) are what savesWhatTheEditorShows writes back; here the key: a
    // mixed-case URL gets a lower-case key and keeps its spelling.
    void fillsTheEditorList()
    {
        KeyedListView list;
        list.setColumns({"Název stanice", "URL stanice"});
        TLIST_FillListViewEdit({"Mixed|HTTP://Radio.Example/Live||||"}, list);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(rows(list),
                 QStringList{"Mixed|http://radio.example/live|HTTP://Radio.Example/Live|2|0|"});
    }

    // Open in the editor, save over an old file: Windows-1250, CR LF, an empty line
    // last; changed icons (3, 4) save as hidden and shown. (A failed save: the
    // editor's tests; the old file kept: the shared file helpers'.)
    void savesWhatTheEditorShows_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("changeIcons");
        QTest::addColumn<QByteArray>("saved");
        const QByteArray czech = TestFolders::readBytes(fixture("czech-saved.tlist"));
        QTest::newRow("czech") << true << false << czech;
        QTest::newRow("icons changed")
            << true << true
            << QByteArray(czech)
                   .replace("kun.mp3|255|16777215|-1|1", "kun.mp3|255|16777215|-1|0")
                   .replace("hidden|0|16777215|0|0", "hidden|0|16777215|0|1");
        QTest::newRow("empty list") << false << false << QByteArray("\r\n");
    }

    void savesWhatTheEditorShows()
    {
        QFETCH(bool, open);
        QFETCH(bool, changeIcons);
        KeyedListView list;
        QStringList coll;
        if (open && TLIST_LoadFileToColl(fixture("czech.tlist"), coll))
            TLIST_FillListViewEdit(coll, list);
        if (changeIcons) {
            list.setRowSmallIcon(0, 3);
            list.setRowSmallIcon(2, 4);
        }
        QTemporaryDir dir;
        const QString path = dir.filePath("saved.tlist");
        QVERIFY(TestFolders::writeBytes(path, "old list"));
        QVERIFY(!TLIST_SaveFile(QString(), list)); // no path: nothing saved
        QVERIFY(TLIST_SaveFile(path, list));
        QTEST(TestFolders::readBytes(path), "saved");
    }

    // Bounded memory, not time: bench_stationlist measures the time.
    void hugeFilesCostBoundedMemory()
    {
        QTemporaryDir dir;
        // 50 MB of lines, a station at line 3, stations beyond line 1024; and 50 MB
        // without any line end after one station line.
        const QString lines = write50MB(dir.filePath("lines.tlist"),
                                        "x\r\ny\r\nz\r\n[STATION:]First|http://127.0.0.1/first\r\n",
                                        "[STATION:]S|http://127.0.0.1/s|0|16777215|0|1\r\n");
        const QString oneLine = write50MB(dir.filePath("one-line.tlist"),
                                          "[STATION:]First|http://127.0.0.1/first\r\n", "|");
        QVERIFY(!lines.isEmpty() && !oneLine.isEmpty());
        const qint64 peakBefore = peakMemoryKiB();
        QVERIFY(TLIST_LoadFile(lines));
        QCOMPARE(colStations.size(), 1 + 1021); // lines 3..1024 are stations
        KeyedListView list;
        TLIST_FillStationListMain(list);
        QCOMPARE(list.rowCount(), 2); // "First" and one "S": equal URLs collide
        QVERIFY(TLIST_LoadFile(oneLine));
        QCOMPARE(colStations, QStringList({"First|http://127.0.0.1/first||||"}));
        // The line without an end is read up to the byte cap only (16 MiB, twice
        // that as text), never the whole 50 MB.
        const qint64 grownKiB = peakMemoryKiB() - peakBefore;
        QVERIFY2(grownKiB < 80 * 1024, qPrintable(QString::number(grownKiB)));
    }
};

QTEST_MAIN(TestTlist)
#include "tst_tlist.moc"
