// The settings store: what each key of skytuner.ini reads as (defaults, checks),
// and what the groups of keys write, through the real file.
#include "TestFolders.h"
#include "settings/PlayerSettings.h"
#include "settings/modINI.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using PlayerSettings::Key;
using PlayerSettings::Values;

namespace {

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

class TestPlayerSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void reads_data()
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
        row("volume=75|balance=-100", "volume=75 balance=-100");
        row("volume=0|balance=100", "volume=0 balance=100");
        row("volume=100|balance=-20", "volume=100 balance=-20");
        row("volume=150|balance=101", "");
        row("volume=-1|balance=-101", "");
        row("volume=abc|balance=x", "");
        row("volume=7.5|balance=1e1", "volume=8 balance=10"); // halves to the even neighbour
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

    void reads()
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

    void aFailedWriteSaysSo()
    {
        TemporaryProgramFolder folder;
        QVERIFY(QDir(folder.path()).mkdir("skytuner.ini"));
        QVERIFY(!PlayerSettings::Write(Values(), PlayerSettings::ShutDownKeys));
    }
};

QTEST_GUILESS_MAIN(TestPlayerSettings)
#include "tst_playersettings.moc"
