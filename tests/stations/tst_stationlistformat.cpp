// The station list format as text: line ends and reading rules beyond the fixture
// files', the numeric field rule under two locales, and the written line.
#include "stations/StationListFormat.h"

#include <QtTest>

using namespace StationListFormat;

class TestStationListFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Rules the fixture files of the station list tests do not show already.
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("entries"); // joined by ';'
        const QString a = "[STATION:]A|u1|0|16777215|0|1";
        const QString b = "[STATION:]B|u2|0|16777215|0|1";
        const QString ab = "A|u1|0|16777215|0|1;B|u2|0|16777215|0|1";
        QTest::newRow("mixed line ends") << a + "\n" + b + "\r\n" << ab;
        QTest::newRow("CR CR LF: the line keeps one CR")
            << a + "\r\r\n" + b << "A|u1|0|16777215|0|1\r;B|u2|0|16777215|0|1";
        QTest::newRow("LF empty line ends the list") << a + "\n\n" + b << "A|u1|0|16777215|0|1";
        QTest::newRow("blank line is not empty") << a + "\r\n \r\n" + b << ab;
        QTest::newRow("starts empty") << "\r\n" + a << "";
        QTest::newRow("four fields") << "[STATION:]A|u|255|0"
                                     << "A|u|255|0||";
        QTest::newRow("short line") << "[STAT\r\n"
                                    << "";
        QTest::newRow("other text") << "Anything at all | | |\r\n"
                                    << "";
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
        row("plain", "en_US", {"255", "-1", "1"}, {255, -1, 1});
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

    void writtenLine()
    {
        QCOMPARE(stationLine(u"Red", u"http://r", 255, true, true),
                 QString("[STATION:]Red|http://r|255|16777215|-1|1\r\n"));
        QCOMPARE(stationLine(u"", u"u", -2147483640, false, false),
                 QString("[STATION:]|u|-2147483640|16777215|0|0\r\n"));
    }
};

QTEST_MAIN(TestStationListFormat)
#include "tst_stationlistformat.moc"
