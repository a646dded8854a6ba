// The station list chooser's logic without widgets, over real files in a
// temporary folder: what a listing finds and how it shows sizes and dates (in
// English and Czech notation), an unreadable folder, the sort rule of the
// headers, and the pick surviving a folder change.
#include "TestFolders.h"
#include "dialogs/logic/StationFilesLogic.h"

#include <QDateTime>
#include <QDir>
#include <QtTest>

#include <utime.h>

using namespace Qt::StringLiterals;
using Row = StationFilesLogic::Row;

namespace {

// A file of `bytes` bytes modified at `modified` (local time).
void makeFile(const QString& path, int bytes, const QDateTime& modified)
{
    QVERIFY(TestFolders::writeBytes(path, QByteArray(bytes, 'x')));
    const time_t seconds = time_t(modified.toSecsSinceEpoch());
    const utimbuf times{seconds, seconds};
    QCOMPARE(::utime(QFile::encodeName(path).constData(), &times), 0);
}

// "name size date" of every row found, by name.
QStringList list(StationFilesLogic& logic, const QString& folder)
{
    QList<Row> rows;
    QObject::connect(&logic, &StationFilesLogic::RowsFound, &logic,
                     [&](const QList<Row>& batch) { rows += batch; });
    QSignalSpy finished(&logic, &StationFilesLogic::Finished);
    logic.ReadDirectory(folder);
    if (!finished.wait(10000))
        return {u"not finished"_s};
    QObject::disconnect(&logic, &StationFilesLogic::RowsFound, &logic, nullptr);
    QStringList shown;
    for (const Row& row : rows)
        shown << row.name + u' ' + row.size + u' ' + row.date +
                     (row.key == QDir(folder).filePath(row.name) ? u""_s : u" wrong key"_s);
    shown.sort();
    return shown;
}

} // namespace

class TestStationFilesLogic : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        const QDateTime june(QDate(2008, 6, 7), QTime(9, 5, 59));
        makeFile(m_dir.filePath("radio.tlist"), 1500, june);
        makeFile(m_dir.filePath("BIG.TLIST"), 1234567, june.addYears(10).addSecs(-9 * 3600));
        makeFile(m_dir.filePath(".hidden.tlist"), 10, june);
        makeFile(m_dir.filePath("notes.txt"), 10, june);
        makeFile(m_dir.filePath("radio.tlist.bak"), 10, june);
        QVERIFY(QDir(m_dir.path()).mkdir("folder.tlist"));
    }

    // Normal *.tlist files in any letter case; no folders, hidden or other files.
    void listing_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("English") << "C"
                                 << QStringList{"BIG.TLIST 1234.567 kB 2018-06-07 00:05",
                                                "radio.tlist 1.500 kB 2008-06-07 09:05"};
        QTest::newRow("Czech") << "cs_CZ"
                               << QStringList{"BIG.TLIST 1234,567 kB 2018-06-07 00:05",
                                              "radio.tlist 1,500 kB 2008-06-07 09:05"};
    }

    void listing()
    {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        StationFilesLogic logic;
        QTEST(list(logic, m_dir.path()), "rows");
        QLocale::setDefault(QLocale::c());
    }

    // A folder that cannot be read lists nothing, quietly, and ends.
    void unreadableFolder()
    {
        StationFilesLogic logic;
        QCOMPARE(list(logic, m_dir.filePath("gone")), QStringList());
        QCOMPARE(list(logic, m_dir.filePath("notes.txt")), QStringList());
        QVERIFY(!logic.isListing());
    }

    // "current column,order clicked > column,order": the sorted column flips,
    // another keeps the order; the first click sorts ascending.
    void columnClick()
    {
        for (const char* row :
             {"-1,0 1 > 1,0", "1,0 1 > 1,1", "1,1 1 > 1,0", "1,1 2 > 2,1", "2,0 0 > 0,0"}) {
            const QStringList f = QString(row).split(QRegularExpression("[ ,>]+"));
            const StationFilesLogic::Sort sorted = StationFilesLogic::ColumnClick(
                {f[0].toInt(), Qt::SortOrder(f[1].toInt())}, f[2].toInt());
            QCOMPARE(QString("%1,%2").arg(sorted.column).arg(int(sorted.order)), f[3] + ',' + f[4]);
        }
    }

    // The pick stays through a folder change until the next press on the list.
    void selection()
    {
        StationFilesLogic logic;
        const QString picked = m_dir.filePath("radio.tlist");
        logic.ItemClick(picked);
        list(logic, QDir::tempPath());
        QCOMPARE(logic.SelectedPath(), picked);
        logic.MouseDown();
        QVERIFY(logic.SelectedPath().isEmpty());
        QCOMPARE(StationFilesLogic::Caption("/home/jana"), u"Seznamy stanice [/home/jana]"_s);
    }
};

QTEST_GUILESS_MAIN(TestStationFilesLogic)
#include "tst_stationfileslogic.moc"
