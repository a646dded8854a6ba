// Sounds, opening addresses and the rounded window region.
#include "TestFolders.h"
#include "platform/ShellOpen.h"
#include "platform/WindowRegion.h"
#include "stream/gst/Sound.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QUrl>
#include <QtTest>

// Receives the addresses QDesktopServices hands to the registered schemes.
class AddressCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }
};

class TestPlatformServices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void relativeSoundPathsResolveAgainstTheProgramFolder()
    {
        TemporaryProgramFolder folder;
        QStringList played;
        const Sound::Handler previous =
            Sound::setHandler([&](const QString& file) { played.append(file); });
        QVERIFY(!Sound::play(QStringLiteral(".\\resources\\over.wav"))); // not there yet
        QVERIFY(!Sound::play(QString()));
        QVERIFY(played.isEmpty());
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("resources")));
        const QString wav = folder.file(QStringLiteral("resources/over.wav"));
        QVERIFY(QFile::copy(QStringLiteral(SKYTUNER_SOURCE_DIR "/src/resources/over.wav"), wav));
        QVERIFY(Sound::play(QStringLiteral(".\\resources\\over.wav")));
        Sound::setHandler(previous);
        QCOMPARE(played.size(), 1);
        QCOMPARE(QFileInfo(played.first()).canonicalFilePath(), QFileInfo(wav).canonicalFilePath());
        QVERIFY(!Sound::play(QStringLiteral("resources/none.wav")));
        QCOMPARE(Sound::playingCount(), 0);
    }

    void soundsPlayToTheEndAndAreReleased()
    {
        // The build copies both sounds beside the program.
        for (const char* name : {"over.wav", "click.wav"}) {
            const QString file =
                QStringLiteral(SKYTUNER_BINARY_DIR "/resources/") + QLatin1String(name);
            QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
            QVERIFY(Sound::play(file));
        }
        QVERIFY(Sound::playingCount() >= 1);
        // A broken file may fail at once or report an error later: released either way.
        TemporaryProgramFolder folder;
        const QString broken = folder.file(QStringLiteral("broken.wav"));
        QVERIFY(TestFolders::writeBytes(broken, QByteArray("RIFF\x10\0\0\0WAVEjunkjunk", 20)));
        Sound::play(broken);
        QTRY_COMPARE_WITH_TIMEOUT(Sound::playingCount(), 0, 5000);
    }

    void addressesGoToTheirHandlers()
    {
        AddressCatcher catcher;
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &catcher, "open");
        QVERIFY(ShellOpen::openAddress(QStringLiteral("mailto:info@example.cz")));
        QVERIFY(ShellOpen::openAddress(QStringLiteral("https://example.cz/radio")));
        QVERIFY(ShellOpen::openAddress(QStringLiteral("www.example.cz")));
        QVERIFY(!ShellOpen::openAddress(QString()));
        QVERIFY(!ShellOpen::openAddress(QStringLiteral("  ")));
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
        QCOMPARE(catcher.opened,
                 (QList<QUrl>{QUrl("mailto:info@example.cz"), QUrl("https://example.cz/radio"),
                              QUrl("http://www.example.cz")}));
    }

    void roundedCornersCutThreePixelsEach()
    {
        const QSize size(20, 10);
        const QRegion region = WindowRegion::roundedCorners(size);
        int pixels = 0;
        for (const QRect& r : region)
            pixels += r.width() * r.height();
        QCOMPARE(pixels, 20 * 10 - 4 * 3); // so every pixel not listed below is kept
        for (const QPoint& cut : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(19, 0),
                                  QPoint(18, 0), QPoint(19, 1), QPoint(0, 9), QPoint(1, 9),
                                  QPoint(0, 8), QPoint(19, 9), QPoint(18, 9), QPoint(19, 8)})
            QVERIFY2(!region.contains(cut),
                     qPrintable(QStringLiteral("%1,%2").arg(cut.x()).arg(cut.y())));
    }
};

QTEST_MAIN(TestPlatformServices)
#include "tst_platformservices.moc"
