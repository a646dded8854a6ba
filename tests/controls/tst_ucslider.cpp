// The slider: its arithmetic without a widget, then the widget's values, errors,
// events and their order, dragging, the tip, persistence and a few painted pixels.
#include "controls/ControlError.h"
#include "controls/PropertyBag.h"
#include "controls/Rounding.h"
#include "controls/SliderGeometry.h"
#include "controls/ucSlider.h"
#include "controls/ucSliderTip.h"
#include "platform/OleColor.h"

#include <QLabel>
#include <QtTest>

using namespace SliderGeometry;
using Rounding::halve;

namespace {

constexpr int NoValue = -999; // positionToValue gives none

// The current row's value of a column (what QFETCH reads).
template <typename T> T fetch(const char* column)
{
    return *static_cast<T*>(QTest::qData(column, qMetaTypeId<T>()));
}

// Every event of a slider, in the order raised, as "Name" or "Name(args)".
class EventLog : public QObject
{
public:
    explicit EventLog(ucSlider* s)
    {
        connect(s, &ucSlider::Click, this, [this] { names.append(QStringLiteral("Click")); });
        connect(s, &ucSlider::Change, this,
                [this, s] { names.append(QStringLiteral("Change(%1)").arg(s->Value())); });
        connect(s, &ucSlider::ArrivedFirst, this,
                [this] { names.append(QStringLiteral("ArrivedFirst")); });
        connect(s, &ucSlider::ArrivedLast, this,
                [this] { names.append(QStringLiteral("ArrivedLast")); });
        connect(s, &ucSlider::MouseDown, this,
                [this](short shift) { names.append(QStringLiteral("MouseDown(%1)").arg(shift)); });
        connect(s, &ucSlider::MouseUp, this,
                [this](short shift) { names.append(QStringLiteral("MouseUp(%1)").arg(shift)); });
    }
    QStringList take() { return std::exchange(names, {}); }
    QStringList names;
};

// Counts paint events of a widget.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

int errorNumber(const std::function<void()>& action, QString* source = nullptr)
{
    try {
        action();
    } catch (const ControlError& e) {
        if (source)
            *source = e.source();
        return e.number();
    }
    return 0;
}

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
    void roundingGoesToTheEvenNeighbour_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("rounded");
        QTest::addColumn<int>("halved");
        QTest::newRow("1.5") << 1.5 << 2 << 1;
        QTest::newRow("2.5") << 2.5 << 2 << 1;
        QTest::newRow("3.5") << 3.5 << 4 << 2;
        QTest::newRow("2.4999") << 2.4999 << 2 << 1;
        QTest::newRow("2.5001") << 2.5001 << 3 << 1;
        QTest::newRow("-1.5") << -1.5 << -2 << -1;
        QTest::newRow("-2.5") << -2.5 << -2 << -1;
        QTest::newRow("-7") << -7.0 << -7 << -3; // halving drops towards zero
    }

    void roundingGoesToTheEvenNeighbour()
    {
        QFETCH(double, x);
        QTEST(Rounding::halfEven(x), "rounded");
        QTEST(halve(x), "halved");
    }

    void valueToPosition_data()
    {
        for (const char* column : {"orientation", "travel", "value", "min", "range"})
            QTest::addColumn<int>(column);
        QTest::addColumn<double>("position");
        const auto row = [](const char* tag, int o, int travel, int value, int min, int range,
                            double position) {
            QTest::newRow(tag) << o << travel << value << min << range << position;
        };
        // The default vertical slider, 100 high with the 15-pixel thumb.
        row("vertical min at the bottom", Vertical, 85, 0, 0, 10, 85.0);
        row("vertical max at the top", Vertical, 85, 10, 0, 10, 0.0);
        row("horizontal 3 of -5..5", Horizontal, 100, 3, -5, 10, 80.0);
        row("balance centre", Horizontal, 84, 0, -100, 200, 42.0);
        row("no travel", Horizontal, 0, 7, 0, 10, 0.0);
        row("unchecked empty range", Vertical, 85, 3, 3, 0, 85.0);
        row("value above max stays at the end", Horizontal, 100, 12, 0, 10, 100.0);
        row("value below min stays at the end", Vertical, 85, -3, 0, 10, 85.0);
    }

    void valueToPosition()
    {
        QTEST(SliderGeometry::valueToPosition(fetch<int>("orientation"), fetch<int>("travel"),
                                              fetch<int>("value"), fetch<int>("min"),
                                              fetch<int>("range")),
              "position");
    }

    void positionToValue_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<double>("position");
        for (const char* column : {"travel", "min", "range", "value"})
            QTest::addColumn<int>(column);
        const auto row = [](const char* tag, int o, double position, int travel, int min, int range,
                            int value) {
            QTest::newRow(tag) << o << position << travel << min << range << value;
        };
        // 10 pixels per value: half-way points go to the even value.
        row("2.5 -> 2", Horizontal, 25.0, 100, 0, 10, 2);
        row("3.5 -> 4", Horizontal, 35.0, 100, 0, 10, 4);
        row("just past half", Horizontal, 25.1, 100, 0, 10, 3);
        row("vertical top is max", Vertical, 0.0, 85, 0, 10, 10);
        row("vertical bottom is min", Vertical, 85.0, 85, 0, 10, 0);
        row("vertical half-way 4.5 -> 4", Vertical, 55.0, 100, 0, 10, 4);
        row("negative half -0.5 -> 0", Horizontal, 49.75, 100, -100, 200, 0);
        row("negative half -1.5 -> -2", Horizontal, 49.25, 100, -100, 200, -2);
        // A thumb filling the control, or an empty range, has no value.
        row("no travel", Horizontal, 0.0, 0, 0, 10, NoValue);
        row("negative travel", Vertical, 0.0, -4, 0, 10, NoValue);
        row("empty range", Vertical, 5.0, 50, 3, 0, NoValue);
    }

    void positionToValue()
    {
        const std::optional<int> got = SliderGeometry::positionToValue(
            fetch<int>("orientation"), fetch<double>("position"), fetch<int>("travel"),
            fetch<int>("min"), fetch<int>("range"));
        QTEST(got.value_or(NoValue), "value");
    }

    void layout_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("railStyle");
        QTest::addColumn<QSize>("railPicture");
        QTest::addColumn<QSize>("control");
        QTest::addColumn<int>("value");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPointF>("thumb");
        QTest::addColumn<QRect>("groove");
        // The groove always starts at (6, 5); the row gives its last pixel.
        const auto row = [](const char* tag, int o, int style, QSize picture, QSize control,
                            int value, QSize size, QPointF thumb, QPoint grooveEnd) {
            QTest::newRow(tag) << o << style << picture << control << value << size << thumb
                               << QRect(QPoint(6, 5), grooveEnd);
        };
        const int H = Horizontal, V = Vertical;
        row("default vertical", V, 0, {}, {40, 100}, 0, {16, 100}, {0, 85}, {9, 93});
        row("horizontal", H, 1, {}, {116, 40}, 5, {116, 15}, {50, 0}, {109, 8});
        row("zero width takes the thumb's", H, 0, {}, {0, 0}, 0, {16, 15}, {0, 0}, {9, 8});
        row("zero height takes the thumb's", V, 0, {}, {0, 0}, 0, {16, 15}, {0, 0}, {9, 8});
        row("rail picture", H, 99, {200, 20}, {50, 50}, 10, {204, 20}, {188, 2}, {197, 8});
        row("vertical rail picture", V, 99, {21, 150}, {50, 50}, 0, {21, 154}, {2, 139}, {9, 147});
        row("low rail picture", H, 99, {100, 10}, {50, 50}, 0, {104, 15}, {0, 0}, {97, 8});
        row("style 99 without a picture", H, 99, {}, {116, 40}, 0, {116, 15}, {0, 0}, {109, 8});
    }

    void layout()
    {
        LayoutInput in;
        in.orientation = fetch<int>("orientation");
        in.railStyle = fetch<int>("railStyle");
        in.railPicture = fetch<QSize>("railPicture");
        in.control = fetch<QSize>("control");
        in.value = fetch<int>("value");
        const Layout out = SliderGeometry::layout(in);
        QTEST(out.control, "size");
        QTEST(out.thumb, "thumb");
        QTEST(out.groove, "groove");
    }

    void tipSitsBesideTheThumb()
    {
        // Centred 5 pixels above a horizontal thumb; 6 pixels left of a vertical one.
        const QPoint origin(100, 200);
        const QSize thumb(16, 15);
        QCOMPARE(tipPosition(Horizontal, origin, {40, 0}, thumb, {12, 13}), QPoint(140, 182));
        QCOMPARE(tipPosition(Horizontal, origin, {40, 0}, thumb, {18, 13}), QPoint(137, 182));
        QCOMPARE(tipPosition(Vertical, origin, {0, 42.5}, thumb, {12, 13}), QPoint(82, 242));
        // Each edge of the box is rounded on its own.
        QCOMPARE(thumbRect(QPointF(0, 42.5), thumb), QRect(0, 42, 16, 16));
        QCOMPARE(thumbRect(QPointF(0, 43.5), thumb), QRect(0, 44, 16, 14));
        QCOMPARE(thumbRect(QPointF(8, 40), thumb), QRect(8, 40, 16, 15));
    }

    void draggingTheDefaultThumbToTheTop()
    {
        ucSlider s;
        s.resize(16, 100);
        EventLog log(&s);
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(8, 92));
        QTest::mouseMove(&s, QPoint(8, 2));
        QCOMPARE(s.Value(), 10);
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(8, 2));
        QCOMPARE(log.names,
                 (QStringList{"MouseDown(0)", "Change(10)", "ArrivedLast", "Click", "MouseUp(0)"}));
        QCOMPARE(s.thumbPosition(), QPointF(0, 0));
    }

    void valueEventsInOrderAndNoneForTheSameValue()
    {
        ucSlider s;
        s.setValue(4);
        s.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        EventLog log(&s);
        PaintCounter counter;
        s.installEventFilter(&counter);
        s.setValue(4); // the same value: no event and no repaint
        QTest::qWait(20);
        QCOMPARE(counter.paints, 0);
        QVERIFY(log.names.isEmpty());
        s.setValue(5);
        QTRY_COMPARE(counter.paints, 1);
        s.setValue(10);
        s.setValue(0);
        s.setValue(3);
        QCOMPARE(log.names, (QStringList{"Change(5)", "Change(10)", "ArrivedLast", "Change(0)",
                                         "ArrivedFirst", "Change(3)"}));
    }

    void rangeChangesAndTheValue()
    {
        ucSlider s;
        s.resize(16, 115); // 100 pixels of travel
        s.setValue(7);
        EventLog log(&s);
        // Min above the value moves the value, and the thumb to the Min end.
        s.setMin(3);
        QCOMPARE(s.Value(), 3);
        QCOMPARE(log.take(), (QStringList{"Change(3)", "ArrivedFirst"}));
        QCOMPARE(s.thumbPosition().y(), 100.0);
        // Max below the value keeps the value.
        s.setMin(0);
        s.setValue(8);
        log.take();
        s.setMax(5);
        QCOMPARE(s.Max(), 5);
        QCOMPARE(s.Value(), 8);
        QVERIFY(log.names.isEmpty());
        s.setMax(20);
        // The thumb shows the value in the new range: 8 of 0..20.
        QCOMPARE(s.thumbPosition().y(), 60.0);
    }

    void invalidValuesRaise380AndChangeNothing_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<int>("value");
        QTest::newRow("value above max") << "Value" << 11;
        QTest::newRow("value below min") << "Value" << -1;
        QTest::newRow("max equal to min") << "Max" << 0;
        QTest::newRow("max below min") << "Max" << -3;
        QTest::newRow("min equal to max") << "Min" << 10;
        QTest::newRow("min above max") << "Min" << 12;
    }

    void invalidValuesRaise380AndChangeNothing()
    {
        QFETCH(QString, property);
        QFETCH(int, value);
        ucSlider s;
        s.setValue(2);
        EventLog log(&s);
        const auto set = property == QLatin1String("Value") ? &ucSlider::setValue
                         : property == QLatin1String("Max") ? &ucSlider::setMax
                                                            : &ucSlider::setMin;
        QString source;
        QCOMPARE(errorNumber([&] { (s.*set)(value); }, &source), 380);
        QCOMPARE(source, QStringLiteral("ucSlider.") + property);
        QCOMPARE((QList<int>{s.Min(), s.Max(), s.Value()}), (QList<int>{0, 10, 2}));
        QVERIFY(log.names.isEmpty());
    }

    void railPressJumpsAndReleaseOutsideDoesNotClick()
    {
        ucSlider s;
        makeHorizontal(s);
        EventLog log(&s);
        // A press on the rail jumps the thumb's centre there.
        QTest::mousePress(&s, Qt::LeftButton, Qt::ShiftModifier, QPoint(58, 7));
        QCOMPARE(s.Value(), 5);
        QCOMPARE(s.thumbPosition(), QPointF(50, 0));
        QCOMPARE(log.take(), (QStringList{"Change(5)", "MouseDown(1)"}));
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(58, 7));
        log.take();
        // Pressed on the thumb, released outside: MouseUp but no Click.
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(58, 7));
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(58, 40));
        QCOMPARE(log.take(), (QStringList{"MouseDown(0)", "MouseUp(0)"}));
        // A right button does nothing on its own.
        QTest::mousePress(&s, Qt::RightButton, {}, QPoint(100, 7));
        QTest::mouseRelease(&s, Qt::RightButton, {}, QPoint(100, 7));
        QVERIFY(log.names.isEmpty());
        QCOMPARE(s.Value(), 5);
    }

    void dragMovesInWholeStepsWithHalfWayToEven_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("value");
        // The thumb is grabbed 8 pixels from its left edge.
        QTest::newRow("2.5 -> 2") << 8 + 25 << 2;
        QTest::newRow("past the right end") << 300 << 10;
        QTest::newRow("past the left end") << -50 << 0;
    }

    void dragMovesInWholeStepsWithHalfWayToEven()
    {
        QFETCH(int, x);
        QFETCH(int, value);
        ucSlider s;
        makeHorizontal(s);
        s.setValue(1);
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(18, 7)); // on the thumb at 10
        QCOMPARE(s.Value(), 1);
        QTest::mouseMove(&s, QPoint(x, 7));
        QCOMPARE(s.Value(), value);
        QCOMPARE(s.thumbPosition().x(), value * 10.0); // snapped back to the value
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(x, 7));
        QVERIFY(!s.isDragging());
    }

    void aThumbFillingTheSliderDoesNotFail()
    {
        ucSlider s;
        s.setOrientation(0);
        s.resize(16, 15); // no travel at all
        s.setValue(4);
        EventLog log(&s);
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(8, 7));
        QTest::mouseMove(&s, QPoint(3, 7));
        QTest::mouseMove(&s, QPoint(14, 7));
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(14, 7));
        QCOMPARE(s.Value(), 4);
        QCOMPARE(log.names, (QStringList{"MouseDown(0)", "Click", "MouseUp(0)"}));
    }

    void tipShowsTheValueUntilReleaseUnlessSwitchedOff()
    {
        QWidget host;
        host.setGeometry(200, 200, 200, 100);
        ucSlider s(&host);
        s.move(20, 30);
        makeHorizontal(s);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(8, 7));
        QTest::mouseMove(&s, QPoint(8 + 70, 7));
        ucSliderTip* tip = ucSliderTip::existing();
        QVERIFY(tip);
        QVERIFY(tip->isVisible());
        QCOMPARE(tip->text(), QStringLiteral("7"));
        // Its place beside the thumb is checked on a real X display.
        QCOMPARE(tip->labelSize().width(),
                 tip->lblTip()->fontMetrics().horizontalAdvance(QStringLiteral("7")));
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(78, 7));
        QVERIFY(!ucSliderTip::existing());
        s.setShowValueTip(false);
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(8, 7));
        QTest::mouseMove(&s, QPoint(30, 7));
        QVERIFY(!ucSliderTip::existing());
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(30, 7));
    }

    void propertiesRoundTrip()
    {
        ucSlider s;
        PropertyBag bag;
        s.writeProperties(bag); // defaults are not written
        QVERIFY2(bag.values().isEmpty(), qPrintable(bag.values().keys().join(u',')));
        s.setOrientation(0);
        s.setMin(-100);
        s.setMax(100);
        s.setValue(25);
        s.setRailStyle(2);
        s.setShowValueTip(false);
        s.setBackColor(0x00FF8000);
        s.writeProperties(bag);
        QCOMPARE(bag.values().size(), 7);

        ucSlider copy;
        copy.resize(216, 15);
        EventLog log(&copy);
        copy.readProperties(bag);
        QVERIFY(log.names.isEmpty());
        QCOMPARE(bag.readOrder(), (QStringList{"BackColor", "MousePointer", "MouseIcon", "Enabled",
                                               "Orientation", "RailStyle", "ShowValueTip", "Min",
                                               "Max", "Value", "SliderImage", "RailImage"}));
        PropertyBag again;
        copy.writeProperties(again);
        QCOMPARE(again.values(), bag.values());
        QCOMPARE(copy.thumbPosition(), QPointF(125, 0));
        // The value read counts as notified: setting it again raises nothing.
        copy.setValue(25);
        QVERIFY(log.names.isEmpty());
        // Saved values are not validated: a value outside the range is kept.
        copy.readProperties(PropertyBag(QVariantMap{{"Min", 5}, {"Max", 8}, {"Value", 20}}));
        QCOMPARE(copy.Value(), 20);
        QVERIFY(log.names.isEmpty());
    }

    void railStyle4DrawsNoGroove()
    {
        const auto sys = [](quint32 ref) {
            return OleColor::toColor(ref).rgb();
        };
        ucSlider s;
        makeHorizontal(s);
        s.setValue(10); // the thumb out of the groove's left part
        s.setRailStyle(4);
        QImage image = s.grab().toImage();
        for (int x = 6; x < 60; ++x)
            for (int y = 5; y < 9; ++y)
                QCOMPARE(image.pixel(x, y), sys(OleColor::ButtonFace));
        s.setRailStyle(0); // the sunken groove: shadow, dark shadow; highlight, light
        image = s.grab().toImage();
        QCOMPARE(image.pixel(6, 5), sys(OleColor::ButtonShadow));
        QCOMPARE(image.pixel(7, 6), sys(OleColor::DarkShadow3D));
        QCOMPARE(image.pixel(20, 8), sys(OleColor::Highlight3D));
        QCOMPARE(image.pixel(20, 7), sys(OleColor::Light3D));
        // The thumb's raised edge at the right end.
        QCOMPARE(image.pixel(100, 3), sys(OleColor::Light3D));
        QCOMPARE(image.pixel(115, 3), sys(OleColor::DarkShadow3D));
    }
};

QTEST_MAIN(TestUcSlider)
#include "tst_ucslider.moc"
