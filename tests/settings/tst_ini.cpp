// The settings file: INI rules over text, the file itself (Windows-1250 or
// UTF-8, CR LF, created on the first write, replaced atomically), and the
// settings store: what each key reads as (defaults, checks) and what the groups
// of keys write.
#include "TestFolders.h"
#include "common/AnsiCodePage.h"
#include "common/clsFunctionLib.h"
#include "settings/IniText.h"
#include "settings/PlayerSettings.h"
#include "settings/modINI.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using PlayerSettings::Key;
using PlayerSettings::Values;

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

// "key=value" for every key whose value differs from a missing file's, in the
// order of Key; the place values in the text they are written as.
QString changed(const Values& values)
{
    QStringList result;
    for (int k = 0; k <= int(Key::ShowErrors); ++k) {
        const std::optional<QString> text = PlayerSettings::Text(values, Key(k));
        if (text != PlayerSettings::Text(Values(), Key(k)))
            result << PlayerSettings::Name(Key(k)) + u'=' + text.value_or(u"(none)"_s);
    }
    return result.join(u' ');
}

// "key=value|..." as lines of the PLAYER section.
Values parsed(const QString& lines)
{
    return PlayerSettings::Parse("[PLAYER]\r\n" + QString(lines).replace(u'|', "\r\n"));
}

} // namespace

class TestIni : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "section|key|expected" in the settings fixture, then lines of a section S
    // and the value of its key k.
    void reads()
    {
        const QString fixture = fixtureText();
        for (const char* row :
             {"PLAYER|volume|75", "player|VOLUME|75", "PLAYER|balance|-20",
              "PLAYER|lasturl|http://127.0.0.1:8000/kun.mp3?a=1&b=2",
              "PLAYER|list|/home/uživatel/Seznamy/Česká rádia.tlist",
              "PLAYER|anim|", // the second section of a name does not count
              "Dev|showerrors|1", "PLAYER|just a line without equals|", "PLAYER|; a comment|",
              "PLAYER|orphan|", "PLAYER|fav|", "NOPE|volume|"}) {
            const QStringList f = QString::fromUtf8(row).split(u'|');
            QVERIFY2(IniText::readValue(fixture, f[0], f[1]) == f[2], row);
        }
        for (const char* row : {"k=\"a b\"|a b", "k=\" a \"| a ", "k=\"\"a\"\"|\"a\"", "k=\"|\"",
                                "k=\"\"|", "k=\"abc|\"abc", "k=|", "k=v\n|v"}) {
            const QStringList f = QString(row).split(u'|');
            QVERIFY2(IniText::readValue(QString("[S]\r\n" + f[0]), u"S", u"k") == f[1], row);
        }
    }

    // Rules the settings fixture does not show (its writes are below): the text
    // before, section, key, value, the text after ("<refused>": not written).
    void writes()
    {
        const QStringList rows[] = {
            // new section after the comment header
            {";c\r\n;**\r\n", "PLAYER", "ontop", "1", ";c\r\n;**\r\n[PLAYER]\r\nontop=1\r\n"},
            // replaced in place, spelling kept
            {"[P]\r\n  Volume = 5 \r\nx=1\r\n", "p", "VOLUME", "75", "[P]\r\nVolume=75\r\nx=1\r\n"},
            // new key after the section's last line
            {"[A]\r\nx=1\r\n\r\n[B]\r\n", "A", "z", "3", "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\n"},
            // LF file comes back as CR LF
            {"[A]\nx=1\ny=2", "A", "y", "3", "[A]\r\nx=1\r\ny=3\r\n"},
            // a line break cannot smuggle in a key
            {"[P]\r\n", "P", "k", "http://a\r\n[DEV]\r\nshowerrors=1", "[P]\r\nk=http://a\r\n"},
            // NUL ends the value
            {"", "A", "k", QString("ab") + QChar(0) + "c", "[A]\r\nk=ab\r\n"},
            // blanks, quotes and a lone CR read back
            {"", "A", "k", " a ", "[A]\r\nk=\" a \"\r\n"},
            {"", "A", "k", "\"a\"", "[A]\r\nk=\"\"a\"\"\r\n"},
            {"", "A", "k", "a\rb\r", "[A]\r\nk=\"a\rb\r\"\r\n"},
            // empty key refused
            {"[A]\r\n", "A", " ", "1", "<refused>"},
            // = in key refused
            {"", "A", "a=b", "1", "<refused>"},
            // ] in section refused
            {"", "A]", "k", "1", "<refused>"},
        };
        for (const QStringList& r : rows)
            QCOMPARE(written(r[0], r[1], r[2], r[3]), r[4]);
    }

    // A missing file reads empty and is not created by reading; a write creates it.
    // (Czech values in Windows-1250: groupsWriteTheirKeysInOrder.)
    void writeCreatesTheFileAndReadsBack()
    {
        TemporaryProgramFolder folder;
        QCOMPARE(INI_FilePath(), folder.file("skytuner.ini"));
        QCOMPARE(INI_ReadValue("PLAYER", "volume"), QString());
        QVERIFY(QDir(folder.path()).isEmpty());
        QCOMPARE(INI_WriteValue("PLAYER", "volume", 75), QString());
        QCOMPARE(TestFolders::readBytes(INI_FilePath()), QByteArray("[PLAYER]\r\nvolume=75\r\n"));
        QCOMPARE(INI_ReadValue("PLAYER", "volume"), QString("75"));
        // A NUL in the file cuts the value.
        QVERIFY(TestFolders::writeBytes(INI_FilePath(),
                                        QByteArray("[PLAYER]\r\nlasturl=abc\0def\r\n", 27)));
        QCOMPARE(INI_ReadValue("PLAYER", "lasturl"), QString("abc"));
        // Values of any type as text.
        const QList<QPair<QVariant, QString>> values{
            {-20, "-20"},        {QVariant::fromValue<qint16>(100), "100"},
            {true, "1"},         {4500.0f, "4500"},
            {1234.5f, "1234.5"}, {12345678.0f, "1.234568E+07"},
            {-150.0f, "-150"},   {QString("cs"), "cs"}};
        for (const auto& [value, text] : values) {
            QVERIFY(INI_TryWriteValue("PLAYER", "k", value));
            QCOMPARE(INI_ReadValue("PLAYER", "k"), text);
        }
    }

    // Writes keep the comment header and unknown lines. Several keys in one write
    // set each as a single write would; one key that cannot be written leaves the
    // whole file byte for byte as it was (a full disk: the shared file helpers').
    void writesKeepTheRestOfTheFile()
    {
        TemporaryProgramFolder folder;
        QByteArray expected = TestFolders::readBytes(TestFolders::dataFile("settings/windows.ini"));
        QVERIFY(TestFolders::writeBytes(INI_FilePath(), expected));
        QVERIFY(INI_TryWriteValue("PLAYER", "volume", 40));
        QVERIFY(INI_TryWriteValues("DEV", {{"newkey", "x"}, {"other", true}}));
        expected.replace("volume=75\r\n", "volume=40\r\n");
        expected.replace("showerrors=1\r\n", "showerrors=1\r\nnewkey=x\r\nother=1\r\n");
        QCOMPARE(TestFolders::readBytes(INI_FilePath()), expected);
        QVERIFY(!INI_TryWriteValues("PLAYER", {{"volume", 10}, {"bad=key", 1}}));
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
        QVERIFY(!PlayerSettings::Write(Values(), PlayerSettings::ShutDownKeys)); // says so too
        QVERIFY(QDir(INI_FilePath()).isEmpty());
        QVERIFY(QDir(folder.path()).rmdir("skytuner.ini"));

        // A FIFO or a looping link is left as it is, as a folder is.
        const QByteArray encoded = QFile::encodeName(INI_FilePath());
        const char* path = encoded.constData();
        for (const bool fifo : {true, false}) {
            QCOMPARE(fifo ? mkfifo(path, 0600) : symlink(path, path), 0);
            PlayerSettings::CreateIfMissing();
            QVERIFY(!INI_TryWriteValue("PLAYER", "volume", 1));
            QVERIFY(!QFileInfo(INI_FilePath()).isFile());
            QCOMPARE(QDir(folder.path()).entryList(QDir::System | QDir::Files).size(), 1);
            QVERIFY(QFile::remove(INI_FilePath()));
        }

        // A file too large to be a settings file is never replaced by one key.
        QVERIFY(TestFolders::writeBytes(INI_FilePath(), "[PLAYER]\r\nvolume=75\r\n"));
        QVERIFY(QFile::resize(INI_FilePath(), clsFunctionLib::MaxContentBytes + 1)); // sparse
        QCOMPARE(INI_ReadValue("PLAYER", "volume"), QString());
        QVERIFY(!INI_TryWriteValue("PLAYER", "volume", 1));
        QCOMPARE(QFileInfo(INI_FilePath()).size(), clsFunctionLib::MaxContentBytes + 1);

        // A program folder that is gone is not made again by a write.
        qputenv("SKYTUNER_HOME", QFile::encodeName(folder.file("gone/away")));
        QVERIFY(!INI_TryWriteValue("PLAYER", "volume", 1));
        QCOMPARE(INI_ReadValue("PLAYER", "volume"), QString());
        QVERIFY(!QFileInfo::exists(folder.file("gone")));
    }
    // What a save killed half-way left goes at start-up; anything else stays.
    void staleTemporariesGo()
    {
        TemporaryProgramFolder folder;
        const QStringList kept = {"other.ini.Ab12Cd",     "skytuner.ini",
                                  "skytuner.ini.Ab12Cde", "skytuner.ini.Fresh1",
                                  "skytuner.ini.Link12",  "skytuner.ini.bak"};
        for (const QString& name :
             kept + QStringList{"skytuner.ini.Ab12Cd", "skytuner.ini.xY98zW"}) {
            QFile file(folder.file(name));
            QVERIFY(name == "skytuner.ini.Link12" ? QFile::link(INI_FilePath(), file.fileName())
                                                  : file.open(QIODevice::WriteOnly));
            if (name != "skytuner.ini.Fresh1" && file.isOpen())
                QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                         QFileDevice::FileModificationTime));
        }
        PlayerSettings::RemoveStaleTemporaries();
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::System, QDir::Name), kept);
    }

    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // (What counts as a number: the station list's numeric fields, tst_orx.)
    void storeReads_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* lines, const char* expected) {
            QTest::newRow(lines) << QString::fromUtf8(lines) << QString::fromUtf8(expected);
        };
        row("", "");
        row("ontop=1|systray=1|anim=1|autostart=1", "ontop=1 systray=1 anim=1 autostart=1");
        row("ontop=\" 1\"|systray=true|anim=2|autostart=", ""); // on only for exactly "1"
        row("lasturl=http://127.0.0.1:8000/a b|list=/a/č.tlist|fav=f|lang=cs",
            "lasturl=http://127.0.0.1:8000/a b list=/a/č.tlist fav=f lang=cs");
        row("volume=0|balance=100", "volume=0 balance=100");
        row("volume=100|balance=-100", "volume=100 balance=-100");
        row("volume=150|balance=101", "");
        row("volume=-1|balance=-101", "");
        row("left=1500|top=3000|width=7000|height=6000|state=0",
            "left=1500 top=3000 width=7000 height=6000 state=0");
        row("left=-300|top=-15|width=1234.56789|state=2",
            "left=-300 top=-15 width=1234.568 state=2"); // single precision
        row("left=nan|top=inf|width=0|height=-4000|state=3", "");
        row("left=1e40|top=1e7|width=2e6|state=x", "");
        row("state=\" 2\"", "");
        row("showerrors=1", "");
        row("[DEV]|showerrors=1", "showerrors=1");
    }

    void storeReads()
    {
        QFETCH(QString, lines);
        QTEST(changed(parsed(lines)), "expected");
    }

    void numbersInTheUsersNotationOrThePlainOne()
    {
        QLocale::setDefault(QLocale(u"cs_CZ"_s));
        QCOMPARE(changed(parsed("left=1,5|top=2.5|width=1,5x|volume=7,5")),
                 "volume=8 left=1.5 top=2.5");
    }

    // Each group in its order, one write each; place values not set are left out,
    // and what was written reads back.
    void groupsWriteTheirKeysInOrder()
    {
        TemporaryProgramFolder folder;
        PlayerSettings::CreateIfMissing();
        const Values values = parsed(QString::fromUtf8(
            "anim=1|autostart=1|lang=cs|fav=/home/uživatel/oblíbené.tlist|volume=75|balance=-20|"
            "state=2"));
        QVERIFY(PlayerSettings::Write(values, PlayerSettings::SettingsDialogKeys));
        QVERIFY(PlayerSettings::Write(values, PlayerSettings::VolumePopupKeys));
        QVERIFY(PlayerSettings::Write(values, PlayerSettings::WindowPlaceKeys));
        QCOMPARE(TestFolders::readBytes(INI_FilePath()),
                 QByteArray(";Setting file for skyTuner\r\n;****************************\r\n"
                            "[PLAYER]\r\nanim=1\r\nsystray=0\r\nautostart=1\r\nlang=cs\r\n"
                            "fav=/home/u\x9Eivatel/obl\xED"
                            "ben\xE9.tlist\r\n"
                            "volume=75\r\nbalance=-20\r\nstate=2\r\n"));
        QCOMPARE(changed(PlayerSettings::Read()), changed(values));
    }
};

QTEST_MAIN(TestIni)
#include "tst_ini.moc"
