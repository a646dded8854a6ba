// The slider's arithmetic, without a widget.
#include "controls/Rounding.h"
#include "controls/SliderGeometry.h"

#include <QtTest>

using namespace SliderGeometry;
using Rounding::halve;

class TestSliderGeometry : public QObject
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
        QFETCH(int, rounded);
        QFETCH(int, halved);
        QCOMPARE(Rounding::halfEven(x), rounded);
        QCOMPARE(halve(x), halved);
    }

    void valueToPosition_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("travel");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("range");
        QTest::addColumn<double>("position");
        // The default vertical slider, 100 high with the 15-pixel thumb.
        QTest::newRow("vertical min at the bottom") << Vertical << 85 << 0 << 0 << 10 << 85.0;
        QTest::newRow("vertical max at the top") << Vertical << 85 << 10 << 0 << 10 << 0.0;
        QTest::newRow("horizontal 3 of -5..5") << Horizontal << 100 << 3 << -5 << 10 << 80.0;
        QTest::newRow("balance centre") << Horizontal << 84 << 0 << -100 << 200 << 42.0;
        QTest::newRow("no travel") << Horizontal << 0 << 7 << 0 << 10 << 0.0;
        QTest::newRow("unchecked empty range") << Vertical << 85 << 3 << 3 << 0 << 85.0;
        QTest::newRow("value above max stays at the end")
            << Horizontal << 100 << 12 << 0 << 10 << 100.0;
        QTest::newRow("value below min stays at the end")
            << Vertical << 85 << -3 << 0 << 10 << 85.0;
    }

    void valueToPosition()
    {
        QFETCH(int, orientation);
        QFETCH(int, travel);
        QFETCH(int, value);
        QFETCH(int, min);
        QFETCH(int, range);
        QFETCH(double, position);
        QCOMPARE(SliderGeometry::valueToPosition(orientation, travel, value, min, range), position);
    }

    void positionToValue_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<double>("position");
        QTest::addColumn<int>("travel");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("value");
        // 10 pixels per value: half-way points go to the even value.
        QTest::newRow("2.5 -> 2") << Horizontal << 25.0 << 100 << 0 << 10 << 2;
        QTest::newRow("3.5 -> 4") << Horizontal << 35.0 << 100 << 0 << 10 << 4;
        QTest::newRow("just past half") << Horizontal << 25.1 << 100 << 0 << 10 << 3;
        QTest::newRow("vertical top is max") << Vertical << 0.0 << 85 << 0 << 10 << 10;
        QTest::newRow("vertical bottom is min") << Vertical << 85.0 << 85 << 0 << 10 << 0;
        QTest::newRow("vertical half-way 4.5 -> 4") << Vertical << 55.0 << 100 << 0 << 10 << 4;
        QTest::newRow("negative half -0.5 -> 0") << Horizontal << 49.75 << 100 << -100 << 200 << 0;
        QTest::newRow("negative half -1.5 -> -2")
            << Horizontal << 49.25 << 100 << -100 << 200 << -2;
    }

    void positionToValue()
    {
        QFETCH(int, orientation);
        QFETCH(double, position);
        QFETCH(int, travel);
        QFETCH(int, min);
        QFETCH(int, range);
        QFETCH(int, value);
        const std::optional<int> got =
            SliderGeometry::positionToValue(orientation, position, travel, min, range);
        QVERIFY(got.has_value());
        QCOMPARE(*got, value);
    }

    void aThumbFillingTheControlHasNoValue()
    {
        QVERIFY(!SliderGeometry::positionToValue(Horizontal, 0.0, 0, 0, 10));
        QVERIFY(!SliderGeometry::positionToValue(Vertical, 0.0, -4, 0, 10));
        QVERIFY(!SliderGeometry::positionToValue(Vertical, 5.0, 50, 3, 0));
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
        QTest::newRow("default vertical")
            << Vertical << 0 << QSize() << QSize(40, 100) << 0 << QSize(16, 100) << QPointF(0, 85)
            << QRect(QPoint(6, 5), QPoint(9, 93));
        QTest::newRow("horizontal")
            << Horizontal << 1 << QSize() << QSize(116, 40) << 5 << QSize(116, 15) << QPointF(50, 0)
            << QRect(QPoint(6, 5), QPoint(109, 8));
        QTest::newRow("zero width takes the thumb's")
            << Horizontal << 0 << QSize() << QSize(0, 0) << 0 << QSize(16, 15) << QPointF(0, 0)
            << QRect(QPoint(6, 5), QPoint(9, 8));
        QTest::newRow("zero height takes the thumb's")
            << Vertical << 0 << QSize() << QSize(0, 0) << 0 << QSize(16, 15) << QPointF(0, 0)
            << QRect(QPoint(6, 5), QPoint(9, 8));
        QTest::newRow("horizontal rail picture")
            << Horizontal << 99 << QSize(200, 20) << QSize(50, 50) << 10 << QSize(204, 20)
            << QPointF(188, 2) << QRect(QPoint(6, 5), QPoint(197, 8));
        QTest::newRow("vertical rail picture")
            << Vertical << 99 << QSize(21, 150) << QSize(50, 50) << 0 << QSize(21, 154)
            << QPointF(2, 139) << QRect(QPoint(6, 5), QPoint(9, 147));
        QTest::newRow("rail picture not taller than the thumb")
            << Horizontal << 99 << QSize(100, 10) << QSize(50, 50) << 0 << QSize(104, 15)
            << QPointF(0, 0) << QRect(QPoint(6, 5), QPoint(97, 8));
        QTest::newRow("style 99 without a picture")
            << Horizontal << 99 << QSize() << QSize(116, 40) << 0 << QSize(116, 15) << QPointF(0, 0)
            << QRect(QPoint(6, 5), QPoint(109, 8));
    }

    void layout()
    {
        QFETCH(int, orientation);
        QFETCH(int, railStyle);
        QFETCH(QSize, railPicture);
        QFETCH(QSize, control);
        QFETCH(int, value);
        QFETCH(QSize, size);
        QFETCH(QPointF, thumb);
        QFETCH(QRect, groove);
        LayoutInput in;
        in.orientation = orientation;
        in.railStyle = railStyle;
        in.railPicture = railPicture;
        in.control = control;
        in.value = value;
        const Layout out = SliderGeometry::layout(in);
        QCOMPARE(out.control, size);
        QCOMPARE(out.thumb, thumb);
        QCOMPARE(out.groove, groove);
    }

    void tipSitsBesideTheThumb()
    {
        // Centred 5 pixels above a horizontal thumb.
        QCOMPARE(
            tipPosition(Horizontal, QPoint(100, 200), QPointF(40, 0), QSize(16, 15), QSize(12, 13)),
            QPoint(140, 182));
        QCOMPARE(
            tipPosition(Horizontal, QPoint(100, 200), QPointF(40, 0), QSize(16, 15), QSize(18, 13)),
            QPoint(137, 182));
        // 6 pixels left of a vertical thumb, centred beside it.
        QCOMPARE(
            tipPosition(Vertical, QPoint(100, 200), QPointF(0, 42.5), QSize(16, 15), QSize(12, 13)),
            QPoint(82, 242));
        // Each edge of the box is rounded on its own.
        QCOMPARE(thumbRect(QPointF(0, 42.5), QSize(16, 15)), QRect(0, 42, 16, 16));
        QCOMPARE(thumbRect(QPointF(0, 43.5), QSize(16, 15)), QRect(0, 44, 16, 14));
        QCOMPARE(thumbRect(QPointF(8, 40), QSize(16, 15)), QRect(8, 40, 16, 15));
    }
};

QTEST_MAIN(TestSliderGeometry)
#include "tst_slidergeometry.moc"
