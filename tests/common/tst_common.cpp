// The shared helpers: Windows-1250 both ways (no byte ever lost), file checks,
// text file encodings, saving, error texts. (Decibel texts: the volume display's
// tests.)
#include "FileSizeLimit.h"
#include "TestFolders.h"
#include "common/AnsiCodePage.h"
#include "common/ModuleError.h"
#include "common/TextFileEncoding.h"
#include "common/clsFunctionLib.h"
#include "common/modGlobal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestCommon : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    const clsFunctionLib fnc{};

    QString path(const QString& name) const { return m_dir->filePath(name); }

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void cleanup()
    {
        QLocale::setDefault(QLocale::c());
        modGlobal::ResetGlobalState();
    }

    // Every byte decodes to one character and encodes back to itself, and the
    // Czech letters are Windows-1250's (not Windows-1252's, which also has 0x80).
    void everyByteSurvivesARoundTrip()
    {
        const QByteArray czech("P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2");
        QCOMPARE(AnsiCodePage::decode(czech), QString::fromUtf8("Příliš žluťoučký kůň"));
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

    // Only normal files count (no hidden ones, no folders); wildcards in the name.
    void existence()
    {
        for (const char* file : {"list.tlist", ".hidden.tlist", ".only.hid", "radio1.orx"})
            QVERIFY(QFile(path(file)).open(QIODevice::WriteOnly));
        QVERIFY(QDir(m_dir->path()).mkdir("folder.tlist") && QDir(m_dir->path()).mkdir("empty"));
        // name, FNC_FileExist, FNC_FolderExist ("-": an empty path)
        for (const char* row : {"list.tlist 1 0", ".hidden.tlist 0 0", "folder.tlist 0 1",
                                "missing.tlist 0 0", "empty/* 0 0", "*.hid 0 0", "*.orx 1 0",
                                "radio?.orx 1 0", "radio??.orx 0 0", "- 0 0"}) {
            const QStringList f = QString(row).split(u' ');
            const QString full = f[0] == "-" ? QString() : path(f[0]);
            QVERIFY2(fnc.FNC_FileExist(full) == (f[1] == "1"), row);
            QVERIFY2(fnc.FNC_FolderExist(full) == (f[2] == "1"), row);
        }
    }

    // Valid UTF-8 with a non-ASCII byte reads as UTF-8, anything else as
    // Windows-1250; saving over the file keeps its encoding, without a BOM.
    void textFilesKeepTheirEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("saved"); // before the final CR LF
        const QByteArray utf8(
            "P\xC5\x99\xC3\xADli\xC5\xA1\r\n\xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD "
            "k\xC5\xAF\xC5\x88");
        const QByteArray cp1250("P\xF8\xED\x6C\x69\x9A\r\n\x9Elu\x9Dou\xE8k\xFD k\xF9\xF2");
        const QString czech = QString::fromUtf8("Příliš\r\nžluťoučký kůň");
        QTest::newRow("UTF-8") << utf8 << czech << utf8;
        QTest::newRow("UTF-8 with BOM") << "\xEF\xBB\xBF" + utf8 << czech << utf8;
        QTest::newRow("Windows-1250") << cp1250 << czech << cp1250;
        const QByteArray mixed("\xE8 \xC5\x99"); // Windows-1250 "č", UTF-8 "ř"
        QTest::newRow("one byte not UTF-8") << mixed << QString::fromUtf8("č Ĺ™") << mixed;
        QTest::newRow("sequence cut by the end")
            << QByteArray("k\xC5") << QString::fromUtf8("kĹ") << QByteArray("k\xC5");
    }

    void textFilesKeepTheirEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QByteArray, saved);
        const QString file = path("file.txt");
        QVERIFY(TestFolders::writeBytes(file, bytes));
        QCOMPARE(fnc.FNC_GetFileContent(file), text);
        QCOMPARE(fnc.FNC_GetFileHead(file, 5, 1000), text);
        QVERIFY(fnc.FNC_SaveDataContent(text, file));
        QCOMPARE(TestFolders::readBytes(file), saved + "\r\n");
    }

    // Rather than lose a character, a new file is written as UTF-8.
    void savesUtf8WhatWindows1250CannotHold()
    {
        QVERIFY(fnc.FNC_SaveDataContent(QString::fromUtf8("kůň"), path("new.txt")));
        QCOMPARE(TestFolders::readBytes(path("new.txt")), QByteArray("k\xF9\xF2\r\n"));
        const QString folder = QString::fromUtf8("/home/Папка/ñ/kůň");
        QVERIFY(fnc.FNC_SaveDataContent(folder, path("new.txt")));
        QCOMPARE(TestFolders::readBytes(path("new.txt")), folder.toUtf8() + "\r\n");
        QCOMPARE(fnc.FNC_GetFileContent(path("new.txt")), folder + "\r\n");
        // The old file's UTF-8 shows only in a sequence across a 64 KiB piece.
        QVERIFY(TestFolders::writeBytes(path("old.txt"), QByteArray(65535, 'a') + "\xC5\x99"));
        QVERIFY(fnc.FNC_SaveDataContent(QString::fromUtf8("ř"), path("old.txt")));
        QCOMPARE(TestFolders::readBytes(path("old.txt")), QByteArray("\xC5\x99\r\n"));
        QVERIFY(fnc.FNC_SaveDataContent(QStringLiteral("x"), QString()));
    }

    void failedSaveKeepsTheOldFile()
    {
        QVERIFY(TestFolders::writeBytes(path("keep.txt"), "old content"));
        {
            const FileSizeLimit limit(1024); // a full disk
            QVERIFY(!fnc.FNC_SaveDataContent(QString(5000, u'x'), path("keep.txt")));
        }
        QCOMPARE(TestFolders::readBytes(path("keep.txt")), QByteArray("old content"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"keep.txt"});
        QVERIFY(!fnc.FNC_SaveDataContent("x", path("keep.txt/below")));
        QVERIFY(!fnc.FNC_SaveDataContent("x", m_dir->path()));
    }

    void fileHeadReadsOnlyWhatItNeeds()
    {
        const QString file = path("lines.txt");
        QVERIFY(TestFolders::writeBytes(file, "one\r\ntwo\nthree\r\nfour"));
        QCOMPARE(fnc.FNC_GetFileHead(file, 2, 1000), QString("one\r\ntwo\n"));
        QCOMPARE(fnc.FNC_GetFileHead(file, 10, 1000), QString("one\r\ntwo\nthree\r\nfour"));
        // The byte limit cuts "three": it is left out, not read in half.
        QCOMPARE(fnc.FNC_GetFileHead(file, 10, 12), QString("one\r\ntwo\n"));
        QCOMPARE(fnc.FNC_GetFileHead(file, 10, 3), QString());
        // A limit inside a UTF-8 sequence drops its line; the rest stays UTF-8.
        QVERIFY(TestFolders::writeBytes(file, "\xC5\x99\n\xC5\x99"));
        QCOMPARE(fnc.FNC_GetFileHead(file, 10, 4), QString::fromUtf8("ř\n"));
        QCOMPARE(fnc.FNC_GetFileHead(file, 0, 1000), QString());
        QCOMPARE(fnc.FNC_GetFileHead(path("missing"), 5, 1000), QString());
        QCOMPARE(fnc.FNC_GetFileHead(QStringLiteral("/dev/zero"), 5, 1000), QString());
        // A chunk boundary inside the lines: 100,000 short lines, only 3 taken.
        QVERIFY(TestFolders::writeBytes(file, QByteArray(100000, '\n')));
        QCOMPARE(fnc.FNC_GetFileHead(file, 3, 1 << 20), QString("\n\n\n"));
    }

    void fileTextTellsFailureFromEmpty()
    {
        QVERIFY(TestFolders::writeBytes(path("empty.txt"), ""));
        QCOMPARE(fnc.FNC_ReadFileText(path("empty.txt")), std::optional<QString>(QString()));
        QCOMPARE(fnc.FNC_ReadFileText(path("missing")), std::nullopt);
        QVERIFY(TestFolders::writeBytes(path("five.txt"), "12345"));
        QCOMPARE(fnc.FNC_ReadFileText(path("five.txt"), 4), std::nullopt); // over the limit
        QCOMPARE(fnc.FNC_ReadFileText(path("five.txt"), 5), std::optional<QString>("12345"));
        // Files that report no size are still read only up to the limit.
        QVERIFY(fnc.FNC_GetFileContent(QStringLiteral("/proc/self/status")).contains("VmRSS"));
        QCOMPARE(fnc.FNC_ReadFileText(QStringLiteral("/proc/self/status"), 10), std::nullopt);
    }

    void moduleErrorOnlyWhileShowErrorsIsOn()
    {
        QStringList shown;
        ModuleError::setPresenter([&](const QString& text) { shown << text; });
        QVERIFY(!ModuleError::report("modTLIST", "TLIST_LoadFile", 5, "x"));
        QVERIFY(shown.isEmpty());
        modGlobal::ShowErrorsFlag = true;
        QVERIFY(ModuleError::report("modTLIST", "TLIST_LoadFile", 5, "x"));
        QCOMPARE(shown, QStringList{ModuleError::text("modTLIST", "TLIST_LoadFile", 5, "x")});
        ModuleError::setPresenter({});
    }
};

QTEST_GUILESS_MAIN(TestCommon)
#include "tst_common.moc"
