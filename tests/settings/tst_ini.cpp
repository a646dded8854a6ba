// The settings file: INI rules over text, and the file itself (Windows-1250 or
// UTF-8, CR LF, created on the first write, replaced atomically).
#include "FileSizeLimit.h"
#include "TestFolders.h"
#include "common/AnsiCodePage.h"
#include "common/clsFunctionLib.h"
#include "settings/IniText.h"
#include "settings/modINI.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

QString fixtureText()
{
    return AnsiCodePage::decode(
        TestFolders::readBytes(TestFolders::dataFile("settings/windows.ini")));
}

QString written(QStringView text, QStringView section, QStringView key, QStringView value)
{
    const std::optional<QString> result = IniText::writeValue(text, section, key, value);
    return result ? *result : QStringLiteral("<refused>");
}

} // namespace

class TestIni : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsLikeTheWindowsProfileFunctions_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* tag, const QString& section, const QString& key,
                            const QString& expected) {
            QTest::newRow(tag) << section << key << expected;
        };
        row("plain", "PLAYER", "volume", "75");
        row("names ignore case", "player", "VOLUME", "75");
        row("blanks dropped", "PLAYER", "balance", "-20");
        row("quotes and = inside", "PLAYER", "lasturl", "http://127.0.0.1:8000/kun.mp3?a=1&b=2");
        row("Czech", "PLAYER", "list",
            QString::fromUtf8("/home/uživatel/Seznamy/Česká rádia.tlist"));
        row("second section of a name does not count", "PLAYER", "anim", "");
        row("other section", "Dev", "showerrors", "1");
        row("line without =", "PLAYER", "just a line without equals", "");
        row("comment", "PLAYER", "; a comment", "");
        row("key before any section", "PLAYER", "orphan", "");
        row("missing key", "PLAYER", "fav", "");
        row("missing section", "NOPE", "volume", "");
    }

    void readsLikeTheWindowsProfileFunctions()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(IniText::readValue(fixtureText(), section, key), expected);
    }

    void quotes_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* tag, const QString& line, const QString& expected) {
            QTest::newRow(tag) << line << expected;
        };
        row("pair", "k=\"a b\"", "a b");
        row("blanks inside kept", "k=\" a \"", " a ");
        row("one pair only", "k=\"\"a\"\"", "\"a\"");
        row("lone quote", "k=\"", "\"");
        row("empty pair", "k=\"\"", "");
        row("unbalanced", "k=\"abc", "\"abc");
        row("empty value", "k=", "");
        row("LF line end", "k=v\n", "v");
    }

    void quotes()
    {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        const QString text = QStringLiteral("[S]\r\n") + line;
        QCOMPARE(IniText::readValue(text, u"S", u"k"), expected);
    }

    // Rules the settings fixture does not show (its writes are below).
    void writes_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("after");
        const auto row = [](const char* tag, const QString& before, const QString& section,
                            const QString& key, const QString& value, const QString& after) {
            QTest::newRow(tag) << before << section << key << value << after;
        };
        row("new section after the comment header", ";Setting file for skyTuner\r\n;****\r\n",
            "PLAYER", "ontop", "1",
            ";Setting file for skyTuner\r\n;****\r\n[PLAYER]\r\nontop=1\r\n");
        row("replaced in place, spelling kept", "[PLAYER]\r\n  Volume = 5 \r\nx=1\r\n", "player",
            "VOLUME", "75", "[PLAYER]\r\nVolume=75\r\nx=1\r\n");
        row("new key after the section's last line", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "A", "z",
            "3", "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n");
        row("LF file comes back as CR LF", "[A]\nx=1\ny=2", "A", "y", "3", "[A]\r\nx=1\r\ny=3\r\n");
        row("a line break cannot smuggle in a key", "[PLAYER]\r\n", "PLAYER", "lasturl",
            "http://a\r\n[DEV]\r\nshowerrors=1", "[PLAYER]\r\nlasturl=http://a\r\n");
        row("NUL ends the value", "", "A", "k", QString("ab") + QChar(0) + "c", "[A]\r\nk=ab\r\n");
        row("empty key refused", "[A]\r\n", "A", " ", "1", "<refused>");
        row("= in key refused", "", "A", "a=b", "1", "<refused>");
        row("] in section refused", "", "A]", "k", "1", "<refused>");
    }

    void writes()
    {
        QFETCH(QString, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, after);
        QCOMPARE(written(before, section, key, value), after);
    }

    void trimNull()
    {
        QCOMPARE(INI_TrimNull(QString("abc") + QChar(0) + "def"), QString("abc"));
        QCOMPARE(INI_TrimNull(QChar(0) + QString("x")), QString());
    }

    // A missing file reads empty and is not created by reading; a write creates it.
    void writeCreatesTheFileAndReadsBack()
    {
        TemporaryProgramFolder folder;
        QCOMPARE(INI_FilePath(), folder.file("skytuner.ini"));
        QCOMPARE(INI_ReadValue("PLAYER", "volume"), QString());
        QVERIFY(QDir(folder.path()).isEmpty());
        QCOMPARE(INI_WriteValue("PLAYER", "volume", 75), QString());
        QCOMPARE(TestFolders::readBytes(INI_FilePath()), QByteArray("[PLAYER]\r\nvolume=75\r\n"));
        QCOMPARE(INI_ReadValue("PLAYER", "volume"), QString("75"));
        const QString path = QString::fromUtf8("/home/uživatel/Příliš žluťoučký kůň.tlist");
        QVERIFY(INI_TryWriteValue("PLAYER", "list", path));
        QVERIFY(TestFolders::readBytes(INI_FilePath())
                    .contains("list=/home/u\x9Eivatel/P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD "
                              "k\xF9\xF2.tlist\r\n"));
        QCOMPARE(INI_ReadValue("player", "LIST"), path);
        // A NUL in the file cuts the value.
        QVERIFY(TestFolders::writeBytes(INI_FilePath(),
                                        QByteArray("[PLAYER]\r\nlasturl=abc\0def\r\n", 27)));
        QCOMPARE(INI_ReadValue("PLAYER", "lasturl"), QString("abc"));
    }

    void valuesAsText_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("int") << QVariant(-20) << "-20";
        QTest::newRow("short") << QVariant::fromValue<qint16>(100) << "100";
        QTest::newRow("bool") << QVariant(true) << "1";
        QTest::newRow("twips") << QVariant(4500.0f) << "4500";
        QTest::newRow("single fraction") << QVariant(1234.5f) << "1234.5";
        QTest::newRow("single 7 digits") << QVariant(12345678.0f) << "1.234568E+07";
        QTest::newRow("negative single") << QVariant(-150.0f) << "-150";
        QTest::newRow("text") << QVariant(QString("cs")) << "cs";
    }

    void valuesAsText()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        TemporaryProgramFolder folder;
        QVERIFY(INI_TryWriteValue("PLAYER", "k", value));
        QCOMPARE(INI_ReadValue("PLAYER", "k"), text);
    }

    void commentHeaderAndUnknownLinesSurviveWrites()
    {
        TemporaryProgramFolder folder;
        const QByteArray fixture =
            TestFolders::readBytes(TestFolders::dataFile("settings/windows.ini"));
        QVERIFY(TestFolders::writeBytes(INI_FilePath(), fixture));
        QVERIFY(INI_TryWriteValue("PLAYER", "volume", 40));
        QVERIFY(INI_TryWriteValue("DEV", "newkey", "x"));
        QByteArray expected = fixture;
        expected.replace("volume=75\r\n", "volume=40\r\n");
        expected.replace("showerrors=1\r\n", "showerrors=1\r\nnewkey=x\r\n");
        QCOMPARE(TestFolders::readBytes(INI_FilePath()), expected);
    }

    // Several keys in one write: each as a single write would set it; one key
    // that cannot be written leaves the whole file as it was.
    void batchWriteSetsEveryKeyOrNone()
    {
        TemporaryProgramFolder folder;
        const QByteArray fixture =
            TestFolders::readBytes(TestFolders::dataFile("settings/windows.ini"));
        QVERIFY(TestFolders::writeBytes(INI_FilePath(), fixture));
        QVERIFY(INI_TryWriteValues("PLAYER", {{"volume", 40}, {"newkey", true}}));
        QCOMPARE(INI_ReadValue("PLAYER", "volume"), QStringLiteral("40"));
        QCOMPARE(INI_ReadValue("PLAYER", "newkey"), QStringLiteral("1"));
        const QByteArray written = TestFolders::readBytes(INI_FilePath());
        QVERIFY(!INI_TryWriteValues("PLAYER", {{"volume", 10}, {"bad=key", 1}}));
        QCOMPARE(TestFolders::readBytes(INI_FilePath()), written);
    }

    void failedWriteLeavesTheOldFileByteIdentical()
    {
        TemporaryProgramFolder folder;
        const QByteArray old =
            TestFolders::readBytes(TestFolders::dataFile("settings/windows.ini"));
        QVERIFY(TestFolders::writeBytes(INI_FilePath(), old));
        {
            // A full disk (this binds root too), for a write small enough to sit in a
            // stream buffer until the file is committed.
            const FileSizeLimit limit(200);
            QVERIFY(!INI_TryWriteValue("PLAYER", "volume", 1));
        }
        QCOMPARE(TestFolders::readBytes(INI_FilePath()), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"skytuner.ini"})); // no temporary file left behind
        // Without the limit it is written whole; reading cuts it.
        QVERIFY(INI_TryWriteValue("PLAYER", "lasturl", QString(100000, u'x')));
        QVERIFY(TestFolders::readBytes(INI_FilePath()).contains(QByteArray(100000, 'x')));
        QCOMPARE(INI_ReadValue("PLAYER", "lasturl"), QString(IniText::MaxValueLength, u'x'));
    }

    void unusableTargetsFailWithoutHarm()
    {
        TemporaryProgramFolder folder;
        // A folder where the file should be: reads empty, writes fail, nothing inside it.
        QVERIFY(QDir(folder.path()).mkdir("skytuner.ini"));
        QCOMPARE(INI_ReadValue("PLAYER", "volume"), QString());
        QVERIFY(!INI_TryWriteValue("PLAYER", "volume", 1));
        QVERIFY(QDir(INI_FilePath()).isEmpty());
        QVERIFY(QDir(folder.path()).rmdir("skytuner.ini"));

        // A file too large to be a settings file is never replaced by one key.
        QFile huge(INI_FilePath());
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.write("[PLAYER]\r\nvolume=75\r\n") > 0);
        QVERIFY(huge.resize(clsFunctionLib::MaxContentBytes + 1)); // sparse
        huge.close();
        QCOMPARE(INI_ReadValue("PLAYER", "volume"), QString());
        QVERIFY(!INI_TryWriteValue("PLAYER", "volume", 1));
        QCOMPARE(QFileInfo(INI_FilePath()).size(), clsFunctionLib::MaxContentBytes + 1);

        // A program folder that is gone is not made again by a write.
        qputenv("SKYTUNER_HOME", QFile::encodeName(folder.file("gone/away")));
        QVERIFY(!INI_TryWriteValue("PLAYER", "volume", 1));
        QCOMPARE(INI_ReadValue("PLAYER", "volume"), QString());
        QVERIFY(!QFileInfo::exists(folder.file("gone")));
    }
    // A file edited on Linux: UTF-8 reads as such and stays UTF-8 when a key is
    // written; a value Windows-1250 cannot hold turns the whole file UTF-8.
    void encodings_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("fav");
        QTest::addColumn<QByteArray>("after");
        const QByteArray utf8("[PLAYER]\r\nlist=/home/u\xC5\xBEivatel/k\xC5\xAF\xC5\x88.tlist\r\n");
        const QByteArray cp1250("[PLAYER]\r\nlist=/home/u\x9Eivatel/k\xF9\xF2.tlist\r\n");
        const QString ascii = QStringLiteral("a.tlist");
        QTest::newRow("UTF-8") << utf8 << ascii << utf8 + "fav=a.tlist\r\n";
        QTest::newRow("UTF-8 with BOM")
            << "\xEF\xBB\xBF" + utf8 << ascii << utf8 + "fav=a.tlist\r\n";
        QTest::newRow("Windows-1250") << cp1250 << ascii << cp1250 + "fav=a.tlist\r\n";
        QTest::newRow("Cyrillic") << cp1250 << QString::fromUtf8("/Радио.tlist")
                                  << utf8 +
                                         "fav=/\xD0\xA0\xD0\xB0\xD0\xB4\xD0\xB8\xD0\xBE.tlist\r\n";
    }

    void encodings()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, fav);
        TemporaryProgramFolder folder;
        QVERIFY(TestFolders::writeBytes(INI_FilePath(), before));
        const QString list = QString::fromUtf8("/home/uživatel/kůň.tlist");
        QCOMPARE(INI_ReadValue("PLAYER", "list"), list);
        INI_WriteValue("PLAYER", "fav", fav);
        QTEST(TestFolders::readBytes(INI_FilePath()), "after");
        QCOMPARE(INI_ReadValue("PLAYER", "list"), list);
        QCOMPARE(INI_ReadValue("PLAYER", "fav"), fav);
    }
};

QTEST_MAIN(TestIni)
#include "tst_ini.moc"
