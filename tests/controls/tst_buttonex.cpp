// ButtonEx: its state table and placement arithmetic, the state machine with hover,
// toggles, access keys, the default frame, skins and persistence.
#include "controls/ButtonEx.h"
#include "controls/ButtonExLayout.h"
#include "controls/Container3D.h"
#include "controls/LumenButton.h"
#include "platform/OleColor.h"

#include <QCursor>
#include <QPainter>
#include <QtTest>

using namespace ButtonExLayout;

namespace {

QRgb sys(quint32 ref)
{
    return OleColor::toColor(ref).rgb();
}

QPixmap filled(QSize size, QColor colour)
{
    QPixmap p(size);
    p.fill(colour);
    return p;
}

// A window with one button at (20, 20), shown and active.
struct Stage
{
    Stage()
    {
        window.setGeometry(100, 100, 200, 100);
        button = new ButtonEx(&window);
        button->move(20, 20);
        window.show();
        window.activateWindow();
    }
    QPoint inside(int x = 10, int y = 10) const { return button->mapToGlobal(QPoint(x, y)); }
    QWidget window;
    ButtonEx* button;
};

} // namespace

class TestButtonEx : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toggleForcesTheState()
    {
        for (int s : {Down, Up, Over})
            QCOMPARE(resolveState(s, 0, 0), s);
        for (int s : {Down, Up, Over})
            QCOMPARE(resolveState(s, 1, 0), int(Down));
        QCOMPARE(resolveState(Down, 1, 1), int(Up));
        QCOMPARE(resolveState(Over, 1, 1), int(Over));
        QCOMPARE(skinState(Up, false, true), int(Disabled));
        QCOMPARE(skinState(Up, true, true), int(Focus));
        QCOMPARE(skinState(Over, true, true), int(Over));
        QCOMPARE(skinState(Down, true, false), int(Down));
    }

    void placement()
    {
        const QSize button(80, 24);
        QCOMPARE(picturePosition(1, button, QSize(16, 16), false, {}), QPoint(6, 6));
        QCOMPARE(picturePosition(1, button, QSize(16, 16), true, {}), QPoint(7, 7));
        QCOMPARE(picturePosition(2, button, QSize(16, 16), false, {}), QPoint(0, 4));
        QCOMPARE(picturePosition(1, QSize(80, 48), QSize(32, 32), false, QPoint(3, -2)),
                 QPoint(9, 6));
        QCOMPARE(picturePosition(2, QSize(80, 10), QSize(32, 32), false, {}), QPoint(0, 0));
        // Centred in the button, or in the space right of the picture.
        QCOMPARE(captionPosition(button, QSize(30, 13), -1, false, {}), QPoint(25, 6));
        QCOMPARE(captionPosition(button, QSize(30, 13), 22, false, {}), QPoint(36, 6));
        QCOMPARE(captionPosition(button, QSize(30, 13), 22, true, QPoint(2, 3)), QPoint(39, 10));
        QCOMPARE(captionPosition(button, QSize(31, 14), -1, false, {}), QPoint(25, 5));
    }

    void enterAndExitAreRaisedOnce()
    {
        Stage stage;
        QVERIFY(QTest::qWaitForWindowExposed(&stage.window));
        QStringList log;
        connect(stage.button, &ButtonEx::MouseEnter, [&] { log.append("enter"); });
        connect(stage.button, &ButtonEx::MouseExit, [&] { log.append("exit"); });
        for (int x = 5; x < 60; x += 5) {
            QCursor::setPos(stage.inside(x, 10));
            QCoreApplication::processEvents();
        }
        QCOMPARE(log, QStringList{"enter"});
        QCOMPARE(stage.button->state(), int(Over));
        QVERIFY(stage.button->isHoverTimerActive());
        QCursor::setPos(stage.window.mapToGlobal(QPoint(180, 90)));
        QTRY_COMPARE(log, (QStringList{"enter", "exit"}));
        QCOMPARE(stage.button->state(), int(Up));
        QTRY_VERIFY(!stage.button->isHoverTimerActive());
        QTest::qWait(30);
        QCOMPARE(log.size(), 2);
    }

    void lateMoveAfterLeavingStartsNoHover()
    {
        // A move queued while the cursor was still over a control arrives after
        // it has left (on X11 the hover timers read the live position): no
        // control may take it for a new entry.
        Stage stage;
        auto* lumen = new LumenButton(&stage.window);
        lumen->setGeometry(20, 60, 60, 30);
        lumen->setSoundOver(QString());
        auto* container = new Container3D(&stage.window);
        container->setGeometry(120, 20, 60, 60);
        QVERIFY(QTest::qWaitForWindowExposed(&stage.window));
        int entries = 0;
        connect(stage.button, &ButtonEx::MouseEnter, [&] { ++entries; });
        connect(lumen, &LumenButton::MouseIn, [&] { ++entries; });
        connect(container, &Container3D::MouseEnter, [&] { ++entries; });
        QCursor::setPos(stage.window.mapToGlobal(QPoint(110, 95)));
        for (QWidget* control : std::initializer_list<QWidget*>{stage.button, lumen, container}) {
            QMouseEvent late(QEvent::MouseMove, QPointF(5, 5), control->mapToGlobal(QPointF(5, 5)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(control, &late);
        }
        QTest::qWait(80);
        QCOMPARE(entries, 0);
        QVERIFY(!stage.button->isHoverTimerActive());
    }

    void pressDragOutAndRelease()
    {
        Stage stage;
        QVERIFY(QTest::qWaitForWindowExposed(&stage.window));
        int clicks = 0;
        connect(stage.button, &ButtonEx::Click, [&] { ++clicks; });
        QTest::mouseMove(stage.button, QPoint(10, 10));
        QTest::mouseMove(stage.button, QPoint(12, 10));
        QTest::mousePress(stage.button, Qt::LeftButton, {}, QPoint(12, 10));
        QCOMPARE(stage.button->state(), int(Down));
        // Out with the button held: up again once the timer sees the cursor outside.
        QCursor::setPos(stage.window.mapToGlobal(QPoint(190, 90)));
        QTest::mouseMove(stage.button, QPoint(150, 60));
        QTRY_COMPARE(stage.button->state(), int(Up));
        QTest::mouseMove(stage.button, QPoint(151, 60));
        QTest::mouseMove(stage.button, QPoint(152, 61));
        QCOMPARE(stage.button->state(), int(Up)); // no down look outside
        QTest::mouseRelease(stage.button, Qt::LeftButton, {}, QPoint(152, 61));
        QCOMPARE(stage.button->state(), int(Up));
        QCOMPARE(clicks, 0);
    }

    void clickInside()
    {
        ButtonEx b;
        QStringList log;
        connect(&b, &ButtonEx::MouseDown, [&](short button, short shift, float x, float y) {
            log.append(QStringLiteral("down %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y));
        });
        connect(&b, &ButtonEx::MouseUp, [&](short button, short, float, float) {
            log.append(QStringLiteral("up %1").arg(button));
        });
        connect(&b, &ButtonEx::Click, [&] { log.append("click"); });
        QTest::mouseClick(&b, Qt::LeftButton, Qt::ControlModifier, QPoint(4, 2));
        QTest::mouseClick(&b, Qt::RightButton, {}, QPoint(4, 2));
        QCOMPARE(log, (QStringList{"down 1 2 60 30", "up 1", "click", "down 2 0 60 30", "up 2"}));
    }

    void toggleStyleFlipsValueOnEachPress()
    {
        ButtonEx b;
        b.setStyle(1);
        QCOMPARE(b.Value(), 1);
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(b.Value(), 0);
        QCOMPARE(b.state(), int(Down)); // stays in, wherever the mouse is
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(b.Value(), 1);
        QCOMPARE(b.state(), int(Up));
        b.setValue(0);
        QCOMPARE(b.state(), int(Down));
    }

    void accessKeyClicksOnceAndFollowsTheCaption()
    {
        Stage stage;
        QVERIFY(QTest::qWaitForWindowActive(&stage.window));
        int clicks = 0;
        connect(stage.button, &ButtonEx::Click, [&] { ++clicks; });
        stage.button->setCaption(QStringLiteral("Tisk && &náhled"));
        QTest::keyClick(&stage.window, Qt::Key_T, Qt::AltModifier);
        QCOMPARE(clicks, 0);
        QTest::keyClick(&stage.window, Qt::Key_N, Qt::AltModifier);
        QCOMPARE(clicks, 1);
        // A caption without a marker takes the key away.
        stage.button->setCaption(QStringLiteral("Zavřít"));
        QTest::keyClick(&stage.window, Qt::Key_N, Qt::AltModifier);
        QCOMPARE(clicks, 1);
    }

    void defaultFrameAndFocusRectangle()
    {
        ButtonEx b;
        b.setCaption(QString());
        b.show(); // a hidden widget's grab resends the resize, which draws up
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        b.setDisplayAsDefault(true);
        QImage image = b.grab().toImage();
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));          // the black frame
        QCOMPARE(image.pixel(1, 1), sys(OleColor::Light3D)); // the raised edge inside it
        const QRgb face = sys(OleColor::ButtonFace);
        QVERIFY(image.pixel(4, 4) != face); // the dotted focus rectangle
        QCOMPARE(image.pixel(5, 4), face);

        b.setAllowDefault(false);
        image = b.grab().toImage();
        QCOMPARE(image.pixel(0, 0), sys(OleColor::Light3D));
        b.setAllowFocus(false);
        image = b.grab().toImage();
        QCOMPARE(image.pixel(4, 4), face);

        // Pressed default: the black frame and a flat shadow line.
        b.setAllowDefault(true);
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
        image = b.grab().toImage();
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(1, 1), sys(OleColor::ButtonShadow));
        QCOMPARE(image.pixel(78, 22), sys(OleColor::ButtonShadow));
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
    }

    void highlightRectangleComesAndGoes()
    {
        ButtonEx b;
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        const QImage plain = b.grab().toImage();
        b.DrawHighlight();
        const QImage highlighted = b.grab().toImage();
        QVERIFY(highlighted.pixel(0, 0) != plain.pixel(0, 0)); // around the whole client area
        QCOMPARE(highlighted.pixel(1, 0), plain.pixel(1, 0));  // dotted
        b.ClearHighlight();
        QCOMPARE(b.grab().toImage(), plain);
    }

    void keysAreForwarded()
    {
        ButtonEx b;
        QStringList log;
        connect(&b, &ButtonEx::KeyDown, [&](short code, short shift) {
            log.append(QStringLiteral("down %1 %2").arg(code).arg(shift));
        });
        connect(&b, &ButtonEx::KeyPress,
                [&](short ascii) { log.append(QStringLiteral("press %1").arg(ascii)); });
        connect(&b, &ButtonEx::KeyUp, [&](short code, short shift) {
            log.append(QStringLiteral("up %1 %2").arg(code).arg(shift));
        });
        QTest::keyClick(&b, Qt::Key_A, Qt::ShiftModifier);
        // QtTest sends the Shift key itself and types a lower-case "a".
        QCOMPARE(log, (QStringList{"down 16 1", "down 65 1", "press 97", "up 65 1", "up 16 0"}));
        // Keys alone never click the button.
        int clicks = 0;
        connect(&b, &ButtonEx::Click, [&] { ++clicks; });
        QTest::keyClick(&b, Qt::Key_Space);
        QCOMPARE(clicks, 0);
    }

    void skinnedLook()
    {
        ButtonEx b;
        b.setCaption(QString());
        b.setAppearance(2);
        const QPixmap up = filled(QSize(60, 30), Qt::green);
        const QPixmap down = filled(QSize(60, 30), Qt::red);
        b.setSkinUp(up);
        b.setSkinDown(down);
        QCOMPARE(b.size(), QSize(60, 30)); // the skin sets the size
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        QCOMPARE(b.grab().toImage().pixel(30, 15), QColor(Qt::green).rgb());
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(b.grab().toImage().pixel(30, 15), QColor(Qt::red).rgb());
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
        // Disabled without a disabled skin shows the up skin.
        b.setEnabled(false);
        QCOMPARE(b.shownSkin().toImage(), up.toImage());
        // Without SkinUp the standard look is used.
        b.setEnabled(true);
        b.setSkinUp(QPixmap());
        QVERIFY(b.shownSkin().isNull());
    }

    void windowHandleIsMadeOnDemand()
    {
        Stage stage;
        // A button nobody asks for its handle stays a plain child widget.
        QVERIFY(!stage.button->testAttribute(Qt::WA_NativeWindow));
        const quintptr handle = stage.button->hWnd();
        QVERIFY(handle != 0 && handle != stage.window.winId()); // its own window
    }

    void propertiesRoundTripWithoutEvents()
    {
        ButtonEx b;
        PropertyBag bag;
        b.writeProperties(bag); // defaults are not written
        QVERIFY2(bag.values().isEmpty(), qPrintable(bag.values().keys().join(u',')));
        b.setCaption(QStringLiteral("&Uložit"));
        b.setBorderStyle(2);
        b.setStyle(1);
        b.setValue(0);
        b.setPicture(filled(QSize(16, 16), Qt::blue));
        b.setToolTipText(QStringLiteral("Uloží seznam"));
        b.setTransparentColor(0x00FF00FF);
        QFont font(QStringLiteral("DejaVu Sans"), 11);
        b.setFont(font);
        b.writeProperties(bag);
        QCOMPARE(bag.values().size(), 8);

        ButtonEx copy;
        int events = 0;
        connect(&copy, &ButtonEx::Resize, [&] { ++events; });
        connect(&copy, &ButtonEx::Click, [&] { ++events; });
        copy.readProperties(bag);
        QCOMPARE(events, 0);
        QCOMPARE(copy.state(), int(Down)); // the toggle's Value 0 read back pressed
        PropertyBag again;
        copy.writeProperties(again);
        QCOMPARE(again.values(), bag.values());
        QCOMPARE(bag.readOrder().first(), QStringLiteral("AllowDefault"));
        QCOMPARE(bag.readOrder().last(), QStringLiteral("WhatsThisHelpID"));
        QCOMPARE(bag.readOrder().size(), 34);
        QCOMPARE(bag.readOrder().indexOf("Font"), bag.readOrder().indexOf("ForeColor") + 1);
    }
};

QTEST_MAIN(TestButtonEx)
#include "tst_buttonex.moc"
