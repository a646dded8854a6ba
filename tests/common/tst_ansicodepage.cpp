// Windows-1250 conversion: real Czech bytes both ways, and no byte ever lost.
#include "common/AnsiCodePage.h"
#include "common/TextFileEncoding.h"

#include <QtTest>

class TestAnsiCodePage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bothWays_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("czech") << QByteArray(
                                      "P\xF8\xED\x6C\x69\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2")
                               << QString::fromUtf8("Příliš žluťoučký kůň");
        QTest::newRow("nul") << QByteArray("a\0\xE8", 3) << QString::fromUtf8("a\0č", 4);
        QTest::newRow("empty") << QByteArray() << QString();
    }

    void bothWays()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(AnsiCodePage::decode(bytes), text);
        QCOMPARE(AnsiCodePage::encode(text), bytes);
    }

    void everyByteSurvivesARoundTrip()
    {
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        const QString text = AnsiCodePage::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text.at(0x80), QChar(0x20AC)); // euro sign
        QCOMPARE(text.at(0x81), QChar(0x81));   // undefined byte kept as C1
        bool lost = true;
        QCOMPARE(AnsiCodePage::encode(text, &lost), all);
        QVERIFY(!lost); // so a damaged file is not saved as UTF-8 instead
    }

    void unmappableCharactersBecomeQuestionMarks()
    {
        QCOMPARE(AnsiCodePage::encode(QString::fromUtf8("a€b")), QByteArray("a\x80\x62"));
        QCOMPARE(AnsiCodePage::encode(QString::fromUtf8("x日y")), QByteArray("x?y"));
        // A character outside the basic plane is one "?", not two.
        QCOMPARE(AnsiCodePage::encode(QString::fromUtf8("a😀b")), QByteArray("a?b"));
        // A lone surrogate is one "?" too, and takes nothing after it along.
        const QChar high(0xD83D), low(0xDE00);
        QCOMPARE(AnsiCodePage::encode(QString(QString(high) + "b" + high)), QByteArray("?b?"));
        QCOMPARE(AnsiCodePage::encode(QString(QString(low) + low + "č")), QByteArray("??\xE8"));
        bool lost = false;
        QCOMPARE(AnsiCodePage::encode(QString(QChar(0x80)), &lost), QByteArray("?"));
        QVERIFY(lost);
    }

    // A text file reads back as written, also where its Windows-1250 bytes would
    // pass for UTF-8 ("Ĺ»" is C5 BB, "Ż") or it starts with U+FEFF.
    void textFilesReadBackAsWritten()
    {
        using TextFileEncoding::Encoding;
        for (const char* text : {"Ĺ» Radio", "\uFEFFa"}) {
            for (const Encoding preferred : {Encoding::Windows1250, Encoding::Utf8}) {
                const QByteArray bytes =
                    TextFileEncoding::encode(QString::fromUtf8(text), preferred);
                QCOMPARE(TextFileEncoding::decode(bytes), QString::fromUtf8(text));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestAnsiCodePage)
#include "tst_ansicodepage.moc"
