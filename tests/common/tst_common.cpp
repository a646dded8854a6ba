// The shared helpers: decibel texts, file checks, saving, paths, error texts.
#include "FileSizeLimit.h"
#include "TestFolders.h"
#include "common/ModuleError.h"
#include "common/clsFunctionLib.h"
#include "common/modGlobal.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class TestCommon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        QLocale::setDefault(QLocale::c());
        modGlobal::ResetGlobalState();
    }

    void decibelText_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("volume");
        QTest::addColumn<QString>("expected");
        QTest::newRow("en 100") << "en_GB" << 100 << "0.00";
        QTest::newRow("en 50") << "en_GB" << 50 << "-10.00";
        QTest::newRow("en 25") << "en_GB" << 25 << "-20.00";
        QTest::newRow("en 10") << "en_GB" << 10 << "-33.21";
        QTest::newRow("en 1") << "en_GB" << 1 << "-66.43";
        QTest::newRow("en 0") << "en_GB" << 0 << "-100.00";
        QTest::newRow("cs 50") << "cs_CZ" << 50 << "-10,00";
        QTest::newRow("cs 1") << "cs_CZ" << 1 << "-66,43";
        QTest::newRow("cs 0") << "cs_CZ" << 0 << "-100,00";
    }

    void decibelText()
    {
        QFETCH(QString, locale);
        QFETCH(int, volume);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(modGlobal::VolumeToDecibelText(volume), expected);
    }

    void fileExistCountsOnlyNormalFiles()
    {
        QTemporaryDir dir;
        const clsFunctionLib fnc;
        QVERIFY(QFile(dir.filePath("list.tlist")).open(QIODevice::WriteOnly));
        QVERIFY(QFile(dir.filePath(".hidden.tlist")).open(QIODevice::WriteOnly));
        QVERIFY(QDir(dir.path()).mkdir("folder.tlist"));

        QVERIFY(fnc.FNC_FileExist(dir.filePath("list.tlist")));
        QVERIFY(!fnc.FNC_FileExist(dir.filePath(".hidden.tlist")));
        QVERIFY(!fnc.FNC_FileExist(dir.filePath("folder.tlist")));
        QVERIFY(!fnc.FNC_FileExist(dir.filePath("missing.tlist")));
        QVERIFY(!fnc.FNC_FileExist(QString()));
        QVERIFY(modGlobal::FileExists(dir.filePath("list.tlist")));
    }

    void fileExistMatchesWildcards()
    {
        QTemporaryDir dir;
        const clsFunctionLib fnc;
        QVERIFY(fnc.FNC_FileExist(dir.filePath("*")) == false);
        QVERIFY(QFile(dir.filePath(".only-hidden.orx")).open(QIODevice::WriteOnly));
        QVERIFY(!fnc.FNC_FileExist(dir.filePath("*.orx")));
        QVERIFY(QFile(dir.filePath("radio1.orx")).open(QIODevice::WriteOnly));
        QVERIFY(fnc.FNC_FileExist(dir.filePath("*.orx")));
        QVERIFY(fnc.FNC_FileExist(dir.filePath("radio?.orx")));
        QVERIFY(!fnc.FNC_FileExist(dir.filePath("radio??.orx")));
    }

    void folderExist()
    {
        QTemporaryDir dir;
        const clsFunctionLib fnc;
        QVERIFY(fnc.FNC_FolderExist(dir.path()));
        QVERIFY(!fnc.FNC_FolderExist(dir.filePath("nope")));
        QVERIFY(!fnc.FNC_FolderExist(QString()));
        QVERIFY(QFile(dir.filePath("file")).open(QIODevice::WriteOnly));
        QVERIFY(!fnc.FNC_FolderExist(dir.filePath("file")));
    }

    void saveAndReadBackWindows1250()
    {
        QTemporaryDir dir;
        const clsFunctionLib fnc;
        const QString path = dir.filePath("out.txt");
        const QString text = QString::fromUtf8("Příliš\r\nžluťoučký kůň");
        QVERIFY(fnc.FNC_SaveDataContent(text, path));
        QCOMPARE(TestFolders::readBytes(path),
                 QByteArray("P\xF8\xED\x6C\x69\x9A\r\n\x9Elu\x9Dou\xE8k\xFD k\xF9\xF2\r\n"));
        QCOMPARE(fnc.FNC_GetFileContent(path), text + "\r\n");
        QVERIFY(fnc.FNC_SaveDataContent(QStringLiteral("x"), QString()));
        QVERIFY(fnc.FNC_GetFileContent(dir.filePath("missing")).isEmpty());
        QVERIFY(fnc.FNC_GetFileContent(dir.path()).isEmpty());
    }

    void failedSaveKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const clsFunctionLib fnc;
        const QString path = dir.filePath("keep.txt");
        QVERIFY(TestFolders::writeBytes(path, "old content"));
        bool saved = true;
        {
            const FileSizeLimit limit(1024); // a full disk
            saved = fnc.FNC_SaveDataContent(QString(5000, u'x'), path);
        }
        QVERIFY(!saved);
        QCOMPARE(TestFolders::readBytes(path), QByteArray("old content"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"keep.txt"}));
        QVERIFY(!fnc.FNC_SaveDataContent("x", dir.filePath("keep.txt/below")));
        QVERIFY(!fnc.FNC_SaveDataContent("x", dir.path()));
    }

    void readOnlyFolderKeepsTheOldFile()
    {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders; the full-disk case covers root");
        QTemporaryDir dir;
        const clsFunctionLib fnc;
        const QString path = dir.filePath("keep.txt");
        QVERIFY(TestFolders::writeBytes(path, "old content"));
        QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), 0555) == 0);
        const bool saved = fnc.FNC_SaveDataContent(QStringLiteral("new"), path);
        chmod(QFile::encodeName(dir.path()).constData(), 0755);
        QVERIFY(!saved);
        QCOMPARE(TestFolders::readBytes(path), QByteArray("old content"));
    }

    void fileHeadReadsOnlyWhatItNeeds()
    {
        QTemporaryDir dir;
        const clsFunctionLib fnc;
        const QString path = dir.filePath("lines.txt");
        QVERIFY(TestFolders::writeBytes(path, "one\r\ntwo\nthree\r\nfour"));
        QCOMPARE(fnc.FNC_GetFileHead(path, 2, 1000), QString("one\r\ntwo\n"));
        QCOMPARE(fnc.FNC_GetFileHead(path, 10, 1000), QString("one\r\ntwo\nthree\r\nfour"));
        // The byte limit cuts "three": it is left out, not read in half.
        QCOMPARE(fnc.FNC_GetFileHead(path, 10, 12), QString("one\r\ntwo\n"));
        QCOMPARE(fnc.FNC_GetFileHead(path, 10, 3), QString());
        QCOMPARE(fnc.FNC_GetFileHead(path, 0, 1000), QString());
        QCOMPARE(fnc.FNC_GetFileHead(dir.filePath("missing"), 5, 1000), QString());
        QCOMPARE(fnc.FNC_GetFileHead(QStringLiteral("/dev/zero"), 5, 1000), QString());
        // A chunk boundary inside the lines: 100,000 short lines, only 3 taken.
        QVERIFY(TestFolders::writeBytes(path, QByteArray(100000, '\n')));
        QCOMPARE(fnc.FNC_GetFileHead(path, 3, 1 << 20), QString("\n\n\n"));
    }

    void fileTextTellsFailureFromEmpty()
    {
        QTemporaryDir dir;
        const clsFunctionLib fnc;
        const QString path = dir.filePath("empty.txt");
        QVERIFY(TestFolders::writeBytes(path, ""));
        QCOMPARE(fnc.FNC_ReadFileText(path), std::optional<QString>(QString()));
        QCOMPARE(fnc.FNC_ReadFileText(dir.filePath("missing")), std::nullopt);
        QCOMPARE(fnc.FNC_ReadFileText(dir.path()), std::nullopt);
        QVERIFY(TestFolders::writeBytes(path, "12345"));
        QCOMPARE(fnc.FNC_ReadFileText(path, 4), std::nullopt); // over the limit
        QCOMPARE(fnc.FNC_ReadFileText(path, 5), std::optional<QString>("12345"));
        // Files that report no size are still read only up to the limit.
        QVERIFY(fnc.FNC_GetFileContent(QStringLiteral("/proc/self/status")).contains("VmRSS"));
        QCOMPARE(fnc.FNC_ReadFileText(QStringLiteral("/proc/self/status"), 10), std::nullopt);
    }

    void pathSlashes_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        for (const char* row :
             {"|", "/home/a|/home/a/", "/home/a/|/home/a/", "C:\\data\\|C:\\data\\"}) {
            const QStringList pair = QString(row).split(u'|');
            QTest::newRow(row) << pair[0] << pair[1];
        }
    }

    void pathSlashes()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(clsFunctionLib().FNC_AddPathSlashes(path), expected);
        QCOMPARE(modGlobal::AddPathSlash(path), expected);
    }

    void moduleErrorOnlyWhileShowErrorsIsOn()
    {
        QCOMPARE(ModuleError::text("modTLIST", "TLIST_ConvertORX", 53, "File not found"),
                 QString("Module: modTLIST.TLIST_ConvertORX\rError no.: 53\r"
                         "Error desc.: File not found"));
        int shown = 0;
        QString seen;
        MessageBox::setHandler([&](const MessageBox::Request& request) {
            ++shown;
            seen = request.title;
            return QMessageBox::Ok;
        });
        QVERIFY(!ModuleError::report("modTLIST", "TLIST_LoadFile", 5, "x"));
        QCOMPARE(shown, 0);
        modGlobal::ShowErrorsFlag = true;
        QVERIFY(ModuleError::report("modTLIST", "TLIST_LoadFile", 5, "x"));
        QCOMPARE(shown, 1);
        QCOMPARE(seen, QString("skyTuner"));
        MessageBox::setHandler({});
    }
};

QTEST_MAIN(TestCommon)
#include "tst_common.moc"
