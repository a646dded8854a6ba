// LumenButton's arithmetic: colours, the pressed gradient, access keys, layout.
#include "controls/LumenLook.h"
#include "platform/OleColor.h"

#include <QtTest>

using namespace LumenLook;

class TestLumenLook : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void offsetColour_data()
    {
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("d");
        QTest::addColumn<QColor>("result");
        // Blue moves by blue * d / 192, towards zero.
        QTest::newRow("+48") << QColor(100, 100, 100) << 48 << QColor(148, 148, 125);
        QTest::newRow("-32") << QColor(100, 100, 100) << -32 << QColor(68, 68, 84);
        QTest::newRow("clamped high") << QColor(200, 230, 200) << 100 << QColor(255, 255, 255);
        QTest::newRow("clamped low") << QColor(20, 10, 30) << -84 << QColor(0, 0, 17);
        QTest::newRow("zero") << QColor(1, 2, 3) << 0 << QColor(1, 2, 3);
        QTest::newRow("blue truncates") << QColor(0, 0, 191) << -1 << QColor(0, 0, 191);
        QTest::newRow("blue 192") << QColor(0, 0, 192) << -1 << QColor(0, 0, 191);
    }

    void offsetColour()
    {
        QFETCH(QColor, colour);
        QFETCH(int, d);
        QFETCH(QColor, result);
        QCOMPARE(LumenLook::offsetColour(colour, d), result);
    }

    void colourResolution()
    {
        QCOMPARE(resolveColour(0x0000FF), QColor(255, 0, 0));
        QCOMPARE(resolveColour(0xD8E9EC), QColor(0xEC, 0xE9, 0xD8));
        // Any value above 0xFFFFFF names a system colour by its low 24 bits.
        QCOMPARE(resolveColour(0x01000010), OleColor::toColor(OleColor::ButtonShadow));
        QVERIFY(xpColours(true, 0x0000FF, 0x00FF00).pressed != QColor(255, 0, 0));
        const XpColours own = xpColours(false, 0x0000FF, 0x00FF00);
        QCOMPARE(own.pressed, QColor(255, 0, 0));
        QCOMPARE(own.hover, QColor(0, 255, 0));
    }

    void pressedGradient()
    {
        const QColor back(236, 233, 216);
        QCOMPARE(pressedBase(back), QColor(223, 223, 213));
        const QList<QColor> rows = pressedGradientRows(back, 20);
        QCOMPARE(rows.size(), 20);
        const QColor base = pressedBase(back);
        // Row i counted from the bottom (i = 1) is base - round(i * 15 / 20), half to even.
        QCOMPARE(rows.at(19), LumenLook::offsetColour(base, -1)); // i 1: 0.75
        QCOMPARE(rows.at(18), LumenLook::offsetColour(base, -2)); // i 2: 1.5
        QCOMPARE(rows.at(14), LumenLook::offsetColour(base, -4)); // i 6: 4.5
        QCOMPARE(rows.at(10), LumenLook::offsetColour(base, -8)); // i 10: 7.5
        QCOMPARE(rows.at(0), LumenLook::offsetColour(base, -15)); // i 20
        QCOMPARE(rows.at(0), QColor(208, 208, 197));
        QVERIFY(pressedGradientRows(back, 0).isEmpty());
    }

    void accessKeyIsLowerCased()
    {
        // Which character is marked is the prefix-text rule, tested with the drawing layer.
        QCOMPARE(LumenLook::accessKey(QStringLiteral("&Otevřít")).value_or(QChar()), QChar(u'o'));
        QCOMPARE(LumenLook::accessKey(QStringLiteral("A&&B&Čc")).value_or(QChar()), QChar(u'č'));
        QVERIFY(!LumenLook::accessKey(QStringLiteral("Ab&")));
    }

    void contentLayout_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<QRect>("picture");
        QTest::addColumn<QRect>("caption");
        const QSize pic(16, 16);
        const QSize cap(40, 14);
        QTest::newRow("left") << int(PictureLeft) << false << QRect(QPoint(20, 12), pic)
                              << QRect(QPoint(40, 13), cap);
        QTest::newRow("left pressed")
            << int(PictureLeft) << true << QRect(QPoint(21, 13), pic) << QRect(QPoint(41, 14), cap);
        QTest::newRow("right") << int(PictureRight) << false << QRect(QPoint(64, 12), pic)
                               << QRect(QPoint(20, 13), cap);
        QTest::newRow("top") << int(PictureTop) << false << QRect(QPoint(42, 3), pic)
                             << QRect(QPoint(30, 23), cap);
        QTest::newRow("bottom") << int(PictureBottom) << false << QRect(QPoint(42, 21), pic)
                                << QRect(QPoint(30, 3), cap);
        QTest::newRow("behind") << int(PictureBehind) << false << QRect(QPoint(42, 12), pic)
                                << QRect(QPoint(30, 13), cap);
    }

    void contentLayout()
    {
        QFETCH(int, position);
        QFETCH(bool, pressed);
        QFETCH(QRect, picture);
        QFETCH(QRect, caption);
        // A 100 x 40 button: the content area is (4, 4) to (96, 36).
        const Content c = LumenLook::contentLayout(QSize(100, 40), position, QSize(16, 16),
                                                   QSize(40, 14), pressed);
        QCOMPARE(c.picture, picture);
        QCOMPARE(c.caption, caption);
    }

    void contentWithoutPictureOrCaption()
    {
        const Content captionOnly =
            LumenLook::contentLayout(QSize(100, 40), PictureTop, QSize(), QSize(40, 14), false);
        QVERIFY(captionOnly.picture.isEmpty());
        QCOMPARE(captionOnly.caption, QRect(30, 13, 40, 14));
        const Content pictureOnly =
            LumenLook::contentLayout(QSize(100, 40), PictureLeft, QSize(32, 32), QSize(), false);
        QCOMPARE(pictureOnly.picture, QRect(34, 4, 32, 32));
        QVERIFY(pictureOnly.caption.isEmpty());
    }
};

QTEST_MAIN(TestLumenLook)
#include "tst_lumenlook.moc"
