// The framed container and the 3D line: errors, sizing, hover and pixels.
#include "controls/Container3D.h"
#include "controls/ControlError.h"
#include "controls/z3DLine.h"
#include "platform/OleColor.h"

#include <QCursor>
#include <QLabel>
#include <QtTest>

namespace {

QRgb sys(quint32 ref)
{
    return OleColor::toColor(ref).rgb();
}

// Moves the cursor; the platform delivers the move to the widget under it.
void moveCursor(QWidget* widget, QPoint local)
{
    QCursor::setPos(widget->mapToGlobal(local));
    QCoreApplication::processEvents();
}

} // namespace

class TestContainer3D : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void outOfRangeValuesRaise514AndKeepTheFrame_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<int>("value");
        QTest::newRow("effect 6") << "CtrlEffect" << 6;
        QTest::newRow("effect -1") << "CtrlEffect" << -1;
        QTest::newRow("autosize 2") << "AutoSize" << 2;
        QTest::newRow("autosize -1") << "AutoSize" << -1;
    }

    void outOfRangeValuesRaise514AndKeepTheFrame()
    {
        QFETCH(QString, property);
        QFETCH(int, value);
        Container3D c;
        c.setCtrlEffect(3);
        const auto set = property == QLatin1String("CtrlEffect") ? &Container3D::setCtrlEffect
                                                                 : &Container3D::setAutoSize;
        try {
            (c.*set)(value);
            QFAIL("no error raised");
        } catch (const ControlError& e) {
            QCOMPARE(e.number(), 514);
            QCOMPARE(e.description(), QStringLiteral("Index Out Of Bounds"));
            QCOMPARE(e.source(), QStringLiteral("Container3D.") + property);
        }
        QCOMPARE(c.CtrlEffect(), 3);
        QCOMPARE(c.AutoSize(), 0);
    }

    void autoSizeFillsASingleChild_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QSize>("inner");
        QTest::newRow("none") << 0 << QSize(120, 80);
        QTest::newRow("flat") << 1 << QSize(118, 78);
        QTest::newRow("sunken") << 3 << QSize(116, 76);
        QTest::newRow("etched") << 5 << QSize(116, 76);
    }

    void autoSizeFillsASingleChild()
    {
        QFETCH(int, effect);
        QFETCH(QSize, inner);
        Container3D c;
        c.resize(120, 80);
        c.setCtrlEffect(effect);
        QLabel child(QStringLiteral("Stanice"), &c);
        child.setGeometry(2, 2, 30, 10);
        c.setAutoSize(1);
        QCOMPARE(child.size(), inner);
        c.resize(200, 100); // and follows the container's size
        c.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c));
        QCOMPARE(child.size(), c.innerRect().size());
        QCOMPARE(child.pos(), QPoint(2, 2)); // only the size is set
    }

    void autoSizeLeavesTwoChildrenAloneAndNoSideIsUnderEight()
    {
        Container3D c;
        c.resize(120, 80);
        QLabel first(&c);
        QLabel second(&c);
        first.setGeometry(2, 2, 30, 10);
        second.setGeometry(2, 20, 40, 12);
        c.setAutoSize(1);
        c.resize(150, 90);
        c.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c));
        QCOMPARE(first.size(), QSize(30, 10));
        QCOMPARE(second.size(), QSize(40, 12));
        c.resize(3, 200);
        QCOMPARE(c.size(), QSize(8, 200));
        c.resize(50, 0);
        QCOMPARE(c.size(), QSize(50, 8));
    }

    void enterAndExitOncePerVisit()
    {
        QWidget window;
        window.setGeometry(300, 300, 300, 200);
        Container3D c(&window);
        c.setGeometry(20, 20, 200, 120);
        QLabel child(QStringLiteral("uvnitř"), &c);
        child.setGeometry(100, 40, 60, 30);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList log;
        connect(&c, &Container3D::MouseEnter, &c, [&] { log << "enter"; });
        connect(&c, &Container3D::MouseExit, &c, [&] { log << "exit"; });
        int moves = 0;
        connect(&c, &Container3D::MouseMove, &c, [&](short, short, float x, float) {
            ++moves;
            QVERIFY(x >= 0);
        });

        moveCursor(&c, QPoint(10, 10));
        moveCursor(&c, QPoint(20, 15));
        moveCursor(&c, QPoint(30, 20));
        QTRY_VERIFY(moves >= 3);
        QCOMPARE(log, QStringList{"enter"});
        QVERIFY(c.isTrackingMouse());

        // Onto the child: counts as outside; moves there raise nothing.
        moveCursor(&c, QPoint(110, 50));
        QTRY_COMPARE(log, (QStringList{"enter", "exit"}));
        moveCursor(&c, QPoint(120, 55));
        QTest::qWait(120);
        QCOMPARE(log, (QStringList{"enter", "exit"}));
        QVERIFY(!c.isTrackingMouse());

        // Back on the container's own surface.
        moveCursor(&c, QPoint(40, 100));
        QTRY_COMPARE(log, (QStringList{"enter", "exit", "enter"}));
        moveCursor(&window, QPoint(280, 190));
        QTRY_COMPARE(log, (QStringList{"enter", "exit", "enter", "exit"}));
    }

    void clickAndDoubleClick()
    {
        Container3D c;
        QStringList log;
        connect(&c, &Container3D::Click, &c, [&] { log << "Click"; });
        connect(&c, &Container3D::DblClick, &c, [&] { log << "DblClick"; });
        connect(&c, &Container3D::MouseDown, &c, [&] { log << "Down"; });
        connect(&c, &Container3D::MouseUp, &c, [&] { log << "Up"; });
        QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(10, 10));
        // A second press in time comes as a press and then a double click.
        QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseDClick(&c, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(&c, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(log, (QStringList{"Down", "Up", "Click", "Down", "DblClick", "Up"}));
    }

    void framesArePainted()
    {
        Container3D c;
        c.resize(40, 30);
        c.setCtrlEffect(3);
        QImage image = c.grab().toImage();
        // The edge colours themselves are the drawing layer's; here the effect picks the edge.
        QCOMPARE(image.pixel(1, 1), sys(OleColor::DarkShadow3D));
        QCOMPARE(image.pixel(20, 15), sys(OleColor::ButtonFace));
        c.setCtrlEffect(1);
        image = c.grab().toImage();
        QCOMPARE(image.pixel(39, 10), sys(OleColor::ButtonShadow));
        QCOMPARE(image.pixel(1, 1), sys(OleColor::ButtonFace));
    }

    void persistence()
    {
        Container3D c;
        PropertyBag bag;
        c.writeProperties(bag);
        QVERIFY(bag.values().isEmpty());
        c.setCtrlEffect(5);
        c.setBackColor(0x00C0FFEE);
        c.writeProperties(bag);
        QCOMPARE(bag.values().size(), 2);
        Container3D copy;
        copy.readProperties(bag);
        QCOMPARE(bag.readOrder(), (QStringList{"Enabled", "MouseIcon", "MousePointer", "CtrlEffect",
                                               "BackColor", "AutoSize", "BackStyle"}));
        PropertyBag again;
        copy.writeProperties(again);
        QCOMPARE(again.values(), bag.values());
    }

    void lineOrientation_data()
    {
        QTest::addColumn<QSize>("requested");
        QTest::addColumn<QSize>("result");
        QTest::addColumn<bool>("horizontal");
        QTest::newRow("wide") << QSize(100, 50) << QSize(100, 2) << true;
        QTest::newRow("square is vertical") << QSize(50, 50) << QSize(2, 50) << false;
        QTest::newRow("tall") << QSize(10, 80) << QSize(2, 80) << false;
        QTest::newRow("thin wide") << QSize(3, 2) << QSize(3, 2) << true;
    }

    void lineOrientation()
    {
        QFETCH(QSize, requested);
        QFETCH(QSize, result);
        QFETCH(bool, horizontal);
        QWidget window;
        window.resize(200, 200);
        z3DLine line(&window);
        line.resize(requested);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(line.size(), result);
        QCOMPARE(line.isHorizontal(), horizontal);
        const QImage image = line.grab().toImage();
        QCOMPARE(image.pixel(0, 0), sys(OleColor::ButtonShadow));
        QCOMPARE(image.pixel(horizontal ? 0 : 1, horizontal ? 1 : 0), sys(OleColor::Highlight3D));
    }
};

QTEST_MAIN(TestContainer3D)
#include "tst_container3d.moc"
