// Magnetic windows over fake windows: the moving and sizing steps, gluing and
// its spreading, the touch test and registration. Rectangles are QRects here
// (compared and printed as such); the component's own are edge to edge.
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

    // Window 1 (200 x 100) dropped near the work area (0,28 - 1280,800) and the
    // other windows: each edge pairing within the snap width (10 by default)
    // snaps; a maximised window counts as the work area; the highest matching
    // slot wins.
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
        row("left on left, 9 px outside", {-9, 400}, {0, 400});
        row("left on right: outside, touching", {1274, 400}, {1280, 400});
        row("right on left: outside, touching", {-195, 400}, {-200, 400});
        row("top on bottom", {500, 795}, {500, 800});
        row("bottom on top", {500, -80}, {500, -72});
        row("corner", {4, 34}, {0, 28});
        row("snap width 20", {15, 400}, {0, 400}, {}, false, 20);
        const QList<QRect> beside{{600, 300, 100, 100}};
        row("right on a window's left", {395, 350}, {400, 350}, beside);
        row("10 px below does not", {395, 410}, {395, 410}, beside);
        const QList<QRect> below{{100, 500, 200, 200}};
        row("on a window's left", {104, 600}, {100, 600}, below);
        row("a maximised window counts as the work area", {6, 600}, {0, 600}, below, true);
        // Left at 3: the work area says 0, window 2 says 8, window 3 says 6.
        const QRect rightAt8(-100, 400, 108, 100);
        row("a later window wins over the work area", {3, 420}, {8, 420}, {rightAt8});
        row("the latest window wins", {3, 420}, {6, 420}, {rightAt8, {-100, 400, 106, 50}});
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

    void sizing_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<QRect>("proposed");
        QTest::addColumn<QRect>("sized");
        const QRect nearAll = edges(5, 35, 1275, 795);
        QTest::newRow("left") << 1 << nearAll << edges(0, 35, 1275, 795);
        QTest::newRow("right") << 2 << nearAll << edges(5, 35, 1280, 795);
        QTest::newRow("top") << 3 << nearAll << edges(5, 28, 1275, 795);
        QTest::newRow("top left") << 4 << edges(6, 33, 500, 400) << edges(0, 28, 500, 400);
        QTest::newRow("bottom 10 px away")
            << 6 << edges(4, 300, 1276, 790) << edges(4, 300, 1276, 790);
        QTest::newRow("bottom right") << 8 << nearAll << edges(5, 35, 1280, 800);
        QTest::newRow("left on a window's right")
            << 1 << edges(707, 300, 900, 400) << edges(700, 300, 900, 400);
    }

    void sizing()
    {
        QFETCH(int, edge);
        QFETCH(QRect, proposed);
        add(1, QRect(300, 300, 200, 100));
        add(2, QRect(600, 250, 100, 200));
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

    void registration()
    {
        m_ws.rects[1] = m_ws.rects[2] = WndRect{0, 0, 10, 10};
        QVERIFY(m_mag->AddWindow(1));
        QVERIFY(!m_mag->AddWindow(1));
        QVERIFY(!m_mag->AddWindow(99));    // no such window
        QVERIFY(!m_mag->AddWindow(2, 98)); // no such parent
        QVERIFY(!m_mag->isRegistered(2));
        QCOMPARE(m_mag->count(), 1);
        QVERIFY(!m_mag->RemoveWindow(2));
        QVERIFY(m_mag->RemoveWindow(1));
        QVERIFY(!m_mag->RemoveWindow(1));
        QCOMPARE(m_mag->count(), 0);
        // Destruction unhooks the last registered first.
        add(1, QRect(0, 100, 10, 10));
        add(2, QRect(20, 100, 10, 10));
        m_mag.reset();
        QCOMPARE(m_ws.hooks,
                 (QStringList{"hook 1", "unhook 1", "hook 1", "hook 2", "unhook 2", "unhook 1"}));
    }

    void touchTest_data()
    {
        QTest::addColumn<QRect>("b"); // against QRect(100, 100, 100, 100)
        QTest::addColumn<bool>("touching");
        QTest::newRow("1 px gap") << QRect(201, 120, 50, 50) << false;
        QTest::newRow("corner to corner") << QRect(200, 200, 50, 50) << true;
        QTest::newRow("inside, sharing the right edge") << QRect(150, 150, 50, 20) << true;
    }

    void touchTest()
    {
        QFETCH(QRect, b);
        QFETCH(bool, touching);
        const WndRect a{100, 100, 200, 200};
        QCOMPARE(cMagneticWnd::touching(a, WndRect::fromQRect(b)), touching);
        QCOMPARE(cMagneticWnd::touching(WndRect::fromQRect(b), a), touching);
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

    // Glued children are no targets for their parent but snap the group; an
    // unglued sibling is a target.
    void gluedChildrenSnapTheGroup()
    {
        add(1, QRect(300, 300, 200, 100));
        add(2, QRect(200, 300, 100, 100), 1); // glued on the parent's left
        QCOMPARE(dragTo(1, {106, 500}).left(), 100);
        QCOMPARE(m_ws.rects[2].left, 0);
        add(3, QRect(900, 500, 50, 50), 1);
        QCOMPARE(dragTo(1, {695, 500}).left(), 700);
    }

    // Removing a parent unglues its children; a child of an unregistered window is
    // not glued even where it touches something.
    void glueNeedsARegisteredParent()
    {
        add(1, QRect(300, 300, 200, 100));
        add(2, QRect(500, 300, 100, 100), 1);
        m_ws.rects[9] = WndRect{0, 28, 10, 38};
        add(3, QRect(0, 28, 100, 100), 9); // touches the work area
        QVERIFY(m_mag->isGlued(2) && !m_mag->isGlued(3));
        QVERIFY(m_mag->RemoveWindow(1));
        QCOMPARE(m_mag->parentOf(2), WndHandle(0));
        QVERIFY(!m_mag->isGlued(2));
    }

    void glueIsRecomputedOnlyAtItsMoments_data()
    {
        QTest::addColumn<unsigned>("message");
        QTest::addColumn<qintptr>("wParam");
        QTest::addColumn<bool>("recomputed");
        QTest::newRow("end of drag") << cMagneticWnd::WM_EXITSIZEMOVE << qintptr(0) << true;
        QTest::newRow("minimise") << cMagneticWnd::WM_SYSCOMMAND << cMagneticWnd::SC_MINIMIZE
                                  << true;
        QTest::newRow("minimise + 2")
            << cMagneticWnd::WM_SYSCOMMAND << cMagneticWnd::SC_MINIMIZE + 2 << false;
        QTest::newRow("start of drag") << cMagneticWnd::WM_ENTERSIZEMOVE << qintptr(0) << false;
    }

    void glueIsRecomputedOnlyAtItsMoments()
    {
        QFETCH(unsigned, message);
        QFETCH(qintptr, wParam);
        add(1, QRect(300, 300, 200, 100));
        add(2, QRect(520, 300, 100, 100), 1);
        QVERIFY(!m_mag->isGlued(2));
        m_ws.rects[2] = WndRect{500, 300, 600, 400};
        send(1, message, wParam);
        QTEST(m_mag->isGlued(2), "recomputed");
    }
};

QTEST_MAIN(TestMagneticWnd)
#include "tst_magneticwnd.moc"
