// The drawing layer: which pixels DrawEdge, DrawFocusRect and prefix text give.
#include "platform/GdiEdge.h"
#include "platform/GdiText.h"
#include "platform/OleColor.h"

#include <QImage>
#include <QPainter>
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

QRgb white()
{
    return qRgb(255, 255, 255);
}

QRgb black()
{
    return qRgb(0, 0, 0);
}

} // namespace

class TestGdi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void edgeColoursAtCorners_data()
    {
        QTest::addColumn<uint>("edge");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<quint32>("colour");
        // 10 x 10 at the origin: the outer ring at 0 and 9, the inner at 1 and 8.
        QTest::newRow("sunken outer top-left")
            << uint(Gdi::EDGE_SUNKEN) << QPoint(0, 0) << OleColor::ButtonShadow;
        QTest::newRow("sunken inner top-left")
            << uint(Gdi::EDGE_SUNKEN) << QPoint(1, 1) << OleColor::DarkShadow3D;
        QTest::newRow("sunken outer bottom-right")
            << uint(Gdi::EDGE_SUNKEN) << QPoint(9, 9) << OleColor::Highlight3D;
        QTest::newRow("sunken inner bottom-right")
            << uint(Gdi::EDGE_SUNKEN) << QPoint(8, 8) << OleColor::Light3D;
        // The far corners of the top and left lines belong to the right and bottom ones.
        QTest::newRow("sunken top-right corner")
            << uint(Gdi::EDGE_SUNKEN) << QPoint(9, 0) << OleColor::Highlight3D;
        QTest::newRow("sunken bottom-left corner")
            << uint(Gdi::EDGE_SUNKEN) << QPoint(0, 9) << OleColor::Highlight3D;
        QTest::newRow("raised outer")
            << uint(Gdi::EDGE_RAISED) << QPoint(0, 4) << OleColor::Light3D;
        QTest::newRow("raised inner")
            << uint(Gdi::EDGE_RAISED) << QPoint(1, 4) << OleColor::Highlight3D;
        QTest::newRow("raised outer bottom")
            << uint(Gdi::EDGE_RAISED) << QPoint(4, 9) << OleColor::DarkShadow3D;
        QTest::newRow("raised inner bottom")
            << uint(Gdi::EDGE_RAISED) << QPoint(4, 8) << OleColor::ButtonShadow;
        QTest::newRow("etched") << uint(Gdi::EDGE_ETCHED) << QPoint(0, 4) << OleColor::ButtonShadow;
        QTest::newRow("etched inner")
            << uint(Gdi::EDGE_ETCHED) << QPoint(1, 4) << OleColor::Highlight3D;
        QTest::newRow("bump inner") << uint(Gdi::EDGE_BUMP) << QPoint(8, 4) << OleColor::Light3D;
        // A lone inner border takes the outermost pixels.
        QTest::newRow("raised inner alone")
            << uint(Gdi::BDR_RAISEDINNER) << QPoint(0, 4) << OleColor::Highlight3D;
        QTest::newRow("sunken outer alone")
            << uint(Gdi::BDR_SUNKENOUTER) << QPoint(9, 4) << OleColor::Highlight3D;
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
        QCOMPARE(image.pixel(4, 4), white()); // the middle is left alone
    }

    void adjustGivesTheInnerRectangle_data()
    {
        QTest::addColumn<uint>("edge");
        QTest::addColumn<uint>("flags");
        QTest::addColumn<QRect>("inner");
        const QRect r(2, 3, 20, 10);
        QTest::newRow("two rings")
            << uint(Gdi::EDGE_SUNKEN) << uint(Gdi::BF_RECT) << r.adjusted(2, 2, -2, -2);
        QTest::newRow("one ring") << uint(Gdi::BDR_RAISEDINNER) << uint(Gdi::BF_RECT)
                                  << r.adjusted(1, 1, -1, -1);
        QTest::newRow("mono frame")
            << 3u << uint(Gdi::BF_RECT | Gdi::BF_MONO | Gdi::BF_ADJUST) << r.adjusted(1, 1, -1, -1);
        QTest::newRow("no edge") << 0u << uint(Gdi::BF_RECT) << r;
        QTest::newRow("left and top only")
            << uint(Gdi::EDGE_RAISED) << uint(Gdi::BF_LEFT | Gdi::BF_TOP) << r.adjusted(2, 2, 0, 0);
    }

    void adjustGivesTheInnerRectangle()
    {
        QFETCH(uint, edge);
        QFETCH(uint, flags);
        QFETCH(QRect, inner);
        QCOMPARE(Gdi::edgeLayout(QRect(2, 3, 20, 10), edge, flags).inner, inner);
    }

    void monoAndFlatFrames()
    {
        // The default button's black frame and the flat sunken line inside it.
        const QImage image = paintWhite(QSize(10, 10), [](QPainter& p) {
            const QRect inside = Gdi::drawEdge(p, QRect(0, 0, 10, 10), 3,
                                               Gdi::BF_RECT | Gdi::BF_MONO | Gdi::BF_ADJUST);
            Gdi::drawEdge(p, inside, Gdi::BDR_SUNKENOUTER, Gdi::BF_RECT | Gdi::BF_FLAT);
        });
        QCOMPARE(image.pixel(0, 0), black());
        QCOMPARE(image.pixel(9, 5), black());
        QCOMPARE(image.pixel(1, 1), sys(OleColor::ButtonShadow));
        QCOMPARE(image.pixel(8, 8), sys(OleColor::ButtonShadow));
        QCOMPARE(image.pixel(2, 2), white());
        // Both outer bits without the flat or mono flag draw nothing.
        QVERIFY(Gdi::edgeLayout(QRect(0, 0, 10, 10), 3, Gdi::BF_RECT).parts.isEmpty());
    }

    void focusRectInvertsEveryOtherPixel()
    {
        const QImage image =
            paintWhite(QSize(8, 6), [](QPainter& p) { Gdi::drawFocusRect(p, QRect(1, 1, 6, 4)); });
        QCOMPARE(image.pixel(1, 1), black());
        QCOMPARE(image.pixel(2, 1), white());
        QCOMPARE(image.pixel(3, 1), black());
        QCOMPARE(image.pixel(1, 2), white());
        QCOMPARE(image.pixel(1, 3), black());
        QCOMPARE(image.pixel(3, 2), white()); // inside untouched
        QCOMPARE(image.pixel(0, 0), white());
        // Drawn twice, it is gone.
        const QImage twice = paintWhite(QSize(8, 6), [](QPainter& p) {
            Gdi::drawFocusRect(p, QRect(1, 1, 6, 4));
            Gdi::drawFocusRect(p, QRect(1, 1, 6, 4));
        });
        QCOMPARE(twice.pixel(1, 1), white());
        QVERIFY(Gdi::focusRectPixels(QRect(0, 0, 0, 5)).isEmpty());
    }

    void prefixText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("display");
        QTest::addColumn<int>("underline");
        QTest::addColumn<QString>("measured");
        QTest::newRow("plain") << "Zavřít"
                               << "Zavřít" << -1 << "Zavřít";
        QTest::newRow("marker") << "&Otevřít"
                                << "Otevřít" << 0 << "Otevřít";
        QTest::newRow("middle") << "Ul&ožit"
                                << "Uložit" << 2 << "Uložit";
        QTest::newRow("doubled") << "A && B"
                                 << "A & B" << -1 << "A & B";
        QTest::newRow("doubled then marker") << "Tisk && &náhled"
                                             << "Tisk & náhled" << 7 << "Tisk & &náhled";
        QTest::newRow("triple") << "&&&x"
                                << "&x" << 1 << "&&x";
        QTest::newRow("trailing") << "OK&"
                                  << "OK" << -1 << "OK";
        QTest::newRow("second marker shown plain") << "&a&b"
                                                   << "ab" << 0 << "a&b";
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
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(14);
        const QImage normal = paintWhite(QSize(60, 24), [&](QPainter& p) {
            p.setFont(font);
            Gdi::drawStatePrefixText(p, QPoint(2, 2), QStringLiteral("&__"), Qt::black, 0);
        });
        const QImage plain = paintWhite(QSize(60, 24), [&](QPainter& p) {
            p.setFont(font);
            Gdi::drawStatePrefixText(p, QPoint(2, 2), QStringLiteral("__"), Qt::black, 0);
        });
        // The underline of the marked character adds pixels; the rest is equal.
        QVERIFY(normal != plain);

        const QImage disabled = paintWhite(QSize(60, 24), [&](QPainter& p) {
            p.setFont(font);
            Gdi::drawStatePrefixText(p, QPoint(2, 2), QStringLiteral("Hm"), Qt::black,
                                     Gdi::DSS_DISABLED);
        });
        bool shadow = false;
        bool callerColour = false;
        for (int y = 0; y < disabled.height(); ++y) {
            for (int x = 0; x < disabled.width(); ++x) {
                shadow |= disabled.pixel(x, y) == sys(OleColor::ButtonShadow);
                callerColour |= disabled.pixel(x, y) == black();
            }
        }
        QVERIFY(shadow);
        QVERIFY(!callerColour); // the caller's colour is not used for the disabled look
    }
};

QTEST_MAIN(TestGdi)
#include "tst_gdi.moc"
