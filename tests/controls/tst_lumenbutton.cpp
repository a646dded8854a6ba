// LumenButton: its look arithmetic (colours, the pressed gradient, access keys,
// layout), then mouse and Space handling, hover with sounds and pictures, the
// access key, addresses, the XP look's shape and pixels, persistence.
#include "TestFolders.h"
#include "controls/LumenButton.h"
#include "controls/LumenLook.h"
#include "platform/OleColor.h"
#include "platform/WindowRegion.h"
#include "stream/gst/Sound.h"

#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QKeyEvent>
#include <QtTest>

using namespace LumenLook;

namespace {

QPixmap filled(QSize size, QColor colour)
{
    QPixmap p(size);
    p.fill(colour);
    return p;
}

// Records Click, the sounds played and the addresses opened.
class Recorder : public QObject
{
    Q_OBJECT

public:
    explicit Recorder(LumenButton* b)
    {
        connect(b, &LumenButton::Click, this, [this] { log.append("Click"); });
        connect(b, &LumenButton::MouseDown, this, [this](short button, short, float, float) {
            log.append(QStringLiteral("MouseDown(%1)").arg(button));
        });
        connect(b, &LumenButton::MouseUp, this, [this](short button, short, float, float) {
            log.append(QStringLiteral("MouseUp(%1)").arg(button));
        });
        connect(b, &LumenButton::MouseIn, this, [this](short) { log.append("MouseIn"); });
        connect(b, &LumenButton::MouseOut, this, [this](short) { log.append("MouseOut"); });
        connect(b, &LumenButton::KeyDown, this,
                [this](short code, short) { log.append(QStringLiteral("KeyDown(%1)").arg(code)); });
        connect(b, &LumenButton::KeyUp, this,
                [this](short code, short) { log.append(QStringLiteral("KeyUp(%1)").arg(code)); });
        m_previous = Sound::setHandler(
            [this](const QString& file) { sounds.append(QFileInfo(file).fileName()); });
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }
    ~Recorder() override
    {
        Sound::setHandler(m_previous);
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    QStringList log;
    QStringList sounds;
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }

private:
    Sound::Handler m_previous;
};

void sendKey(QWidget* w, QEvent::Type type, bool autoRepeat)
{
    QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), autoRepeat);
    QApplication::sendEvent(w, &event);
}

} // namespace

class TestLumenButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // The default sound paths resolve against the program folder.
        QVERIFY(QDir(m_folder.path()).mkpath(QStringLiteral("resources")));
        for (const char* name : {"over.wav", "click.wav"})
            QVERIFY(QFile::copy(QStringLiteral(SKYTUNER_SOURCE_DIR "/src/resources/") +
                                    QLatin1String(name),
                                m_folder.file(QStringLiteral("resources/") + QLatin1String(name))));
    }

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

    void leftClickInsidePlaysClicksAndOpens()
    {
        LumenButton b;
        b.setURL(QStringLiteral("https://example.cz/"));
        Recorder r(&b);
        // The right button, or the left one released outside, does not click.
        QTest::mousePress(&b, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(!b.isPressed());
        QTest::mouseRelease(&b, Qt::RightButton, {}, QPoint(5, 5));
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, b.height() + 3));
        QCOMPARE(r.log, (QStringList{"MouseDown(2)", "MouseUp(2)", "MouseDown(1)", "MouseUp(1)"}));
        QVERIFY(r.sounds.isEmpty() && r.opened.isEmpty());
        r.log.clear();
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(b.isPressed());
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!b.isPressed());
        QCOMPARE(r.log, (QStringList{"MouseDown(1)", "Click", "MouseUp(1)"}));
        QCOMPARE(r.sounds, QStringList{"click.wav"});
        QCOMPARE(r.opened, QList<QUrl>{QUrl(QStringLiteral("https://example.cz/"))});
    }

    void spaceHeldPressesOnceAndClicksOnce()
    {
        LumenButton b;
        Recorder r(&b);
        sendKey(&b, QEvent::KeyPress, false);
        QVERIFY(b.isPressed());
        for (int i = 0; i < 3; ++i) { // the key repeating while held
            sendKey(&b, QEvent::KeyRelease, true);
            sendKey(&b, QEvent::KeyPress, true);
        }
        QVERIFY(b.isPressed());
        QVERIFY(!r.log.contains("Click"));
        sendKey(&b, QEvent::KeyRelease, false);
        QVERIFY(!b.isPressed());
        QCOMPARE(r.log.count("Click"), 1);
        QCOMPARE(r.log.count("KeyDown(32)"), 4);
        QCOMPARE(r.log.count("KeyUp(32)"), 1);
        QCOMPARE(r.sounds, QStringList{"click.wav"});
        QVERIFY(r.log.indexOf("Click") < r.log.indexOf("KeyUp(32)"));
    }

    void hoverRaisesInAndOutOnceWithSoundAndPicture()
    {
        QWidget window;
        window.setGeometry(100, 100, 240, 120);
        auto* b = new LumenButton(&window);
        b->setGeometry(20, 20, 100, 30);
        const QPixmap normal = filled(QSize(16, 16), Qt::blue);
        const QPixmap hover = filled(QSize(16, 16), Qt::yellow);
        b->setPicture(normal);
        b->setPictureHover(hover);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        Recorder r(b);
        for (int x = 5; x < 90; x += 10)
            QTest::mouseMove(b, QPoint(x, 10));
        QCOMPARE(r.log, QStringList{"MouseIn"});
        QCOMPARE(r.sounds, QStringList{"over.wav"});
        QVERIFY(b->isHovering());
        QCOMPARE(b->shownPicture().toImage(), hover.toImage());
        QTest::mouseMove(&window, QPoint(200, 100));
        QTRY_COMPARE(r.log, (QStringList{"MouseIn", "MouseOut"}));
        QVERIFY(!b->isHovering());
        QCOMPARE(b->shownPicture().toImage(), normal.toImage());
        QTest::qWait(40);
        QCOMPARE(r.log.size(), 2);
    }

    void heldButtonLooksReleasedWhileTheMouseIsAway()
    {
        QWidget window;
        window.setGeometry(100, 100, 240, 120);
        auto* b = new LumenButton(&window);
        b->setGeometry(20, 20, 100, 30);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseMove(b, QPoint(10, 10));
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(b->looksPressed());
        QCursor::setPos(window.mapToGlobal(QPoint(200, 100)));
        QTRY_VERIFY(!b->isHovering());
        QVERIFY(b->isPressed());
        QVERIFY(!b->looksPressed());
        // Back over the button with the button still held.
        QCursor::setPos(b->mapToGlobal(QPoint(12, 12)));
        QTest::mouseMove(b, QPoint(12, 12), 0);
        QTRY_VERIFY(b->looksPressed());
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(12, 12));
    }

    void accessKeyClicksWithoutSound()
    {
        QWidget window;
        auto* b = new LumenButton(&window);
        b->setCaption(QStringLiteral("&Otevřít"));
        b->setURL(QStringLiteral("mailto:info@example.cz"));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        Recorder r(b);
        QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
        QCOMPARE(r.log.count("Click"), 1);
        QVERIFY(r.sounds.isEmpty());
        QCOMPARE(r.opened, QList<QUrl>{QUrl(QStringLiteral("mailto:info@example.cz"))});
        b->setEnabled(false);
        QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
        QCOMPARE(r.log.count("Click"), 1);
    }

    void xpLookShapeAndPressedPixels()
    {
        LumenButton b;
        b.setTransparentBG(true);
        b.setButtonStyle(3);
        QVERIFY(!b.TransparentBG()); // the XP look is never transparent
        b.setBackColor(0xD8E9EC);    // RGB(236, 233, 216)
        b.resize(60, 20);
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        QCOMPARE(b.mask(), WindowRegion::roundedCorners(QSize(60, 20)));
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(30, 10));
        const QImage image = b.grab().toImage();
        const QColor back(236, 233, 216);
        const QList<QColor> rows = LumenLook::pressedGradientRows(back, 20);
        for (int y : {3, 5, 10, 16})
            QCOMPARE(image.pixelColor(20, y).rgb(), rows.at(y).rgb());
        const QColor base = LumenLook::pressedBase(back);
        QCOMPARE(image.pixelColor(20, 18).rgb(), LumenLook::offsetColour(base, 16).rgb());
        QCOMPARE(image.pixelColor(20, 17).rgb(), LumenLook::offsetColour(base, 10).rgb());
        QCOMPARE(image.pixelColor(20, 1).rgb(), LumenLook::offsetColour(base, -32).rgb());
        QCOMPARE(image.pixelColor(58, 10).rgb(), LumenLook::offsetColour(base, 5).rgb());
        const QRgb dark = OleColor::toColor(OleColor::DarkShadow3D).rgb();
        for (const QPoint& corner : {QPoint(1, 1), QPoint(1, 18), QPoint(58, 1), QPoint(58, 18)})
            QCOMPARE(image.pixel(corner), dark);
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(30, 10));
        b.setButtonStyle(2);
        QVERIFY(b.mask().isEmpty());
    }

    void propertiesRoundTripInOrder()
    {
        LumenButton b;
        PropertyBag bag;
        b.writeProperties(bag); // defaults are not written
        QVERIFY2(bag.values().isEmpty(), qPrintable(bag.values().keys().join(u',')));
        b.setCaption(QStringLiteral("&Střed"));
        b.setButtonStyle(3);
        b.setURL(QStringLiteral("https://example.cz"));
        b.setBEVEL(2);
        b.setPicture(filled(QSize(24, 20), Qt::red));
        b.writeProperties(bag);
        QCOMPARE(bag.values().size(), 7); // with the picture's own size

        LumenButton copy;
        Recorder r(&copy);
        copy.readProperties(bag);
        QVERIFY(r.log.isEmpty());
        QCOMPARE(copy.accessKey(), QChar(u's'));
        PropertyBag again;
        copy.writeProperties(again);
        QCOMPARE(again.values(), bag.values());
        const QString order = QStringLiteral(
            "BackColor ForeColor ShowFocusRect Caption PicturePosition ButtonStyle Picture "
            "PictureWidth PictureHeight PictureSize OriginalPicSizeW OriginalPicSizeH Font "
            "PictureHover MouseIcon Enabled MousePointer URL XPColor_Pressed XPColor_Hover "
            "XPDefaultColors SoundOver SoundClick DefCurHand XPShowBorderAlways MaskColor "
            "TransparentBG BEVEL BEVELDEPTH");
        QCOMPARE(bag.readOrder(), order.split(u' '));
    }

    void windowHandleIsMadeOnDemand()
    {
        QWidget window;
        auto* button = new LumenButton(&window);
        window.show();
        QVERIFY(!button->testAttribute(Qt::WA_NativeWindow));
        const quintptr handle = button->hWnd();
        QVERIFY(handle != 0 && handle != window.winId()); // its own window
    }

private:
    TemporaryProgramFolder m_folder;
};

QTEST_MAIN(TestLumenButton)
#include "tst_lumenbutton.moc"
