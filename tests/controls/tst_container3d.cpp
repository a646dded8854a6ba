// The framed container and the 3D line: errors, sizing, frames, persistence.
// Hover runs on a real display (tst_controls_x11).
#include "ControlTest.h"
#include "controls/Container3D.h"
#include "controls/ControlError.h"
#include "controls/z3DLine.h"

#include <QLabel>
#include <QtTest>

class TestContainer3D : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void outOfRangeValuesRaise514AndChangeNothing()
    {
        Container3D c;
        c.setCtrlEffect(3);
        for (auto [property, value] :
             {std::pair{"CtrlEffect", 6}, {"CtrlEffect", -1}, {"AutoSize", 2}, {"AutoSize", -1}}) {
            try {
                property == QLatin1String("AutoSize") ? c.setAutoSize(value)
                                                      : c.setCtrlEffect(value);
                QFAIL("no error");
            } catch (const ControlError& e) {
                QCOMPARE(e.number(), 514);
                QCOMPARE(e.description(), QString("Index Out Of Bounds"));
                QCOMPARE(e.source(), QString("Container3D.") + QLatin1String(property));
            }
        }
        QCOMPARE((QList<int>{c.CtrlEffect(), c.AutoSize()}), (QList<int>{3, 0}));
    }

    void autoSizeFillsOnlyASingleChild()
    {
        for (auto [effect, inner] : {std::pair{0, QSize(120, 80)},
                                     {1, QSize(118, 78)},
                                     {3, QSize(116, 76)},
                                     {5, QSize(116, 76)}}) {
            Container3D c;
            c.resize(120, 80);
            c.setCtrlEffect(effect);
            QLabel child(&c);
            child.setGeometry(2, 2, 30, 10);
            c.setAutoSize(1);
            QCOMPARE(child.geometry(), QRect(QPoint(2, 2), inner)); // only the size is set
            c.show();
            c.resize(200, 100); // and follows the container's size
            QCOMPARE(child.size(), c.innerRect().size());
            QLabel second(&c);
            c.resize(150, 90); // two children are left alone
            QCOMPARE(child.size(), QSize(200, 100) - (QSize(120, 80) - inner));
        }
        Container3D c; // no side below 8 pixels
        c.resize(3, 0);
        QCOMPARE(c.size(), QSize(8, 8));
    }

    void framesAndPersistence()
    {
        Container3D c;
        c.resize(40, 30);
        c.setCtrlEffect(3); // the effect picks the edge; its colours are the drawing layer's
        QCOMPARE(c.grab().toImage().pixel(1, 1), sys(OleColor::DarkShadow3D));
        c.setCtrlEffect(1);
        QImage image = c.grab().toImage();
        QCOMPARE(image.pixel(39, 10), sys(OleColor::ButtonShadow));
        QCOMPARE(image.pixel(1, 1), sys(OleColor::ButtonFace));
        PropertyBag bag;
        c.writeProperties(bag);
        QCOMPARE(bag.values().size(), 0);
        c.setCtrlEffect(5);
        c.setBackColor(0x00C0FFEE);
        c.writeProperties(bag);
        Container3D copy;
        copy.readProperties(bag);
        QCOMPARE(bag.readOrder(), (QStringList{"Enabled", "MouseIcon", "MousePointer", "CtrlEffect",
                                               "BackColor", "AutoSize", "BackStyle"}));
        PropertyBag again;
        copy.writeProperties(again);
        QCOMPARE(again.values(), bag.values());
        QCOMPARE(bag.values().size(), 2);
    }

    void lineOrientation()
    {
        for (auto [requested, result] : {std::pair{QSize(100, 50), QSize(100, 2)},
                                         {QSize(50, 50), QSize(2, 50)}, // square is vertical
                                         {QSize(3, 2), QSize(3, 2)}}) {
            z3DLine line;
            line.resize(requested);
            const QImage image = line.grab().toImage(); // a hidden line lays out when grabbed
            QCOMPARE(line.size(), result);
            const bool horizontal = result.height() == 2 && result.width() > 2;
            QCOMPARE(line.isHorizontal(), horizontal);
            QCOMPARE(image.pixel(0, 0), sys(OleColor::ButtonShadow));
            QCOMPARE(image.pixel(horizontal ? 0 : 1, horizontal ? 1 : 0),
                     sys(OleColor::Highlight3D));
        }
    }
};

QTEST_MAIN(TestContainer3D)
#include "tst_container3d.moc"
