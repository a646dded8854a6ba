// ORX station files: fixture files with real Windows-1250 bytes converted byte
// for byte, the value tag rules, and conversions that must fail without losing
// a station (unreadable source, unwritable target) or survive bad input; and the
// station list format as text: line ends and reading rules beyond the fixture
// files', the numeric field rule under two locales, and the written line.
#include "TestFolders.h"
#include "common/ModuleError.h"
#include "common/clsFunctionLib.h"
#include "common/modGlobal.h"
#include "stations/OrxFormat.h"
#include "stations/StationListFormat.h"
#include "stations/modTLIST.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

namespace {

QString fixture(const QString& name)
{
    return TestFolders::dataFile(QStringLiteral("stations/") + name);
}

const QString ReadError = "Module: modTLIST.TLIST_ConvertORX\rError no.: 9998\r"
                          "Error desc.: Can not read ORX file [FunctionLibrary.GetFileContent]!";
const QString SaveError =
    "Module: modTLIST.TLIST_ConvertORX\rError no.: 9999\r"
    "Error desc.: Can not save ORX converting result [FunctionLibrary.SaveDataContent]!";
const QByteArray OldTarget = "[STATION:]Old|http://127.0.0.1/old||16777215|0|1\r\n\r\n";

} // namespace

using namespace StationListFormat;

class TestOrx : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_messages;

private Q_SLOTS:
    void initTestCase()
    {
        modGlobal::ShowErrorsFlag = true;
        ModuleError::setPresenter([this](const QString& text) { m_messages << text; });
    }
    void init() { m_messages.clear(); }

    // TLIST_ParseORXStation on a record whose results start as "n|u|c|1|1". ("ß",
    // which is "SS" in upper case, before the tags: czech.orx.)
    void parseStation_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("values"); // name|url|colour|bold|visible
        const auto row = [](const char* tag, const char* record, const char* values) {
            QTest::newRow(tag) << QString::fromUtf8(record) << QString::fromUtf8(values);
        };
        row("no tags: unchanged", "text only", "n|u|c|1|1");
        row("no closing form: unchanged", "<STATIONNAME>x<STATIONURL>y<BOLD>0", "n|u|c|1|1");
        row("closing before opening", "</BOLD><BOLD>0", "n|u|c|1|1");
        row("empty values",
            "<STATIONNAME></STATIONNAME><VISIBLE></VISIBLE><BOLD></BOLD>"
            "<STATIONCOLOR></STATIONCOLOR>",
            "|u||0|1");
        row("visible exactly 0, bold exactly 1", "<visible>0</visible><bold>1</bold>", "n|u|c|1|0");
        row("00 and 01", "<VISIBLE>00</VISIBLE><BOLD>01</BOLD>", "n|u|c|0|1");
        row("dotless i is upper-case I", "<STATıONNAME>ı</STATıONNAME>", "ı|u|c|1|1");
    }
    void parseStation()
    {
        QFETCH(QString, record);
        QString name = "n", url = "u", colour = "c";
        qint16 bold = 1, visible = 1;
        TLIST_ParseORXStation(record, name, url, colour, bold, visible);
        QTEST(QStringList({name, url, colour, QString::number(bold), QString::number(visible)})
                  .join(u'|'),
              "values");
    }

    // The record scan over text the fixture does not show.
    void convertText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lines");
        const QString a = "<STATIONNAME>A</STATIONNAME><STATIONURL>u</STATIONURL>";
        const QString lineA = "[STATION:]A|u||16777215|0|0\r\n";
        const auto row = [](const char* tag, const QString& text, const QString& lines) {
            QTest::newRow(tag) << text << lines;
        };
        row("no records", "<RADIOLIST>" + a + "</RADIOLIST>", "");
        row("no name", "<RADIOSTATION><STATIONURL>u</STATIONURL></RADIOSTATION>", "");
        row("nested record: one record",
            "<RADIOSTATION><RADIOSTATION>" + a + "</RADIOSTATION>" + a + "</RADIOSTATION>", lineA);
        row("closing tag cut by the end",
            "<RADIOSTATION>" + a + "</RADIOSTATION><RADIOSTATION>" + a + "</RADIOSTATIO", lineA);
        row("LF and CR alone",
            "<RADIOSTATION><STATIONNAME>\nA\r</STATIONNAME><STATIONURL>|</STATIONURL>"
            "</RADIOSTATION>",
            "[STATION:] A |_||16777215|0|0\r\n");
    }
    void convertText()
    {
        QFETCH(QString, text);
        QTEST(OrxFormat::convert(text), "lines");
    }

    // The target is replaced only by a complete list; the source never changes.
    // (How a source folder, a read-only folder or a full disk fail: the shared file
    // helpers' tests; here that a failure is reported.)
    void convertFiles_data()
    {
        QTest::addColumn<QString>("source"); // a path, or the text of a.orx
        QTest::addColumn<QString>("target"); // "" for t.tlist in the test folder
        QTest::addColumn<bool>("converted");
        QTest::addColumn<QByteArray>("list"); // the target afterwards
        QTest::addColumn<QString>("message");
        const auto row = [](const char* tag, const QString& source, const char* target,
                            bool converted, const QByteArray& list, const QString& message) {
            QTest::newRow(tag) << source << QString(target) << converted << list << message;
        };
        static const char nul[] = "<RADIOSTATION>\0<STATIONNAME>A\0B</STATIONNAME>"
                                  "<STATIONURL>u</STATIONURL></RADIOSTATION>\0";
        const QString orx = fixture("czech.orx");
        const QString huge = m_dir.filePath("huge.orx"); // sparse
        QVERIFY(TestFolders::writeBytes(huge, {}));
        QVERIFY(QFile::resize(huge, clsFunctionLib::MaxContentBytes + 1));
        // Every record with a name and a URL becomes exactly one station of the list.
        row("Windows-1250, CR LF", orx, "", true,
            TestFolders::readBytes(fixture("czech-orx.tlist")), "");
        row("UTF-8, LF", fixture("linux-utf8.orx"), "", true,
            TestFolders::readBytes(fixture("linux-utf8-orx.tlist")), "");
        row("binary garbage", fixture("garbage.bin"), "", true, "\r\n", "");
        row("NUL bytes", QString::fromLatin1(nul, sizeof nul - 1), "", true,
            QByteArray("[STATION:]A\0B|u||16777215|0|0\r\n\r\n", 33), "");
        row("missing source", m_dir.filePath("none.orx"), "", false, OldTarget, "");
        row("source over the size limit", huge, "", false, OldTarget, ReadError);
        row("target is a folder", orx, qPrintable(m_dir.path()), false, {}, SaveError);
        row("empty target path", orx, "none", false, {}, SaveError);
    }
    void convertFiles()
    {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(QByteArray, list);
        if (!source.startsWith(u'/')) {
            const QString path = m_dir.filePath("a.orx");
            QVERIFY(TestFolders::writeBytes(path, source.toLatin1()));
            source = path;
        }
        const QByteArray sourceBytes = TestFolders::readBytes(source);
        const QString path = target == "none"         ? QString()
                             : target.startsWith('/') ? target
                                                      : m_dir.filePath("t.tlist");
        if (!list.isNull())
            QVERIFY(TestFolders::writeBytes(path, OldTarget));
        QTEST(TLIST_ConvertORX(source, path), "converted");
        if (!list.isNull())
            QCOMPARE(TestFolders::readBytes(path), list);
        QCOMPARE(TestFolders::readBytes(source), sourceBytes);
        QTEST(m_messages.join(u';'), "message");
    }

    // Large input: linear time, memory a few times the file's size.
    void largeInput_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("unit");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("stations");
        const QByteArray record = "<RADIOSTATION><STATIONNAME>R\341dio</STATIONNAME>"
                                  "<STATIONURL>http://127.0.0.1/r</STATIONURL></RADIOSTATION>\r\n";
        QTest::newRow("100,000 records") << QByteArray() << record << 100000 << 100000;
        QTest::newRow("50 MB of unclosed records")
            << record << QByteArray("<RADIOSTATION><STATIONNAME><") << 50 * 1024 * 1024 / 28 << 1;
        QTest::newRow("50 MB of NUL bytes") << record << QByteArray(1024, '\0') << 50 * 1024 << 1;
    }
    void largeInput()
    {
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, unit);
        QFETCH(int, count);
        const QString source = m_dir.filePath("large.orx");
        QVERIFY(TestFolders::writeBytes(source, head + unit.repeated(count)));
        const QString target = m_dir.filePath("large.tlist");
        QVERIFY(TLIST_ConvertORX(source, target));
        QTEST(int(TestFolders::readBytes(target).count("\r\n")) - 1, "stations");
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        QVERIFY2(usage.ru_maxrss < 512 * 1024, qPrintable(QString::number(usage.ru_maxrss)));
    }

    void searchesOrxFiles()
    {
        QTemporaryDir folder;
        for (const char* name :
             {"a.orx", "B.ORX", "orxradio.Orx", ".hidden.orx", "x.orx.bak", "y.tlist", "orx"})
            QVERIFY(TestFolders::writeBytes(folder.filePath(name), "x"));
        QVERIFY(QDir(folder.path()).mkdir("folder.orx"));
        QCOMPARE(TLIST_SearchORX(folder.path()), qint16(3));
        QCOMPARE(TLIST_SearchORX(QString()), qint16(0));
        QCOMPARE(TLIST_SearchORX(folder.filePath("missing")), qint16(0));
    }

    // Rules the fixture files of the station list tests do not show already.
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("entries"); // joined by ';'
        const QString a = "[STATION:]A|u1|0|16777215|0|1";
        const QString b = "[STATION:]B|u2|0|16777215|0|1";
        const QString ab = "A|u1|0|16777215|0|1;B|u2|0|16777215|0|1";
        const auto row = [](const char* tag, const QString& text, const QString& entries) {
            QTest::newRow(tag) << text << entries;
        };
        row("CR CR LF: the line keeps one CR", a + "\r\r\n" + b,
            "A|u1|0|16777215|0|1\r;B|u2|0|16777215|0|1");
        row("LF empty line ends the list", a + "\n\n" + b, "A|u1|0|16777215|0|1");
        row("blank line is not empty", a + "\r\n \r\n" + b, ab);
        row("starts empty", "\r\n" + a, "");
    }
    void reading()
    {
        QFETCH(QString, text);
        QTEST(parseEntries(text).join(u';'), "entries");
    }

    void numericFields_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("fields"); // colour, bold, visible
        QTest::addColumn<QList<int>>("expected");
        const auto row = [](const char* tag, const char* locale, const QStringList& fields,
                            const QList<int>& expected) {
            QTest::newRow(tag) << QString(locale) << fields << expected;
        };
        row("blanks and sign", "en_US", {" +255 ", " 2", "0 "}, {255, 2, 0});
        row("halves to even", "en_US", {"2.5", "3.5", "0.5"}, {2, 4, 0});
        row("exponent", "en_US", {"1e3", "1E1", "1.0e0"}, {1000, 10, 1});
        row("32-bit edges", "en_US", {"-2147483648", "32767", "-32768"},
            {int(-2147483648LL), 32767, -32768});
        row("too large", "en_US", {"2147483648", "32768", "-32769"}, {0, 0, 1});
        row("rounds out of range", "en_US", {"2147483647.5", "32767.5", "99999999999"}, {0, 0, 1});
        row("letters and hex are no numbers", "en_US", {"red", "&H1", "0x1"}, {0, 0, 1});
        row("not finite", "en_US", {"inf", "nan", "1e999"}, {0, 0, 1});
        row("Czech comma", "cs_CZ", {"2,5", "3,5", "1,4"}, {2, 4, 1});
        row("Czech: a point is no separator", "cs_CZ", {"2.5", "1.5", "1.0"}, {0, 0, 1});
    }

    void numericFields()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, fields);
        QFETCH(QList<int>, expected);
        const QString entry = "Name|url|" + fields[0] + "|x|" + fields[1] + "|" + fields[2];
        const Station station = parseEntry(entry, QLocale(locale));
        QCOMPARE(station.backColour, DefaultBackColour);
        QCOMPARE((QList<int>{station.textColour, int(station.bold), int(station.visible)}),
                 expected);
    }
};

QTEST_GUILESS_MAIN(TestOrx)
#include "tst_orx.moc"
