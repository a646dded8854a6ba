// The slider's arithmetic, without a widget.
#include "controls/Rounding.h"
#include "controls/SliderGeometry.h"

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

} // namespace

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
};

QTEST_MAIN(TestSliderGeometry)
#include "tst_slidergeometry.moc"
