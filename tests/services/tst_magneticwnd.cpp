// Magnetic windows over fake windows: the moving and sizing steps, registration
// and gluing. Rectangles are QRects here (compared and printed as such); the
// component's own are edge to edge.
#include "services/QtMagneticWindows.h"
#include "services/cMagneticWnd.h"

#include <QMap>
#include <QtTest>

namespace {

class FakeWindows : public MagneticWindowSystem
{
public:
    WndRect workArea() const override { return area; }
    bool isWindow(WndHandle h) const override { return rects.contains(h); }
    WndRect windowRect(WndHandle h) const override { return rects.value(h); }
    bool isMaximized(WndHandle h) const override { return maximized.contains(h); }
    QPoint cursorPos() const override { return cursor; }
    void deferMoves(const QList<DeferredMove>& list) override
    {
        for (const DeferredMove& m : list) {
            moves.append(m);
            WndRect& r = rects[m.hWnd];
            r.translate(m.topLeft.x() - r.left, m.topLeft.y() - r.top);
        }
    }
    void hook(WndHandle h, cMagneticWnd*) override { hooks << QString("hook %1").arg(h); }
    void unhook(WndHandle h) override { hooks << QString("unhook %1").arg(h); }

    WndRect area{0, 28, 1280, 800};
    QMap<WndHandle, WndRect> rects;
    QSet<WndHandle> maximized;
    QPoint cursor;
    QList<DeferredMove> moves;
    QStringList hooks;
};

// A rectangle given by its edges, as the component's rectangles are.
QRect edges(int left, int top, int right, int bottom)
{
    return {left, top, right - left, bottom - top};
}

} // namespace

class TestMagneticWnd : public QObject
{
    Q_OBJECT

    FakeWindows m_ws;
    std::unique_ptr<cMagneticWnd> m_mag;

    // Sends a message to the hook; true when it handled it with result 1.
    bool send(WndHandle h, unsigned msg, qintptr wParam = 0, WndRect* rect = nullptr)
    {
        bool handled = false;
        qintptr result = 0;
        m_mag->zSubclass_Proc(true, handled, result, h, msg, wParam,
                              reinterpret_cast<qintptr>(rect));
        return handled && result == 1;
    }

    // Drags window h so that its top-left would land at `to` and returns where
    // the moving step puts it (a null rectangle if the step went unhandled). The
    // place the step proposes is ignored: the window follows the cursor.
    QRect dragTo(WndHandle h, QPoint to)
    {
        const WndRect start = m_ws.rects[h];
        m_ws.cursor = QPoint(start.left + 37, start.top + 11);
        send(h, cMagneticWnd::WM_ENTERSIZEMOVE);
        m_ws.cursor += to - QPoint(start.left, start.top);
        WndRect r = WndRect::fromQRect(QRect(-5000, -5000, start.width(), start.height()));
        return send(h, cMagneticWnd::WM_MOVING, 0, &r) ? r.toQRect() : QRect();
    }

    void add(WndHandle h, const QRect& r, WndHandle parent = 0)
    {
        m_ws.rects[h] = WndRect::fromQRect(r);
        QVERIFY(m_mag->AddWindow(h, parent));
    }

private Q_SLOTS:
    void init()
    {
        m_mag.reset();
        m_ws = FakeWindows{};
        m_mag = std::make_unique<cMagneticWnd>(&m_ws);
    }

    // Window 1 (200 x 100) dropped near the work area (0,28 - 1280,800): each
    // edge pairing within the snap width (10 by default) snaps. Other windows
    // are targets too, a maximised one counts as the work area.
    void moving_data()
    {
        QTest::addColumn<int>("snapWidth");
        QTest::addColumn<QList<QRect>>("others"); // windows 2, 3, ...
        QTest::addColumn<bool>("maximised");      // window 2
        QTest::addColumn<QPoint>("drop");
        QTest::addColumn<QPoint>("landed");
        const auto row = [](const char* tag, QPoint drop, QPoint landed, QList<QRect> others = {},
                            bool maximised = false, int snapWidth = 0) {
            QTest::newRow(tag) << snapWidth << others << maximised << drop << landed;
        };
        row("left on left, 9 px inside", {9, 400}, {0, 400});
        row("10 px away stays", {10, 400}, {10, 400});
        row("right on right", {1071, 400}, {1080, 400});
        row("left on right: outside, touching", {1274, 400}, {1280, 400});
        row("right on left: outside, touching", {-195, 400}, {-200, 400});
        row("corner", {4, 34}, {0, 28});
        row("snap width 20", {15, 400}, {0, 400}, {}, false, 20);
        row("right on a window's left", {395, 350}, {400, 350}, {{600, 300, 100, 100}});
        row("a maximised window counts as the work area", {6, 600}, {0, 600},
            {{100, 500, 200, 200}}, true);
    }

    void moving()
    {
        QFETCH(int, snapWidth);
        QFETCH(QList<QRect>, others);
        QFETCH(bool, maximised);
        QFETCH(QPoint, drop);
        QFETCH(QPoint, landed);
        add(1, QRect(300, 300, 200, 100));
        for (int i = 0; i < others.size(); ++i)
            add(2 + i, others[i]);
        if (maximised)
            m_ws.maximized.insert(2);
        if (snapWidth)
            m_mag->setSnapWidth(snapWidth);
        QCOMPARE(dragTo(1, drop), QRect(landed, QSize(200, 100)));
    }

    // Sizing the window alone: a corner sizes two edges, the others stay put.
    void sizing_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<QRect>("proposed");
        QTest::addColumn<QRect>("sized");
        const QRect nearAll = edges(5, 35, 1275, 795);
        QTest::newRow("left") << 1 << nearAll << edges(0, 35, 1275, 795);
        QTest::newRow("top left") << 4 << edges(6, 33, 500, 400) << edges(0, 28, 500, 400);
        QTest::newRow("bottom 10 px away")
            << 6 << edges(4, 300, 1276, 790) << edges(4, 300, 1276, 790);
        QTest::newRow("bottom right") << 8 << nearAll << edges(5, 35, 1280, 800);
    }

    void sizing()
    {
        QFETCH(int, edge);
        QFETCH(QRect, proposed);
        add(1, QRect(300, 300, 200, 100));
        send(1, cMagneticWnd::WM_ENTERSIZEMOVE);
        WndRect r = WndRect::fromQRect(proposed);
        send(1, cMagneticWnd::WM_SIZING, edge, &r);
        QTEST(r.toQRect(), "sized");
    }

    // The edge the window manager's change stands for, read off the rectangles.
    void sizingEdgeFromTheChange_data()
    {
        QTest::addColumn<QRect>("after"); // of edges(100, 100, 200, 200)
        QTest::addColumn<int>("edge");
        QTest::newRow("moved") << QRect(150, 150, 100, 100) << 0;
        QTest::newRow("left") << edges(90, 100, 200, 200) << 1;
        QTest::newRow("bottom") << edges(100, 100, 200, 230) << 6;
    }

    void sizingEdgeFromTheChange()
    {
        QFETCH(QRect, after);
        QTEST(QtMagneticWindows::sizingEdge(WndRect{100, 100, 200, 200}, WndRect::fromQRect(after)),
              "edge");
    }

    // The main window alone; destruction unhooks it.
    void registration()
    {
        m_ws.rects[1] = WndRect{0, 0, 10, 10};
        QVERIFY(m_mag->AddWindow(1));
        QVERIFY(!m_mag->AddWindow(1));
        QVERIFY(!m_mag->AddWindow(99)); // no such window
        QCOMPARE(m_mag->count(), 1);
        QVERIFY(m_mag->RemoveWindow(1));
        QVERIFY(!m_mag->RemoveWindow(1));
        add(1, QRect(0, 100, 10, 10));
        m_mag.reset();
        QCOMPARE(m_ws.hooks, (QStringList{"hook 1", "unhook 1", "hook 1", "unhook 1"}));
    }

    // Children touching their parent, directly or along a chain, travel with it
    // in one deferred move.
    void gluedChildrenTravelWithTheirParent()
    {
        add(1, QRect(300, 300, 200, 100));
        add(2, QRect(500, 300, 100, 100), 1); // touches the parent
        add(3, QRect(600, 350, 50, 50), 1);   // touches only the first child
        add(4, QRect(700, 350, 50, 50), 1);   // touches nothing
        QVERIFY(m_mag->isGlued(2) && m_mag->isGlued(3));
        QVERIFY(!m_mag->isGlued(4));
        QCOMPARE(dragTo(1, {250, 450}), QRect(250, 450, 200, 100));
        QCOMPARE(m_ws.moves.size(), 2);
        QCOMPARE(m_ws.rects[2].toQRect(), QRect(450, 450, 100, 100));
        QCOMPARE(m_ws.rects[3].toQRect(), QRect(550, 500, 50, 50));
        QCOMPARE(m_ws.rects[4].toQRect(), QRect(700, 350, 50, 50));
    }
};

QTEST_MAIN(TestMagneticWnd)
#include "tst_magneticwnd.moc"
