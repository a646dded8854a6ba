// Hover tracking, the slider tip and drag and drop on a real X display: the
// cursor probe sees the pointer where the X server puts it, and a drag runs
// QDrag's own loop driven by xdotool.
#include "controls/ButtonEx.h"
#include "controls/Container3D.h"
#include "controls/LumenButton.h"
#include "controls/ucSlider.h"
#include "controls/ucSliderTip.h"

#include <QCursor>
#include <QLabel>
#include <QProcess>
#include <QtTest>

namespace {

void pointAt(QWidget* widget, QPoint local)
{
    QCursor::setPos(widget->mapToGlobal(local));
}

} // namespace

class TestControlsX11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb")); }

    void hoverEntersAndLeavesOnce()
    {
        QWidget window;
        window.resize(400, 200);
        auto* lumen = new LumenButton(&window);
        lumen->setGeometry(10, 10, 100, 30);
        lumen->setSoundOver(QString());
        auto* button = new ButtonEx(&window);
        button->setGeometry(10, 60, 100, 30);
        auto* container = new Container3D(&window);
        container->setGeometry(150, 10, 200, 150);
        auto* child = new QLabel(QStringLiteral("uvnitř"), container);
        child->setGeometry(100, 60, 80, 40);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // One log per control: their timers and the moves interleave freely.
        QStringList lumenLog, buttonLog, containerLog;
        connect(lumen, &LumenButton::MouseIn, [&](short) { lumenLog.append("in"); });
        connect(lumen, &LumenButton::MouseOut, [&](short) { lumenLog.append("out"); });
        connect(button, &ButtonEx::MouseEnter, [&] { buttonLog.append("enter"); });
        connect(button, &ButtonEx::MouseExit, [&] { buttonLog.append("exit"); });
        connect(container, &Container3D::MouseEnter, [&] { containerLog.append("enter"); });
        connect(container, &Container3D::MouseExit, [&] { containerLog.append("exit"); });

        pointAt(lumen, QPoint(20, 10));
        QTRY_COMPARE(lumenLog, QStringList{"in"});
        pointAt(lumen, QPoint(30, 12));
        pointAt(button, QPoint(20, 10));
        QTRY_COMPARE(lumenLog, (QStringList{"in", "out"}));
        QTRY_COMPARE(buttonLog, QStringList{"enter"});
        pointAt(button, QPoint(40, 12));
        pointAt(container, QPoint(20, 20));
        QTRY_COMPARE(buttonLog, (QStringList{"enter", "exit"}));
        QTRY_COMPARE(containerLog, QStringList{"enter"});
        // Over the container's child counts as outside it.
        pointAt(container, QPoint(120, 80));
        QTRY_COMPARE(containerLog, (QStringList{"enter", "exit"}));
        QTest::qWait(150);
        QCOMPARE(lumenLog.size() + buttonLog.size() + containerLog.size(), 6);
    }

    void tipFloatsAboveTheThumb()
    {
        QWidget window;
        window.resize(300, 120);
        auto* slider = new ucSlider(&window);
        slider->setOrientation(0);
        slider->setGeometry(40, 60, 116, 15);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(78, 7)); // value 7
        QCOMPARE(slider->Value(), 7);
        ucSliderTip* tip = ucSliderTip::existing();
        QVERIFY(tip);
        QTRY_VERIFY(tip->isVisible());
        const QPoint thumb = slider->mapToGlobal(QPoint(70, 0));
        // 5 pixels above the thumb, as high as the label and 3 more.
        const int labelHeight = tip->labelSize().height();
        QTRY_COMPARE(tip->geometry(), QRect(tip->x(), thumb.y() - labelHeight - 5,
                                            tip->labelSize().width() + 4, labelHeight + 3));
        QVERIFY(qAbs(tip->geometry().center().x() - (thumb.x() + 8)) <= 2);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(78, 7));
        QVERIFY(!ucSliderTip::existing());
    }

    void dragFromOneButtonDropsOnAnother()
    {
        QWidget window;
        window.resize(300, 100);
        auto* source = new ButtonEx(&window);
        source->setGeometry(10, 10, 100, 30);
        auto* target = new ButtonEx(&window);
        target->setGeometry(170, 10, 100, 30);
        target->setOLEDropMode(1);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QStringList log;
        connect(source, &ButtonEx::MouseDown, source, [&] { source->OLEDrag(); });
        connect(source, &ButtonEx::OLEStartDrag, source, [&](DataObject* data, int& allowed) {
            data->SetData(QStringLiteral("Rádio"), DataObject::CFText);
            allowed = OleDragDrop::EffectCopy;
        });
        connect(source, &ButtonEx::OLECompleteDrag, source,
                [&](int effect) { log << QStringLiteral("complete %1").arg(effect); });
        connect(target, &ButtonEx::OLEDragDrop, target, [&](DataObject* data, int& effect) {
            log << QStringLiteral("drop %1 %2")
                       .arg(data->GetData(DataObject::CFText).toString())
                       .arg(effect);
        });

        const QPoint from = source->mapToGlobal(QPoint(20, 15));
        const QPoint to = target->mapToGlobal(QPoint(50, 15));
        auto at = [](QPoint p) {
            return QStringList{"mousemove", "--sync", QString::number(p.x()),
                               QString::number(p.y())};
        };
        QProcess xdotool;
        xdotool.start("xdotool", at(from) + QStringList{"mousedown", "1", "sleep", "0.3"} +
                                     at(from + QPoint(30, 0)) + QStringList{"sleep", "0.3"} +
                                     at(to) + QStringList{"sleep", "0.3"} + at(to + QPoint(3, 2)) +
                                     QStringList{"sleep", "0.3", "mouseup", "1"});
        const auto stop = qScopeGuard([&] {
            xdotool.kill();
            xdotool.waitForFinished(2000);
        });
        QTRY_COMPARE_WITH_TIMEOUT(log, (QStringList{"drop Rádio 1", "complete 1"}), 10000);
    }
};

QTEST_MAIN(TestControlsX11)
#include "tst_controls_x11.moc"
