// What the controls' tests share: system colours, plain pictures, a host
// window and an event log that ignores the events' arguments.
#pragma once

#include "controls/PropertyBag.h"
#include "platform/OleColor.h"

#include <QPixmap>
#include <QStringList>
#include <QWidget>
#include <QtTest>

inline QRgb sys(quint32 ref)
{
    return OleColor::toColor(ref).rgb();
}

inline QPixmap filled(QSize size, QColor colour)
{
    QPixmap p(size);
    p.fill(colour);
    return p;
}

// Appends `name` to `log` each time `signal` is raised.
template <typename Sender, typename Signal>
void record(Sender* sender, Signal signal, QStringList& log, const QString& name)
{
    QObject::connect(sender, signal, sender, [&log, name](auto&&...) { log.append(name); });
}

// A 300 x 200 window at (100, 100) holding the controls under test.
struct Host : QWidget
{
    Host() { setGeometry(100, 100, 300, 200); }
    template <typename Control> Control* add(QRect geometry)
    {
        auto* control = new Control(this);
        control->setGeometry(geometry);
        return control;
    }
};

// Shown and exposed (active too, for access keys), within timeoutMs.
inline bool shown(QWidget& window, int timeoutMs = 5000)
{
    window.show();
    return QTest::qWaitForWindowExposed(&window, timeoutMs);
}
inline bool active(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Persistence as every control has it: defaults are not written, and what
// `configured` writes reads back into `copy` and writes out the same again.
template <typename Control>
void checkPersistence(const Control& configured, Control& copy, qsizetype written)
{
    PropertyBag bag;
    Control().writeProperties(bag);
    QVERIFY2(bag.values().isEmpty(), qPrintable(bag.values().keys().join(u',')));
    configured.writeProperties(bag);
    QCOMPARE(bag.values().size(), written);
    copy.readProperties(bag);
    PropertyBag again;
    copy.writeProperties(again);
    QCOMPARE(again.values(), bag.values());
}
