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

class TestPlatformServices : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    // Receives the addresses QDesktopServices hands to the registered schemes.
    void open(const QUrl& url) { m_opened.append(url); }

private:
    QList<QUrl> m_opened;

private Q_SLOTS:
    // The build copies the sounds beside the program; a relative path resolves
    // against the program folder; a broken file may fail at once or report an
    // error later: every sound is released once it ends.
    void soundsPlayToTheEndAndAreReleased()
    {
        TemporaryProgramFolder folder;
        QVERIFY(!Sound::play(".\\resources\\over.wav")); // not there yet
        QVERIFY(!Sound::play(QString()));
        QVERIFY(QDir(folder.path()).mkpath("resources"));
        QVERIFY(QFile::copy(SKYTUNER_BINARY_DIR "/resources/over.wav",
                            folder.file("resources/over.wav")));
        QVERIFY(Sound::play(".\\resources\\over.wav"));
        QVERIFY(Sound::play(SKYTUNER_BINARY_DIR "/resources/click.wav"));
        QVERIFY(Sound::playingCount() >= 1);
        const QString broken = folder.file("broken.wav");
        QVERIFY(TestFolders::writeBytes(broken, QByteArray("RIFF\x10\0\0\0WAVEjunkjunk", 20)));
        Sound::play(broken);
        QTRY_COMPARE_WITH_TIMEOUT(Sound::playingCount(), 0, 5000);
    }

    void addressesGoToTheirHandlers()
    {
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
        QVERIFY(ShellOpen::openAddress("mailto:info@example.cz"));
        QVERIFY(ShellOpen::openAddress("https://example.cz/radio"));
        QVERIFY(ShellOpen::openAddress("www.example.cz"));
        QVERIFY(!ShellOpen::openAddress(QString()));
        QVERIFY(!ShellOpen::openAddress("  "));
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::unsetUrlHandler(scheme);
        QCOMPARE(m_opened,
                 (QList<QUrl>{QUrl("mailto:info@example.cz"), QUrl("https://example.cz/radio"),
                              QUrl("http://www.example.cz")}));
    }

    void roundedCornersCutThreePixelsEach()
    {
        const QRegion region = WindowRegion::roundedCorners(QSize(20, 10));
        int pixels = 0;
        for (const QRect& r : region)
            pixels += r.width() * r.height();
        QCOMPARE(pixels, 20 * 10 - 4 * 3); // so every pixel not listed below is kept
        for (const QPoint& cut : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(19, 0),
                                  QPoint(18, 0), QPoint(19, 1), QPoint(0, 9), QPoint(1, 9),
                                  QPoint(0, 8), QPoint(19, 9), QPoint(18, 9), QPoint(19, 8)})
            QVERIFY(!region.contains(cut));
    }
};

QTEST_MAIN(TestPlatformServices)
#include "tst_platformservices.moc"
