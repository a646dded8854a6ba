// LumenButton: mouse and Space handling, hover with sounds and pictures, the
// access key, addresses, the XP look's shape and pixels, persistence.
#include "TestFolders.h"
#include "controls/LumenButton.h"
#include "controls/LumenLook.h"
#include "platform/OleColor.h"
#include "platform/Sound.h"
#include "platform/WindowRegion.h"

#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QKeyEvent>
#include <QtTest>

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

    void leftClickInsidePlaysClicksAndOpens()
    {
        LumenButton b;
        b.setURL(QStringLiteral("https://example.cz/"));
        Recorder r(&b);
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(b.isPressed());
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!b.isPressed());
        QCOMPARE(r.log, (QStringList{"MouseDown(1)", "Click", "MouseUp(1)"}));
        QCOMPARE(r.sounds, QStringList{"click.wav"});
        QCOMPARE(r.opened, QList<QUrl>{QUrl(QStringLiteral("https://example.cz/"))});
    }

    void rightButtonOrReleaseOutsideDoesNotClick()
    {
        LumenButton b;
        b.setURL(QStringLiteral("www.example.cz"));
        Recorder r(&b);
        QTest::mousePress(&b, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(!b.isPressed());
        QTest::mouseRelease(&b, Qt::RightButton, {}, QPoint(5, 5));
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, b.height() + 3));
        QCOMPARE(r.log, (QStringList{"MouseDown(2)", "MouseUp(2)", "MouseDown(1)", "MouseUp(1)"}));
        QVERIFY(r.sounds.isEmpty());
        QVERIFY(r.opened.isEmpty());
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

    void xpStyleTurnsTransparencyOffAndRoundsTheCorners()
    {
        LumenButton b;
        b.setTransparentBG(true);
        b.setButtonStyle(3);
        QVERIFY(!b.TransparentBG());
        b.resize(70, 24);
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        QCOMPARE(b.mask(), WindowRegion::roundedCorners(QSize(70, 24)));
        b.setButtonStyle(2);
        QVERIFY(b.mask().isEmpty());
    }

    void xpPressedPixels()
    {
        LumenButton b;
        b.setButtonStyle(3);
        b.setBackColor(0xD8E9EC); // RGB(236, 233, 216)
        b.resize(60, 20);
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
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
        QVERIFY(handle != 0 && handle != window.winId());
        QCOMPARE(button->hWnd(), handle);
    }

private:
    TemporaryProgramFolder m_folder;
};

QTEST_MAIN(TestLumenButton)
#include "tst_lumenbutton.moc"
