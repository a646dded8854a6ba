// The shared helpers: decibel texts, file checks, saving, paths, error texts.
#include "FileSizeLimit.h"
#include "TestFolders.h"
#include "common/ModuleError.h"
#include "common/clsFunctionLib.h"
#include "common/modGlobal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

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

    void decibelText()
    {
        for (const char* row : {"en_GB 100 0.00", "en_GB 50 -10.00", "en_GB 25 -20.00",
                                "en_GB 10 -33.21", "en_GB 1 -66.43", "en_GB 0 -100.00",
                                "cs_CZ 50 -10,00", "cs_CZ 1 -66,43", "cs_CZ 0 -100,00"}) {
            const QStringList f = QString(row).split(u' ');
            QLocale::setDefault(QLocale(f[0]));
            QCOMPARE(modGlobal::VolumeToDecibelText(f[1].toInt()), f[2]);
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
            QVERIFY2(modGlobal::FileExists(full) == (f[1] == "1"), row);
            QVERIFY2(fnc.FNC_FolderExist(full) == (f[2] == "1"), row);
        }
    }

    void saveAndReadBackWindows1250()
    {
        const QString text = QString::fromUtf8("Příliš\r\nžluťoučký kůň");
        QVERIFY(fnc.FNC_SaveDataContent(text, path("out.txt")));
        QCOMPARE(TestFolders::readBytes(path("out.txt")),
                 QByteArray("P\xF8\xED\x6C\x69\x9A\r\n\x9Elu\x9Dou\xE8k\xFD k\xF9\xF2\r\n"));
        QCOMPARE(fnc.FNC_GetFileContent(path("out.txt")), text + "\r\n");
        QVERIFY(fnc.FNC_SaveDataContent(QStringLiteral("x"), QString()));
        QVERIFY(fnc.FNC_GetFileContent(path("missing")).isEmpty());
        QVERIFY(fnc.FNC_GetFileContent(m_dir->path()).isEmpty());
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
        if (geteuid() == 0)
            return; // root writes into read-only folders
        QVERIFY(chmod(QFile::encodeName(m_dir->path()).constData(), 0555) == 0);
        const bool saved = fnc.FNC_SaveDataContent(QStringLiteral("new"), path("keep.txt"));
        chmod(QFile::encodeName(m_dir->path()).constData(), 0755);
        QVERIFY(!saved);
        QCOMPARE(TestFolders::readBytes(path("keep.txt")), QByteArray("old content"));
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
        QCOMPARE(fnc.FNC_ReadFileText(m_dir->path()), std::nullopt);
        QVERIFY(TestFolders::writeBytes(path("five.txt"), "12345"));
        QCOMPARE(fnc.FNC_ReadFileText(path("five.txt"), 4), std::nullopt); // over the limit
        QCOMPARE(fnc.FNC_ReadFileText(path("five.txt"), 5), std::optional<QString>("12345"));
        // Files that report no size are still read only up to the limit.
        QVERIFY(fnc.FNC_GetFileContent(QStringLiteral("/proc/self/status")).contains("VmRSS"));
        QCOMPARE(fnc.FNC_ReadFileText(QStringLiteral("/proc/self/status"), 10), std::nullopt);
    }

    void pathSlashes()
    {
        for (const char* row :
             {"|", "/home/a|/home/a/", "/home/a/|/home/a/", "C:\\data\\|C:\\data\\"}) {
            const QStringList pair = QString(row).split(u'|');
            QCOMPARE(fnc.FNC_AddPathSlashes(pair[0]), pair[1]);
            QCOMPARE(modGlobal::AddPathSlash(pair[0]), pair[1]);
        }
    }

    void moduleErrorOnlyWhileShowErrorsIsOn()
    {
        QCOMPARE(ModuleError::text("modTLIST", "TLIST_ConvertORX", 53, "File not found"),
                 QString("Module: modTLIST.TLIST_ConvertORX\rError no.: 53\r"
                         "Error desc.: File not found"));
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
