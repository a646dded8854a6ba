// Hover tracking and drag and drop on a real X display: the cursor probe sees
// the pointer where the X server puts it, and a drag runs QDrag's own loop
// driven by xdotool as a user drags.
#include "ControlTest.h"
#include "controls/ButtonEx.h"
#include "controls/Container3D.h"
#include "controls/LumenButton.h"

#include <QCursor>
#include <QLabel>
#include <QProcess>
#include <QtTest>

namespace {

// Bounded, but long enough for a window manager on a loaded two-core machine.
constexpr int Slow = 30000;

QStringList at(QPoint p)
{
    return {"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())};
}

// The three controls side by side, their sounds off.
struct Controls : Host
{
    Controls()
    {
        resize(400, 200);
        lumen->setSoundOver(QString());
        lumen->setSoundClick(QString());
        (new QLabel(QString("uvnitř"), container))->setGeometry(0, 0, 60, 40);
    }
    LumenButton* lumen = add<LumenButton>(QRect(10, 10, 100, 30));
    ButtonEx* button = add<ButtonEx>(QRect(10, 60, 100, 30));
    Container3D* container = add<Container3D>(QRect(150, 10, 200, 150));
};

} // namespace

class TestControlsX11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QString("xcb")); }

    void hoverEntersAndLeavesOnce()
    {
        Controls w;
        QVERIFY(shown(w, Slow));
        // One log per control: their timers and the moves interleave freely.
        Log lumen, button, container;
        lumen.watch({w.lumen}, {"MouseIn", "MouseOut"});
        button.watch({w.button}, {"MouseEnter", "MouseExit"});
        container.watch({w.container}, {"MouseEnter", "MouseExit"});
        // An invalid value raised by a handler of the hover timer stays inside it.
        connect(w.button, &ButtonEx::MouseExit, w.container,
                [&] { w.container->setCtrlEffect(9); });
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^error 514 .*CtrlEffect"));
        const auto pointAt = [](QWidget* widget, QPoint local) {
            QCursor::setPos(widget->mapToGlobal(local));
        };
        pointAt(w.lumen, QPoint(20, 10));
        QTRY_COMPARE_WITH_TIMEOUT(lumen.names, QStringList{"MouseIn"}, Slow);
        pointAt(w.lumen, QPoint(30, 12));
        pointAt(w.button, QPoint(20, 10));
        QTRY_COMPARE_WITH_TIMEOUT(lumen.names, (QStringList{"MouseIn", "MouseOut"}), Slow);
        QTRY_COMPARE_WITH_TIMEOUT(button.names, QStringList{"MouseEnter"}, Slow);
        pointAt(w.button, QPoint(40, 12));
        pointAt(w.container, QPoint(120, 80));
        QTRY_COMPARE_WITH_TIMEOUT(button.names, (QStringList{"MouseEnter", "MouseExit"}), Slow);
        QTRY_COMPARE_WITH_TIMEOUT(container.names, QStringList{"MouseEnter"}, Slow);
        pointAt(w.container, QPoint(10, 10)); // over the child counts as outside
        QTRY_COMPARE_WITH_TIMEOUT(container.names, (QStringList{"MouseEnter", "MouseExit"}), Slow);
        pointAt(w.container, QPoint(20, 10)); // still over the child
        QTest::qWait(150);
        pointAt(w.container, QPoint(100, 100)); // back on its own surface
        QTRY_COMPARE_WITH_TIMEOUT(container.names,
                                  (QStringList{"MouseEnter", "MouseExit", "MouseEnter"}), Slow);
        QTest::qWait(150);
        QCOMPARE(lumen.names.size() + button.names.size() + container.names.size(), 7);
    }

    void dragFromOneButtonDropsOnAnother()
    {
        Host window;
        auto* source = window.add<ButtonEx>(QRect(10, 10, 100, 30));
        auto* target = window.add<ButtonEx>(QRect(170, 10, 100, 30));
        target->setOLEDropMode(1);
        QVERIFY(shown(window, Slow));
        QStringList log;
        connect(source, &ButtonEx::MouseDown, source, [&] { source->OLEDrag(); });
        connect(source, &ButtonEx::OLEStartDrag, source, [&](DataObject* data, int& allowed) {
            data->SetData(QString("Rádio"), DataObject::CFText);
            allowed = OleDragDrop::EffectCopy;
        });
        connect(source, &ButtonEx::OLECompleteDrag, source,
                [&](int effect) { log << QString("complete %1").arg(effect); });
        connect(target, &ButtonEx::OLEDragDrop, target, [&](DataObject* data, int& effect) {
            log << QString("drop %1 %2")
                       .arg(data->GetData(DataObject::CFText).toString())
                       .arg(effect);
        });
        const QPoint from = source->mapToGlobal(QPoint(20, 15));
        const QPoint to = target->mapToGlobal(QPoint(50, 15));
        const QStringList pause{"sleep", "0.3"};
        QProcess xdotool;
        xdotool.start("xdotool", at(from) + QStringList{"mousedown", "1"} + pause +
                                     at(from + QPoint(30, 0)) + pause + at(to) + pause +
                                     at(to + QPoint(3, 2)) + pause + QStringList{"mouseup", "1"});
        const auto stop = qScopeGuard([&] {
            xdotool.kill();
            xdotool.waitForFinished(2000);
        });
        QTRY_COMPARE_WITH_TIMEOUT(log, (QStringList{"drop Rádio 1", "complete 1"}), Slow);
    }
};

QTEST_MAIN(TestControlsX11)
#include "tst_controls_x11.moc"
