// What the controls' tests share: system colours, plain pictures, a host
// window and an event log.
#pragma once

#include "platform/OleColor.h"

#include <QPixmap>
#include <QStringList>
#include <QWidget>
#include <QtTest>

#include <algorithm>

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

// The names of the signals raised, in order.
class Log : public QObject
{
    Q_OBJECT

public:
    QStringList names;
    QStringList take() { return std::exchange(names, {}); }

    // Logs those of `signalNames` that each of `senders` has.
    void watch(std::initializer_list<QObject*> senders,
               std::initializer_list<const char*> signalNames)
    {
        const QMetaMethod slot = metaObject()->method(metaObject()->indexOfSlot("raised()"));
        for (QObject* sender : senders)
            for (int i = 0; i < sender->metaObject()->methodCount(); ++i) {
                const QMetaMethod signal = sender->metaObject()->method(i);
                if (signal.methodType() == QMetaMethod::Signal &&
                    std::ranges::any_of(signalNames,
                                        [&](const char* n) { return signal.name() == n; }))
                    connect(sender, signal, this, slot);
            }
    }

public Q_SLOTS:
    void raised() { names << QString(sender()->metaObject()->method(senderSignalIndex()).name()); }
};

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
