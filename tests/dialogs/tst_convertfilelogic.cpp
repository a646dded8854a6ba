// The ORX conversion run on real files: which lists appear, which sources go,
// the names, the order and the progress bar's numbers.
#include "TestFolders.h"
#include "dialogs/logic/ConvertFileLogic.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// An ORX file whose one station is named after the file.
bool writeOrx(const QString& folder, const QString& name)
{
    return TestFolders::writeBytes(folder + '/' + name,
                                   "<RADIOSTATION><STATIONNAME>" + name.toUtf8() +
                                       "</STATIONNAME><STATIONURL>http://127.0.0.1/" +
                                       name.toUtf8() + "</STATIONURL></RADIOSTATION>\r\n");
}

} // namespace

class TestConvertFileLogic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void order()
    {
        QCOMPARE(ConvertFileLogic::orderedNames({"b.orx", "a.orx", "C.orx", "A.ORX", "B.orx"}),
                 QStringList({"A.ORX", "a.orx", "B.orx", "b.orx", "C.orx"}));
    }

    // Each folder entry afterwards; "list:station" is a station list holding
    // the station of that source, "name/" a folder.
    void run_data()
    {
        QTest::addColumn<QStringList>("sources");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("three files, one target unwritable")
            << QStringList{"a.orx", "b.orx", "c.orx", "b.tlist/"}
            << QStringList{"a.tlist:a.orx", "b.orx", "b.tlist/", "c.tlist:c.orx"};
        QTest::newRow("upper-case extension")
            << QStringList{"Moje.ORX"} << QStringList{"Moje.tlist:Moje.ORX"};
        QTest::newRow("orx in the name")
            << QStringList{"orxradio.oRx"} << QStringList{"tlistradio.tlist:orxradio.oRx"};
        QTest::newRow("one target for two sources")
            << QStringList{"a.orx", "a.ORX"} << QStringList{"a (2).tlist:a.orx", "a.tlist:a.ORX"};
    }
    void run()
    {
        QFETCH(QStringList, sources);
        QTemporaryDir dir;
        for (const QString& name : sources)
            QVERIFY(name.endsWith('/') ? QDir(dir.path()).mkdir(name) : writeOrx(dir.path(), name));
        ConvertFileLogic logic(dir.path());
        QList<int> progress;
        logic.run([&] { progress << logic.value(); });
        const int count = progress.size() - 1;
        QCOMPARE(logic.maximum(), count);
        for (int i = 0; i <= count; ++i)
            QCOMPARE(progress.at(i), i);

        QStringList after;
        const auto filter = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
        for (const QFileInfo& entry : QDir(dir.path()).entryInfoList(filter, QDir::Name)) {
            const QByteArray list = TestFolders::readBytes(entry.filePath());
            const QByteArray station =
                list.startsWith("[STATION:]") ? list.mid(10).prepend(':') : "";
            after << entry.fileName() + (entry.isDir() ? "/" : station.split('|').first());
        }
        QTEST(after, "after");
    }

    // The bar counts the files found first; files that appear later are
    // converted too, the bar stays at its maximum.
    void progressNeverPastMaximum()
    {
        QTemporaryDir dir;
        QVERIFY(writeOrx(dir.path(), "a.orx"));
        ConvertFileLogic logic(dir.path());
        logic.begin();
        QVERIFY(writeOrx(dir.path(), "b.orx") && writeOrx(dir.path(), "c.orx"));
        for (const QString& name : logic.sourceNames())
            QVERIFY(logic.convert(name));
        QCOMPARE(std::pair(logic.maximum(), logic.value()), std::pair(1, 1));
        QVERIFY(QFile::exists(dir.filePath("c.orx"))); // deleted only once the run is over
        logic.finish();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList({"a.tlist", "b.tlist", "c.tlist"}));
    }
};

QTEST_GUILESS_MAIN(TestConvertFileLogic)
#include "tst_convertfilelogic.moc"
