// ButtonEx: pressing and leaving, toggles, access keys, the default frame,
// skins and persistence. Hover runs on a real display (tst_controls_x11),
// double clicks in tst_controls_events.
#include "ControlTest.h"
#include "controls/ButtonEx.h"
#include "controls/ButtonExLayout.h"

#include <QCursor>
#include <QtTest>

using namespace ButtonExLayout;

class TestButtonEx : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pressLeaveAndReleaseOutside()
    {
        Host host;
        auto* b = host.add<ButtonEx>(QRect(20, 20, 80, 24));
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QStringList log;
        record(b, &ButtonEx::Click, log, "click");
        QTest::mouseMove(b, QPoint(10, 10));
        QTest::mouseMove(b, QPoint(12, 10));
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(12, 10));
        QCOMPARE(b->state(), int(Down));
        // Out with the button held: up again once the timer sees the cursor outside.
        QCursor::setPos(host.mapToGlobal(QPoint(280, 180)));
        QTest::mouseMove(b, QPoint(150, 60));
        QTRY_COMPARE(b->state(), int(Up));
        QTest::mouseMove(b, QPoint(152, 61));
        QCOMPARE(b->state(), int(Up)); // no down look outside
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(152, 61));
        QCOMPARE(log, QStringList());
    }

    void clicksAndKeys()
    {
        ButtonEx b;
        QStringList log;
        connect(&b, &ButtonEx::MouseDown, [&](short button, short shift, float x, float y) {
            log.append(QString("down %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y));
        });
        record(&b, &ButtonEx::MouseUp, log, "up");
        record(&b, &ButtonEx::Click, log, "click");
        connect(&b, &ButtonEx::KeyPress,
                [&](short ascii) { log.append(QString("key %1").arg(ascii)); });
        QTest::mouseClick(&b, Qt::LeftButton, Qt::ControlModifier, QPoint(4, 2));
        QTest::mouseClick(&b, Qt::RightButton, {}, QPoint(4, 2));
        QTest::keyClick(&b, Qt::Key_Space); // keys never click
        QCOMPARE(log,
                 (QStringList{"down 1 2 60 30", "up", "click", "down 2 0 60 30", "up", "key 32"}));
    }

    void toggleFlipsOnEachPress()
    {
        ButtonEx b;
        b.setStyle(1);
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(b.Value(), 0);
        QCOMPARE(b.state(), int(Down)); // stays in
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(b.Value(), 1);
        QCOMPARE(b.state(), int(Up));
        b.setValue(0);
        QCOMPARE(b.state(), int(Down));
    }

    void accessKeyClicksOnceAndFollowsTheCaption()
    {
        Host host;
        auto* b = host.add<ButtonEx>(QRect(20, 20, 80, 24));
        host.show();
        host.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&host));
        QStringList log;
        record(b, &ButtonEx::Click, log, "click");
        b->setCaption(QString("Tisk && &náhled"));
        QTest::keyClick(&host, Qt::Key_T, Qt::AltModifier);
        QTest::keyClick(&host, Qt::Key_N, Qt::AltModifier);
        b->setCaption(QString("Zavřít")); // no marker: the key goes
        QTest::keyClick(&host, Qt::Key_N, Qt::AltModifier);
        QCOMPARE(log, QStringList{"click"});
    }

    void defaultFrameFocusAndHighlight()
    {
        ButtonEx b;
        b.setCaption(QString());
        b.show(); // a hidden widget's grab resends the resize, which draws up
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        b.setDisplayAsDefault(true);
        QImage image = b.grab().toImage();
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));              // the black frame
        QVERIFY(image.pixel(4, 4) != sys(OleColor::ButtonFace)); // the dotted focus rectangle
        QCOMPARE(image.pixel(5, 4), sys(OleColor::ButtonFace));
        b.setAllowDefault(false);
        QCOMPARE(b.grab().toImage().pixel(0, 0), sys(OleColor::Light3D));
        b.setAllowFocus(false);
        const QImage plain = b.grab().toImage();
        QCOMPARE(plain.pixel(4, 4), sys(OleColor::ButtonFace));
        b.DrawHighlight();
        image = b.grab().toImage();
        QVERIFY(image.pixel(0, 0) != plain.pixel(0, 0)); // dotted, around the client area
        QCOMPARE(image.pixel(1, 0), plain.pixel(1, 0));
        b.ClearHighlight();
        QCOMPARE(b.grab().toImage(), plain);
    }

    void skinnedLook()
    {
        ButtonEx b;
        b.setCaption(QString());
        b.setAppearance(2);
        const QPixmap up = filled(QSize(60, 30), Qt::green);
        b.setSkinUp(up);
        b.setSkinDown(filled(QSize(60, 30), Qt::red));
        QCOMPARE(b.size(), QSize(60, 30)); // the skin sets the size
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        QCOMPARE(b.grab().toImage().pixel(30, 15), QColor(Qt::green).rgb());
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(b.grab().toImage().pixel(30, 15), QColor(Qt::red).rgb());
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
        b.setEnabled(false); // no disabled skin: the up skin
        QCOMPARE(b.shownSkin().toImage(), up.toImage());
        b.setSkinUp(QPixmap());
        QVERIFY(b.shownSkin().isNull());
    }

    void persistence()
    {
        ButtonEx b;
        b.setCaption(QString("&Uložit"));
        b.setStyle(1);
        b.setValue(0);
        b.setPicture(filled(QSize(16, 16), Qt::blue));
        b.setFont(QFont(QString("DejaVu Sans"), 11));
        ButtonEx copy;
        QStringList events;
        record(&copy, &ButtonEx::Resize, events, "Resize");
        PropertyBag order;
        copy.readProperties(order);
        checkPersistence(b, copy, 5);
        QCOMPARE(events, QStringList());
        QCOMPARE(copy.state(), int(Down)); // the toggle's Value 0 read back pressed
        const QStringList names = order.readOrder();
        QCOMPARE((QStringList{names.first(), names.last()}),
                 (QStringList{"AllowDefault", "WhatsThisHelpID"}));
        QCOMPARE(names.size(), 34);
        QCOMPARE(names.indexOf("Font"), names.indexOf("ForeColor") + 1);
    }
};

QTEST_MAIN(TestButtonEx)
#include "tst_buttonex.moc"
