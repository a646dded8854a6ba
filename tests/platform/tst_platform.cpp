// The drawing layer (which pixels DrawEdge, DrawFocusRect and prefix text give),
// sounds, opening addresses and the rounded window region.
#include "TestFolders.h"
#include "platform/GdiEdge.h"
#include "platform/GdiText.h"
#include "platform/OleColor.h"
#include "platform/ShellOpen.h"
#include "platform/WindowRegion.h"
#include "stream/gst/Sound.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QUrl>
#include <QtTest>

namespace {

// Paints on a white image and returns it.
template <typename Paint> QImage paintWhite(QSize size, Paint paint)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter);
    painter.end();
    return image;
}

QRgb sys(quint32 ref)
{
    return OleColor::toColor(ref).rgb();
}

const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void edgeColoursAtCorners_data()
    {
        QTest::addColumn<uint>("edge");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<quint32>("colour");
        const auto row = [](const char* tag, uint edge, int x, int y, quint32 colour) {
            QTest::newRow(tag) << edge << QPoint(x, y) << colour;
        };
        // 10 x 10 at the origin: the outer ring at 0 and 9, the inner at 1 and 8.
        row("sunken outer top-left", Gdi::EDGE_SUNKEN, 0, 0, OleColor::ButtonShadow);
        row("sunken inner top-left", Gdi::EDGE_SUNKEN, 1, 1, OleColor::DarkShadow3D);
        // The far corners of the top and left lines belong to the right and bottom ones.
        row("sunken top-right corner", Gdi::EDGE_SUNKEN, 9, 0, OleColor::Highlight3D);
        row("raised outer", Gdi::EDGE_RAISED, 0, 4, OleColor::Light3D);
        row("raised inner bottom", Gdi::EDGE_RAISED, 4, 8, OleColor::ButtonShadow);
        row("etched", Gdi::EDGE_ETCHED, 0, 4, OleColor::ButtonShadow);
        row("bump inner", Gdi::EDGE_BUMP, 8, 4, OleColor::Light3D);
        // A lone inner border takes the outermost pixels.
        row("raised inner alone", Gdi::BDR_RAISEDINNER, 0, 4, OleColor::Highlight3D);
    }

    void edgeColoursAtCorners()
    {
        QFETCH(uint, edge);
        QFETCH(QPoint, pixel);
        QFETCH(quint32, colour);
        const QImage image = paintWhite(QSize(12, 12), [&](QPainter& p) {
            Gdi::drawEdge(p, QRect(0, 0, 10, 10), edge, Gdi::BF_RECT);
        });
        QCOMPARE(image.pixel(pixel), sys(colour));
        QCOMPARE(image.pixel(4, 4), White); // the middle is left alone
    }

    void monoAndFlatFrames()
    {
        // The default button's black frame and the flat sunken line inside it.
        const QImage image = paintWhite(QSize(10, 10), [](QPainter& p) {
            const QRect inside = Gdi::drawEdge(p, QRect(0, 0, 10, 10), 3,
                                               Gdi::BF_RECT | Gdi::BF_MONO | Gdi::BF_ADJUST);
            Gdi::drawEdge(p, inside, Gdi::BDR_SUNKENOUTER, Gdi::BF_RECT | Gdi::BF_FLAT);
        });
        QCOMPARE(image.pixel(0, 0), Black);
        QCOMPARE(image.pixel(9, 5), Black);
        QCOMPARE(image.pixel(1, 1), sys(OleColor::ButtonShadow));
        QCOMPARE(image.pixel(8, 8), sys(OleColor::ButtonShadow));
        QCOMPARE(image.pixel(2, 2), White);
        // Both outer bits without the flat or mono flag draw nothing.
        const QRect r(2, 3, 20, 10);
        QVERIFY(Gdi::edgeLayout(r, 3, Gdi::BF_RECT).parts.isEmpty());
        // The inner rectangle lies inside the rings drawn.
        QCOMPARE(Gdi::edgeLayout(r, Gdi::EDGE_SUNKEN, Gdi::BF_RECT).inner,
                 r.adjusted(2, 2, -2, -2));
        QCOMPARE(Gdi::edgeLayout(r, Gdi::EDGE_RAISED, Gdi::BF_LEFT | Gdi::BF_TOP).inner,
                 r.adjusted(2, 2, 0, 0));
    }

    void focusRectInvertsEveryOtherPixel()
    {
        const auto focusRect = [](int times) {
            return paintWhite(QSize(8, 6), [&](QPainter& p) {
                for (int i = 0; i < times; ++i)
                    Gdi::drawFocusRect(p, QRect(1, 1, 6, 4));
            });
        };
        const QImage image = focusRect(1);
        for (const QPoint dot : {QPoint(1, 1), QPoint(3, 1), QPoint(1, 3)})
            QCOMPARE(image.pixel(dot), Black);
        // Gaps between the dots, inside and outside are untouched.
        for (const QPoint gap : {QPoint(2, 1), QPoint(1, 2), QPoint(3, 2), QPoint(0, 0)})
            QCOMPARE(image.pixel(gap), White);
        QCOMPARE(focusRect(2).pixel(1, 1), White); // drawn twice, it is gone
        QVERIFY(Gdi::focusRectPixels(QRect(0, 0, 0, 5)).isEmpty());
    }

    void prefixText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("display");
        QTest::addColumn<int>("underline");
        QTest::addColumn<QString>("measured");
        const auto row = [](const char* text, const char* display, int underline,
                            const char* measured) {
            QTest::newRow(text) << QString(text) << QString(display) << underline
                                << QString(measured);
        };
        row("&Otevřít", "Otevřít", 0, "Otevřít");
        row("Ul&ožit", "Uložit", 2, "Uložit");
        row("Tisk && &náhled", "Tisk & náhled", 7, "Tisk & &náhled");
        row("&&&x", "&x", 1, "&&x");
        row("OK&", "OK", -1, "OK");  // a trailing marker is dropped
        row("&a&b", "ab", 0, "a&b"); // the second marker is shown plain
    }

    void prefixText()
    {
        QFETCH(QString, text);
        QFETCH(QString, display);
        QFETCH(int, underline);
        QFETCH(QString, measured);
        const Gdi::PrefixText parsed = Gdi::parsePrefixText(text);
        QCOMPARE(parsed.display, display);
        QCOMPARE(parsed.underline, underline);
        QCOMPARE(Gdi::withoutFirstAmpersand(text), measured);
        // The underlined character is the access key of both buttons.
        const std::optional<QChar> key = Gdi::underlinedCharacter(text);
        QCOMPARE(key ? QString(*key) : QString(), display.mid(underline, underline < 0 ? 0 : 1));
    }

    void prefixTextUnderlinesAndEmbosses()
    {
        const auto text = [](const char* text, uint flags) {
            return paintWhite(QSize(60, 24), [&](QPainter& p) {
                QFont font(QStringLiteral("DejaVu Sans"));
                font.setPixelSize(14);
                p.setFont(font);
                Gdi::drawStatePrefixText(p, QPoint(2, 2), QString(text), Qt::black, flags);
            });
        };
        // The underline of the marked character adds pixels; the rest is equal.
        QVERIFY(text("&__", 0) != text("__", 0));
        const QImage disabled = text("Hm", Gdi::DSS_DISABLED);
        bool shadow = false;
        bool callerColour = false;
        for (int y = 0; y < disabled.height(); ++y) {
            for (int x = 0; x < disabled.width(); ++x) {
                shadow |= disabled.pixel(x, y) == sys(OleColor::ButtonShadow);
                callerColour |= disabled.pixel(x, y) == Black;
            }
        }
        QVERIFY(shadow);
        QVERIFY(!callerColour); // the caller's colour is not used for the disabled look
    }

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

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
