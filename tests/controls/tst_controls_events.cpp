// What every control promises its host: a double click acts once, a late
// mouse move starts no hover, and an invalid property value raised by a
// host's handler stays inside the control.
#include "ControlTest.h"
#include "controls/ButtonEx.h"
#include "controls/Container3D.h"
#include "controls/LumenButton.h"
#include "controls/ucSlider.h"
#include "controls/ucSliderTip.h"
#include "stream/gst/Sound.h"

#include <QCursor>
#include <QtTest>

namespace {

// The names of the events raised, in order.
class Log : public QObject
{
    Q_OBJECT

public:
    QStringList names;

public Q_SLOTS:
    void raised()
    {
        names << QString::fromLatin1(sender()->metaObject()->method(senderSignalIndex()).name());
    }
};

// A control by class name in `host`, its mouse events logged.
QWidget* make(const QString& kind, Host& host, Log& log)
{
    const QRect place(20, 20, 90, 30);
    QWidget* control = kind == "ButtonEx"      ? host.add<ButtonEx>(place)
                       : kind == "LumenButton" ? host.add<LumenButton>(place)
                       : kind == "Container3D" ? host.add<Container3D>(place)
                                               : static_cast<QWidget*>(host.add<ucSlider>(place));
    const QMetaObject* meta = control->metaObject();
    for (const char* name : {"MouseDown", "MouseUp", "Click", "DblClick", "Change"}) {
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
            if (meta->method(i).methodType() == QMetaMethod::Signal &&
                meta->method(i).name() == name)
                QObject::connect(
                    control, meta->method(i), &log,
                    log.metaObject()->method(log.metaObject()->indexOfSlot("raised()")));
    }
    return control;
}

} // namespace

class TestControlsEvents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void doubleClickActsOnce_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("ButtonEx") << "ButtonEx"
                                  << QStringList{"MouseDown", "MouseUp", "Click", "MouseDown",
                                                 "MouseUp"};
        QTest::newRow("LumenButton")
            << "LumenButton"
            << QStringList{"MouseDown", "Click", "MouseUp", "MouseDown", "MouseUp"};
        QTest::newRow("Container3D")
            << "Container3D" << QStringList{"MouseDown", "MouseUp", "Click", "DblClick", "MouseUp"};
    }

    void doubleClickActsOnce()
    {
        QFETCH(QString, kind);
        Host host;
        Log log;
        QWidget* control = make(kind, host, log);
        int sounds = 0;
        Sound::setHandler([&](const QString&) { ++sounds; });
        const auto restore = qScopeGuard([] { Sound::setHandler({}); });
        if (auto* lumen = qobject_cast<LumenButton*>(control))
            lumen->setSoundClick(QStringLiteral(SKYTUNER_SOURCE_DIR "/src/resources/click.wav"));
        // Qt delivers a double click as press, release, double click, release.
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseDClick(control, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(10, 10));
        QTEST(log.names, "events");
        QCOMPARE(sounds, kind == "LumenButton" ? 1 : 0); // the click sound once
        auto* toggle = host.add<ButtonEx>(QRect(0, 0, 80, 24));
        toggle->setStyle(1);
        QTest::mouseClick(toggle, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseDClick(toggle, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(toggle, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(toggle->Value(), 0); // flipped once: in
    }

    void lateMoveAfterLeavingStartsNoHover()
    {
        // A move queued while the cursor was still over a control arrives after
        // it has left (on X11 the hover timers read the live position): no
        // control may take it for a new entry.
        Host host;
        QStringList log;
        auto* button = host.add<ButtonEx>(QRect(20, 20, 80, 24));
        auto* lumen = host.add<LumenButton>(QRect(20, 60, 60, 30));
        auto* container = host.add<Container3D>(QRect(120, 20, 60, 60));
        record(button, &ButtonEx::MouseEnter, log, "enter");
        record(lumen, &LumenButton::MouseIn, log, "in");
        record(container, &Container3D::MouseEnter, log, "enter");
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QCursor::setPos(host.mapToGlobal(QPoint(280, 180)));
        for (QWidget* control : std::initializer_list<QWidget*>{button, lumen, container}) {
            QMouseEvent late(QEvent::MouseMove, QPointF(5, 5), control->mapToGlobal(QPointF(5, 5)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(control, &late);
        }
        QTest::qWait(80);
        QCOMPARE(log, QStringList());
    }

    void invalidValueInAHandlerLeavesTheProgramRunning_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("failing");
        for (const char* row :
             {"ButtonEx Click", "LumenButton Click", "Container3D DblClick", "ucSlider Change"}) {
            const QStringList f = QString(row).split(u' ');
            QTest::newRow(row) << f[0] << f[1];
        }
    }

    void invalidValueInAHandlerLeavesTheProgramRunning()
    {
        QFETCH(QString, kind);
        QFETCH(QString, failing);
        Host host;
        Log log;
        QWidget* control = make(kind, host, log);
        connect(control, QByteArray("2" + failing.toLatin1() + "()").constData(), this,
                SLOT(fail()));
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QTest::ignoreMessage(QtWarningMsg, "error 380 Invalid property value from ucSlider.Value "
                                           "in an event handler");
        // Posted, the events run from the event loop, which an exception would end.
        const QPoint at(60, 7);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held =
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
            QCoreApplication::postEvent(control, new QMouseEvent(type, at, control->mapToGlobal(at),
                                                                 Qt::LeftButton, held, {}));
        }
        // The failing handler ends its event: LumenButton raises MouseUp after Click.
        QTRY_COMPARE(log.names.count("MouseUp"), kind == "LumenButton" ? 1 : 2);
        QCOMPARE(log.names.count(failing), 1);
        if (auto* slider = qobject_cast<ucSlider*>(control)) { // the drag still ends
            QTRY_VERIFY(!slider->isDragging());
            QVERIFY(!ucSliderTip::existing());
        }
    }

    void invalidValueInATimerHandlerIsContained()
    {
        Host host;
        auto* b = host.add<ButtonEx>(QRect(20, 20, 80, 24));
        connect(b, &ButtonEx::MouseExit, this, &TestControlsEvents::fail);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^error 380 .*ucSlider.Value"));
        for (int x : {10, 12}) { // the first move starts the hover timer
            QCursor::setPos(b->mapToGlobal(QPoint(x, 10)));
            QCoreApplication::processEvents();
        }
        QVERIFY(b->isHoverTimerActive());
        QCursor::setPos(host.mapToGlobal(QPoint(280, 180)));
        QTRY_VERIFY(!b->isHoverTimerActive());
    }

public Q_SLOTS:
    void fail() { m_volume.setValue(99); }

private:
    ucSlider m_volume;
};

QTEST_MAIN(TestControlsEvents)
#include "tst_controls_events.moc"
