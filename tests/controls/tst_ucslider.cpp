// The slider: its arithmetic without a widget, then values, errors, events and
// their order, dragging, persistence and the drawn groove. The tip is shown on
// a real display (tst_controls_x11).
#include "ControlTest.h"
#include "controls/ControlError.h"
#include "controls/PropertyBag.h"
#include "controls/Rounding.h"
#include "controls/SliderGeometry.h"
#include "controls/ucSlider.h"

#include <QtTest>

using namespace SliderGeometry;

namespace {

// Every event of a slider, in the order raised.
struct EventLog
{
    explicit EventLog(ucSlider* s)
    {
        record(s, &ucSlider::Click, names, "Click");
        record(s, &ucSlider::ArrivedFirst, names, "ArrivedFirst");
        record(s, &ucSlider::ArrivedLast, names, "ArrivedLast");
        QObject::connect(s, &ucSlider::Change, s,
                         [this, s] { names.append(QString("Change(%1)").arg(s->Value())); });
        QObject::connect(s, &ucSlider::MouseDown, s, [this](short shift) {
            names.append(QString("MouseDown(%1)").arg(shift));
        });
        QObject::connect(s, &ucSlider::MouseUp, s,
                         [this](short shift) { names.append(QString("MouseUp(%1)").arg(shift)); });
    }
    QStringList take() { return std::exchange(names, {}); }
    QStringList names;
};

// A horizontal slider 116 pixels wide: 100 pixels of travel, 10 per value.
void makeHorizontal(ucSlider& s)
{
    s.setOrientation(0);
    s.resize(116, 40);
}

} // namespace

class TestUcSlider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundingAndPositions()
    {
        QCOMPARE(Rounding::halve(-7.0), -3);                      // halving drops towards zero
        QCOMPARE(positionToValue(Vertical, 55.0, 100, 0, 10), 4); // 4.5 to even
        QCOMPARE(positionToValue(Horizontal, 49.25, 100, -100, 200), -2);
        // A thumb filling the control, or an empty range, has no value.
        QVERIFY(!positionToValue(Horizontal, 0.0, 0, 0, 10));
        QVERIFY(!positionToValue(Vertical, 0.0, -4, 0, 10));
        QVERIFY(!positionToValue(Vertical, 5.0, 50, 3, 0));
    }

    void layout()
    {
        struct Row
        {
            int orientation, railStyle;
            QSize railPicture, control;
            int value;
            QSize size;
            QPointF thumb;
            QPoint grooveEnd; // the groove always starts at (6, 5)
        };
        const int H = Horizontal, V = Vertical;
        for (const Row& row : {
                 Row{V, 0, {}, {40, 100}, 0, {16, 100}, {0, 85}, {9, 93}}, // the default
                 Row{H, 1, {}, {116, 40}, 5, {116, 15}, {50, 0}, {109, 8}},
                 Row{H, 0, {}, {0, 0}, 0, {16, 15}, {0, 0}, {9, 8}}, // zero width: the thumb's
                 Row{H, 99, {200, 20}, {50, 50}, 10, {204, 20}, {188, 2}, {197, 8}},
                 Row{V, 99, {21, 150}, {50, 50}, 0, {21, 154}, {2, 139}, {9, 147}},
                 Row{H, 99, {100, 10}, {50, 50}, 0, {104, 15}, {0, 0}, {97, 8}}, // a low rail
                 Row{H, 99, {}, {116, 40}, 0, {116, 15}, {0, 0}, {109, 8}},      // 99 without one
             }) {
            LayoutInput in;
            in.orientation = row.orientation;
            in.railStyle = row.railStyle;
            in.railPicture = row.railPicture;
            in.control = row.control;
            in.value = row.value;
            const Layout out = SliderGeometry::layout(in);
            QCOMPARE(out.control, row.size);
            QCOMPARE(out.thumb, row.thumb);
            QCOMPARE(out.groove, QRect(QPoint(6, 5), row.grooveEnd));
        }
    }

    void tipSitsBesideTheThumb()
    {
        // 6 pixels left of a vertical thumb (above a horizontal one: tst_controls_x11).
        const QPoint origin(100, 200);
        const QSize thumb(16, 15);
        QCOMPARE(tipPosition(Vertical, origin, {0, 42.5}, thumb, {12, 13}), QPoint(82, 242));
        QCOMPARE(thumbRect(QPointF(0, 42.5), thumb), QRect(0, 42, 16, 16)); // edges rounded apart
        QCOMPARE(thumbRect(QPointF(0, 43.5), thumb), QRect(0, 44, 16, 14));
    }

    void valueEventsInOrderAndNoneForTheSameValue()
    {
        ucSlider s;
        s.setValue(4);
        EventLog log(&s);
        s.setValue(4); // the same value raises nothing
        s.setValue(10);
        s.setValue(0);
        s.setValue(3);
        QCOMPARE(log.take(), (QStringList{"Change(10)", "ArrivedLast", "Change(0)", "ArrivedFirst",
                                          "Change(3)"}));
        s.resize(16, 115); // 100 pixels of travel
        s.setValue(7);
        s.setMin(3); // above the value: moves the value and the thumb to the Min end
        QCOMPARE(log.take(), (QStringList{"Change(7)", "Change(3)", "ArrivedFirst"}));
        QCOMPARE(s.thumbPosition().y(), 100.0);
        s.setMin(0);
        s.setValue(8);
        log.take();
        s.setMax(5); // below the value: kept
        QCOMPARE((QList<int>{s.Max(), s.Value()}), (QList<int>{5, 8}));
        s.setMax(20);
        QCOMPARE(s.thumbPosition().y(), 60.0); // 8 of 0..20
        QCOMPARE(log.names, QStringList());
    }

    void invalidValuesRaise380AndChangeNothing()
    {
        ucSlider s;
        s.setValue(2);
        EventLog log(&s);
        for (auto [property, set, value] : {std::tuple{"Value", &ucSlider::setValue, 11},
                                            {"Value", &ucSlider::setValue, -1},
                                            {"Max", &ucSlider::setMax, 0},
                                            {"Min", &ucSlider::setMin, 12}}) {
            try {
                (s.*set)(value);
                QFAIL("no error");
            } catch (const ControlError& e) {
                QCOMPARE(e.number(), 380);
                QCOMPARE(e.source(), QString("ucSlider.") + QLatin1String(property));
            }
        }
        QCOMPARE((QList<int>{s.Min(), s.Max(), s.Value()}), (QList<int>{0, 10, 2}));
        QCOMPARE(log.names, QStringList());
    }

    void pressesOnTheRailAndOnTheThumb()
    {
        ucSlider s;
        makeHorizontal(s);
        EventLog log(&s);
        // A press on the rail jumps the thumb's centre there, before MouseDown.
        QTest::mousePress(&s, Qt::LeftButton, Qt::ShiftModifier, QPoint(58, 7));
        QCOMPARE(s.thumbPosition(), QPointF(50, 0));
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(58, 7));
        // Pressed on the thumb, released outside: MouseUp but no Click.
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(58, 7));
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(58, 40));
        QTest::mousePress(&s, Qt::RightButton, {}, QPoint(100, 7)); // does nothing
        QTest::mouseRelease(&s, Qt::RightButton, {}, QPoint(100, 7));
        QCOMPARE(log.names, (QStringList{"Change(5)", "MouseDown(1)", "Click", "MouseUp(0)",
                                         "MouseDown(0)", "MouseUp(0)"}));
    }

    void dragMovesInWholeSteps()
    {
        // The thumb at 10 is grabbed 8 pixels from its left edge.
        for (auto [x, value] : {std::pair{8 + 25, 2}, {300, 10}, {-50, 0}}) {
            ucSlider s;
            makeHorizontal(s);
            s.setValue(1);
            QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(18, 7));
            QTest::mouseMove(&s, QPoint(x, 7));
            QCOMPARE(s.Value(), value);                    // 2.5 to even, and held at the ends
            QCOMPARE(s.thumbPosition().x(), value * 10.0); // snapped back to the value
            QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(x, 7));
        }
        ucSlider full; // a thumb filling the slider has no travel, and must not fail
        full.setOrientation(0);
        full.resize(16, 15);
        full.setValue(4);
        QTest::mousePress(&full, Qt::LeftButton, {}, QPoint(8, 7));
        QTest::mouseMove(&full, QPoint(3, 7));
        QTest::mouseRelease(&full, Qt::LeftButton, {}, QPoint(14, 7));
        QCOMPARE(full.Value(), 4);
    }

    void persistence()
    {
        ucSlider s;
        s.setOrientation(0);
        s.setMin(-100);
        s.setMax(100);
        s.setValue(25);
        s.setShowValueTip(false);
        ucSlider copy;
        copy.resize(216, 15);
        EventLog log(&copy);
        checkPersistence(s, copy, 5,
                         {"BackColor", "MousePointer", "MouseIcon", "Enabled", "Orientation",
                          "RailStyle", "ShowValueTip", "Min", "Max", "Value", "SliderImage",
                          "RailImage"});
        QCOMPARE(copy.thumbPosition(), QPointF(125, 0));
        copy.setValue(25); // the value read counts as notified
        // Saved values are not validated: a value outside the range is kept.
        copy.readProperties(PropertyBag(QVariantMap{{"Min", 5}, {"Max", 8}, {"Value", 20}}));
        QCOMPARE(copy.Value(), 20);
        QCOMPARE(log.names, QStringList());
    }

    void railStyle4DrawsNoGroove()
    {
        ucSlider s;
        makeHorizontal(s);
        s.setValue(10); // the thumb out of the groove's left part
        s.setRailStyle(4);
        QImage image = s.grab().toImage();
        for (const QPoint p : {QPoint(6, 5), QPoint(7, 6), QPoint(30, 8), QPoint(59, 7)})
            QCOMPARE(image.pixel(p), sys(OleColor::ButtonFace));
        s.setRailStyle(0); // the sunken groove
        image = s.grab().toImage();
        QCOMPARE(image.pixel(6, 5), sys(OleColor::ButtonShadow));
        QCOMPARE(image.pixel(20, 8), sys(OleColor::Highlight3D));
        QCOMPARE(image.pixel(115, 3), sys(OleColor::DarkShadow3D)); // the thumb's raised edge
    }
};

QTEST_MAIN(TestUcSlider)
#include "tst_ucslider.moc"
