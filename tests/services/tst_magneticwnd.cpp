// Magnetic windows over fake windows: the moving and sizing steps, gluing and
// its spreading, the touch test and registration.
#include "services/QtMagneticWindows.h"
#include "services/cMagneticWnd.h"

#include <QMap>
#include <QtTest>

Q_DECLARE_METATYPE(WndRect)

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

WndRect rectAt(int left, int top, int width, int height)
{
    return {left, top, left + width, top + height};
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

    // Drags window h so that its top-left would land at (left, top) and returns
    // where the moving step puts it (far off every screen if the step went unhandled).
    // The place the step proposes is ignored: the window follows the cursor.
    WndRect dragTo(WndHandle h, int left, int top)
    {
        const WndRect start = m_ws.rects[h];
        m_ws.cursor = QPoint(start.left + 37, start.top + 11);
        send(h, cMagneticWnd::WM_ENTERSIZEMOVE);
        m_ws.cursor += QPoint(left - start.left, top - start.top);
        WndRect r{-5000, -5000, -5000 + start.width(), -5000 + start.height()};
        return send(h, cMagneticWnd::WM_MOVING, 0, &r) ? r : WndRect{-99999, 0, -99999, 0};
    }

    WndRect sizeTo(WndHandle h, int edge, const WndRect& proposed)
    {
        send(h, cMagneticWnd::WM_ENTERSIZEMOVE);
        WndRect r = proposed;
        send(h, cMagneticWnd::WM_SIZING, edge, &r);
        return r;
    }

    void add(WndHandle h, const WndRect& r, WndHandle parent = 0)
    {
        m_ws.rects[h] = r;
        QVERIFY(m_mag->AddWindow(h, parent));
    }

private Q_SLOTS:
    void init()
    {
        m_mag.reset();
        m_ws = FakeWindows{};
        m_mag = std::make_unique<cMagneticWnd>(&m_ws);
    }

    void triesAllFourEdgePairings_data()
    {
        QTest::addColumn<QPoint>("drop");
        QTest::addColumn<QPoint>("landed");
        // Work area 0,28 - 1280,800; the window is 200 x 100.
        QTest::newRow("left on left, 9 px inside") << QPoint(9, 400) << QPoint(0, 400);
        QTest::newRow("left on left, 10 px inside") << QPoint(10, 400) << QPoint(10, 400);
        QTest::newRow("left on left, 1 px inside") << QPoint(1, 400) << QPoint(0, 400);
        QTest::newRow("left on left, 9 px outside") << QPoint(-9, 400) << QPoint(0, 400);
        QTest::newRow("left on left, 10 px outside") << QPoint(-10, 400) << QPoint(-10, 400);
        QTest::newRow("right on right") << QPoint(1075, 400) << QPoint(1080, 400);
        QTest::newRow("left on right: outside, touching") << QPoint(1274, 400) << QPoint(1280, 400);
        QTest::newRow("right on left: outside, touching") << QPoint(-195, 400) << QPoint(-200, 400);
        QTest::newRow("top on top") << QPoint(500, 35) << QPoint(500, 28);
        QTest::newRow("bottom on bottom") << QPoint(500, 705) << QPoint(500, 700);
        QTest::newRow("top on bottom") << QPoint(500, 795) << QPoint(500, 800);
        QTest::newRow("bottom on top") << QPoint(500, -80) << QPoint(500, -72);
        QTest::newRow("corner") << QPoint(4, 34) << QPoint(0, 28);
        QTest::newRow("free") << QPoint(500, 400) << QPoint(500, 400);
    }

    void triesAllFourEdgePairings()
    {
        QFETCH(QPoint, drop);
        QFETCH(QPoint, landed);
        add(1, rectAt(300, 300, 200, 100));
        QCOMPARE(dragTo(1, drop.x(), drop.y()), rectAt(landed.x(), landed.y(), 200, 100));
    }

    void snapWidthTakesEffectAtTheNextStep()
    {
        add(1, rectAt(300, 300, 200, 100));
        m_mag->setSnapWidth(20);
        QCOMPARE(dragTo(1, 15, 400).left, 0);
        m_mag->setSnapWidth(5);
        QCOMPARE(dragTo(1, 5, 400).left, 5);
        QCOMPARE(dragTo(1, 4, 400).left, 0);
    }

    void snapsToOtherWindowsOnlyWhenTheyOverlapWithinTheSnapWidth()
    {
        add(1, rectAt(300, 300, 200, 100));
        add(2, rectAt(600, 300, 100, 100));
        QCOMPARE(dragTo(1, 395, 350).left, 400);                   // right on 2's left
        QCOMPARE(dragTo(1, 395, 409).left, 400);                   // 9 px below 2 still counts
        QCOMPARE(dragTo(1, 395, 410).left, 395);                   // 10 px below does not
        QCOMPARE(dragTo(1, 395, 410), rectAt(395, 410, 200, 100)); // nor vertically
    }

    void aMaximisedWindowCountsAsTheWorkArea()
    {
        add(1, rectAt(300, 300, 200, 100));
        add(2, rectAt(100, 500, 200, 200));
        QCOMPARE(dragTo(1, 104, 600).left, 100);
        m_ws.maximized.insert(2);
        QCOMPARE(dragTo(1, 104, 600).left, 104);
        QCOMPARE(dragTo(1, 6, 600).left, 0);
    }

    void theHighestMatchingSlotWins()
    {
        add(1, rectAt(300, 300, 200, 100));
        add(2, rectAt(-100, 400, 108, 100)); // right edge at 8
        // Left at 3: the work area says 0, window 2 says 8; window 2 is the later slot.
        QCOMPARE(dragTo(1, 3, 420).left, 8);
        add(3, rectAt(-100, 400, 106, 50)); // right edge at 6
        QCOMPARE(dragTo(1, 3, 420).left, 6);
        // The same holds for a window registered before the dragged one.
        QCOMPARE(dragTo(3, 3, 420).left, 8);
    }

    void sizingEdges_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<WndRect>("proposed");
        QTest::addColumn<WndRect>("sized");
        const WndRect nearAll{5, 35, 1275, 795};
        QTest::newRow("left") << 1 << nearAll << WndRect{0, 35, 1275, 795};
        QTest::newRow("right") << 2 << nearAll << WndRect{5, 35, 1280, 795};
        QTest::newRow("top") << 3 << nearAll << WndRect{5, 28, 1275, 795};
        QTest::newRow("top left") << int(cMagneticWnd::TopLeft) << WndRect{6, 33, 500, 400}
                                  << WndRect{0, 28, 500, 400};
        QTest::newRow("top right") << 5 << nearAll << WndRect{5, 28, 1280, 795};
        QTest::newRow("bottom moves nothing else")
            << int(cMagneticWnd::Bottom) << WndRect{4, 300, 1276, 795}
            << WndRect{4, 300, 1276, 800};
        QTest::newRow("bottom 10 px away")
            << int(cMagneticWnd::Bottom) << WndRect{4, 300, 1276, 790}
            << WndRect{4, 300, 1276, 790};
        QTest::newRow("bottom left") << 7 << nearAll << WndRect{0, 35, 1275, 800};
        QTest::newRow("bottom right") << 8 << nearAll << WndRect{5, 35, 1280, 800};
        QTest::newRow("no edge") << 0 << nearAll << nearAll;
        // A left edge sized onto the far side of another window.
        QTest::newRow("left on a window's right")
            << 1 << WndRect{707, 300, 900, 400} << WndRect{700, 300, 900, 400};
    }

    void sizingEdges()
    {
        QFETCH(int, edge);
        QFETCH(WndRect, proposed);
        QFETCH(WndRect, sized);
        add(1, rectAt(300, 300, 200, 100));
        if (QByteArray(QTest::currentDataTag()).contains("window"))
            add(2, rectAt(600, 250, 100, 200));
        QCOMPARE(sizeTo(1, edge, proposed), sized);
    }

    void registration()
    {
        m_ws.rects[1] = rectAt(0, 0, 10, 10);
        QVERIFY(m_mag->AddWindow(1));
        QVERIFY(!m_mag->AddWindow(1));
        QVERIFY(!m_mag->AddWindow(99)); // no such window
        m_ws.rects[2] = rectAt(0, 0, 10, 10);
        QVERIFY(!m_mag->AddWindow(2, 98)); // no such parent
        QVERIFY(!m_mag->isRegistered(2));
        QCOMPARE(m_mag->count(), 1);
        QVERIFY(!m_mag->RemoveWindow(2));
        QVERIFY(m_mag->RemoveWindow(1));
        QVERIFY(!m_mag->RemoveWindow(1));
        QCOMPARE(m_mag->count(), 0);
        // Destruction unhooks the last registered first.
        add(1, rectAt(0, 100, 10, 10));
        add(2, rectAt(20, 100, 10, 10));
        add(3, rectAt(40, 100, 10, 10));
        m_mag.reset();
        QCOMPARE(m_ws.hooks, (QStringList{"hook 1", "unhook 1", "hook 1", "hook 2", "hook 3",
                                          "unhook 3", "unhook 2", "unhook 1"}));
    }

    void touchTest_data()
    {
        QTest::addColumn<WndRect>("a");
        QTest::addColumn<WndRect>("b");
        QTest::addColumn<bool>("touching");
        const WndRect a = rectAt(100, 100, 100, 100);
        QTest::newRow("side by side") << a << rectAt(200, 120, 50, 50) << true;
        QTest::newRow("1 px gap") << a << rectAt(201, 120, 50, 50) << false;
        QTest::newRow("below") << a << rectAt(150, 200, 50, 50) << true;
        QTest::newRow("corner to corner") << a << rectAt(200, 200, 50, 50) << true;
        QTest::newRow("same left edge, far below") << a << rectAt(100, 400, 50, 50) << false;
        QTest::newRow("overlapping, same top") << a << rectAt(150, 100, 100, 30) << true;
        QTest::newRow("overlapping, no shared edge") << a << rectAt(150, 150, 100, 100) << false;
        QTest::newRow("inside, sharing the right edge") << a << rectAt(150, 150, 50, 20) << true;
    }

    void touchTest()
    {
        QFETCH(WndRect, a);
        QFETCH(WndRect, b);
        QFETCH(bool, touching);
        QCOMPARE(cMagneticWnd::touching(a, b), touching);
        QCOMPARE(cMagneticWnd::touching(b, a), touching);
    }

    void gluedChildrenTravelWithTheirParentAlongAChain()
    {
        add(1, rectAt(300, 300, 200, 100));
        add(2, rectAt(500, 300, 100, 100), 1); // touches the parent
        add(3, rectAt(600, 350, 50, 50), 1);   // touches only the first child
        add(4, rectAt(700, 350, 50, 50), 1);   // touches nothing
        QVERIFY(m_mag->isGlued(2));
        QVERIFY(m_mag->isGlued(3));
        QVERIFY(!m_mag->isGlued(4));

        m_ws.moves.clear();
        const WndRect r = dragTo(1, 250, 450);
        QCOMPARE(r, rectAt(250, 450, 200, 100));
        QCOMPARE(m_ws.moves.size(), 2);
        QCOMPARE(m_ws.rects[2], rectAt(450, 450, 100, 100));
        QCOMPARE(m_ws.rects[3], rectAt(550, 500, 50, 50));
        QCOMPARE(m_ws.rects[4], rectAt(700, 350, 50, 50));
    }

    void gluedChildrenAreNoTargetsForTheirParentButSnapThemselves()
    {
        add(1, rectAt(300, 300, 200, 100));
        add(2, rectAt(200, 300, 100, 100), 1); // glued on the parent's left
        QVERIFY(m_mag->isGlued(2));
        // The child comes within 6 px of the work area's left edge: the group snaps.
        const WndRect r = dragTo(1, 106, 500);
        QCOMPARE(r.left, 100);
        QCOMPARE(m_ws.rects[2].left, 0);
        // An unglued sibling is a target for the parent.
        add(3, rectAt(900, 500, 50, 50), 1);
        QCOMPARE(dragTo(1, 695, 500).left, 700);
    }

    // Removing a parent unglues its children; a child of an unregistered window is
    // not glued even where it touches something.
    void glueNeedsARegisteredParent()
    {
        add(1, rectAt(300, 300, 200, 100));
        add(2, rectAt(500, 300, 100, 100), 1);
        add(3, rectAt(600, 300, 100, 100), 1);
        QVERIFY(m_mag->isGlued(3));
        QVERIFY(m_mag->RemoveWindow(1));
        QCOMPARE(m_mag->parentOf(3), WndHandle(0));
        QVERIFY(!m_mag->isGlued(2));
        QVERIFY(!m_mag->isGlued(3));
        m_ws.rects[9] = rectAt(0, 28, 10, 10);
        add(4, rectAt(0, 28, 100, 100), 9); // touches the work area
        QVERIFY(!m_mag->isGlued(4));
    }

    void glueIsRecomputedOnlyAtItsMoments_data()
    {
        QTest::addColumn<unsigned>("message");
        QTest::addColumn<qintptr>("wParam");
        QTest::addColumn<bool>("recomputed");
        QTest::newRow("end of drag") << cMagneticWnd::WM_EXITSIZEMOVE << qintptr(0) << true;
        QTest::newRow("command") << cMagneticWnd::WM_COMMAND << qintptr(5) << true;
        QTest::newRow("minimise") << cMagneticWnd::WM_SYSCOMMAND << cMagneticWnd::SC_MINIMIZE
                                  << true;
        QTest::newRow("restore") << cMagneticWnd::WM_SYSCOMMAND << cMagneticWnd::SC_RESTORE << true;
        QTest::newRow("minimise + 2")
            << cMagneticWnd::WM_SYSCOMMAND << cMagneticWnd::SC_MINIMIZE + 2 << false;
        QTest::newRow("start of drag") << cMagneticWnd::WM_ENTERSIZEMOVE << qintptr(0) << false;
    }

    void glueIsRecomputedOnlyAtItsMoments()
    {
        QFETCH(unsigned, message);
        QFETCH(qintptr, wParam);
        QFETCH(bool, recomputed);
        add(1, rectAt(300, 300, 200, 100));
        add(2, rectAt(520, 300, 100, 100), 1);
        QVERIFY(!m_mag->isGlued(2));
        m_ws.rects[2] = rectAt(500, 300, 100, 100);
        send(1, message, wParam);
        QCOMPARE(m_mag->isGlued(2), recomputed);
    }

    void sizingEdgeFromTheChange_data()
    {
        QTest::addColumn<WndRect>("after");
        QTest::addColumn<int>("edge");
        QTest::newRow("moved") << rectAt(150, 150, 100, 100) << 0;
        QTest::newRow("left") << WndRect{90, 100, 200, 200} << 1;
        QTest::newRow("right") << WndRect{100, 100, 220, 200} << 2;
        QTest::newRow("top") << WndRect{100, 90, 200, 200} << 3;
        QTest::newRow("top left") << WndRect{90, 90, 200, 200} << 4;
        QTest::newRow("top right") << WndRect{100, 90, 210, 200} << 5;
        QTest::newRow("bottom") << WndRect{100, 100, 200, 230} << 6;
        QTest::newRow("bottom left") << WndRect{80, 100, 200, 230} << 7;
        QTest::newRow("bottom right") << WndRect{100, 100, 210, 230} << 8;
        QTest::newRow("moved and sized") << WndRect{90, 100, 230, 200} << 0;
    }

    void sizingEdgeFromTheChange()
    {
        QFETCH(WndRect, after);
        QFETCH(int, edge);
        QCOMPARE(QtMagneticWindows::sizingEdge(rectAt(100, 100, 100, 100), after), edge);
    }
};

namespace QTest {
template <> char* toString(const WndRect& r)
{
    return qstrdup(
        QString("(%1,%2 - %3,%4)").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom).toLatin1());
}
} // namespace QTest

QTEST_MAIN(TestMagneticWnd)
#include "tst_magneticwnd.moc"
