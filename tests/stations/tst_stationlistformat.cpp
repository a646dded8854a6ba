// The station list format as text: line ends, the reading rules, the numeric
// field rule under two locales, and the written line.
#include "stations/StationListFormat.h"

#include <QtTest>

using namespace StationListFormat;

namespace {

QString stationText(const QString& name, const QString& url)
{
    return QStringLiteral("[STATION:]") + name + u'|' + url + QStringLiteral("|0|16777215|0|1");
}

} // namespace

class TestStationListFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineEnds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("urls");
        const QString a = stationText("A", "u1");
        const QString b = stationText("B", "u2");
        QTest::newRow("CR LF") << a + "\r\n" + b + "\r\n" << QStringList{"u1", "u2"};
        QTest::newRow("LF") << a + "\n" + b + "\n" << QStringList{"u1", "u2"};
        QTest::newRow("mixed") << a + "\n" + b + "\r\n" << QStringList{"u1", "u2"};
        QTest::newRow("no final line end") << a + "\r\n" + b << QStringList{"u1", "u2"};
        QTest::newRow("lone CR is no line end") << a + "\r" + b + "\r" << QStringList{"u1"};
        QTest::newRow("CR CR LF: the line keeps one CR")
            << a + "\r\r\n" + b << QStringList{"u1", "u2"};
        QTest::newRow("empty line ends the list") << a + "\r\n\r\n" + b << QStringList{"u1"};
        QTest::newRow("LF empty line ends the list") << a + "\n\n" + b << QStringList{"u1"};
        QTest::newRow("blank line is not empty") << a + "\r\n \r\n" + b << QStringList{"u1", "u2"};
        QTest::newRow("empty text") << "" << QStringList{};
        QTest::newRow("starts empty") << "\r\n" + a << QStringList{};
    }

    void lineEnds()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, urls);
        QStringList seen;
        for (const QString& entry : parseEntries(text))
            seen << entry.section(u'|', 1, 1);
        QCOMPARE(seen, urls);
    }

    void readingRules_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("entry"); // empty: no entry
        const auto row = [](const char* tag, const QString& line, const QString& entry) {
            QTest::newRow(tag) << line << entry;
        };
        row("plain", "[STATION:]A|u|255|16777215|-1|1", "A|u|255|16777215|-1|1");
        row("lower-case marker", "[station:]A|u|0|0|0|1", "A|u|0|0|0|1");
        row("blank before marker", " [STATION:]A|u|0|0|0|1", "");
        row("eight fields", "[STATION:]A|u|1|2|3|4|5|6", "A|u|1|2|3|4");
        row("no field separator", "[STATION:]Name only", "");
        row("empty URL", "[STATION:]A||0|0|0|1", "");
        row("empty name kept", "[STATION:]|u|0|0|0|1", "|u|0|0|0|1");
        row("two fields", "[STATION:]A|u", "A|u||||");
        row("four fields", "[STATION:]A|u|255|0", "A|u|255|0||");
        row("marker only", "[STATION:]", "");
        row("short line", "[STAT", "");
        row("other text", "Anything at all | | |", "");
        row("Czech", QString::fromUtf8("[STATION:]Příliš žluťoučký kůň|u"),
            QString::fromUtf8("Příliš žluťoučký kůň|u||||"));
    }

    void readingRules()
    {
        QFETCH(QString, line);
        QFETCH(QString, entry);
        QCOMPARE(parseEntries(QString(line + "\r\n")),
                 entry.isEmpty() ? QStringList() : QStringList{entry});
    }

    void onlyLines0To1024AreExamined()
    {
        QString text;
        for (int line = 0; line < 1100; ++line) {
            text += line >= 1023 ? stationText(QString::number(line), QString::number(line))
                                 : QStringLiteral("comment");
            text += QStringLiteral("\r\n");
        }
        const QStringList entries = parseEntries(text);
        QCOMPARE(entries.size(), 2);
        QVERIFY(entries.at(0).startsWith("1023|"));
        QVERIFY(entries.at(1).startsWith("1024|"));
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
        row("negative half", "en_US", {"-2.5", "-0.5", "1.5"}, {-2, 0, 2});
        row("exponent", "en_US", {"1e3", "1E1", "1.0e0"}, {1000, 10, 1});
        row("32-bit edges", "en_US", {"-2147483648", "32767", "-32768"},
            {int(-2147483648LL), 32767, -32768});
        row("just fits after rounding", "en_US", {"2147483647.4", "32767.4", "1.4"},
            {2147483647, 32767, 1});
        row("too large", "en_US", {"2147483648", "32768", "-32769"}, {0, 0, 1});
        row("rounds out of range", "en_US", {"2147483647.5", "32767.5", "99999999999"}, {0, 0, 1});
        row("letters", "en_US", {"red", "yes", "x1"}, {0, 0, 1});
        row("empty", "en_US", {"", "", ""}, {0, 0, 1});
        row("hex is no number", "en_US", {"0xFF", "&H1", "0x1"}, {0, 0, 1});
        row("not finite", "en_US", {"inf", "nan", "1e999"}, {0, 0, 1});
        row("Czech comma", "cs_CZ", {"2,5", "3,5", "1,4"}, {2, 4, 1});
        row("Czech: a point is no separator", "cs_CZ", {"2.5", "1.5", "1.0"}, {0, 0, 1});
        row("English: a comma is no separator", "en_US", {"2,5", "1,5", "1,0"}, {0, 0, 1});
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

    void missingFieldsGiveDefaults()
    {
        const Station s = parseEntry(u"Name|url", QLocale::c());
        QCOMPARE((QList<int>{s.textColour, s.backColour, s.bold, s.visible}),
                 (QList<int>{0, 16777215, 0, 1}));
        QCOMPARE(parseEntry(u"", QLocale::c()).url, QString());
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
