// The services over fakes. Magnetic windows over fake windows: snapping while
// moving and sizing, registration and gluing (rectangles are QRects here, compared
// and printed as such; the component's own are edge to edge). The tray
// component over a notification area without a tray, as the main window sets it
// up: the mouse messages, the popup menu, hiding the form to the icon and
// restoring it, the tip, and the host watch.
#include "services/NotificationIcon.h"
#include "services/QtMagneticWindows.h"
#include "services/SysTray.h"
#include "services/TrayMouseMessages.h"
#include "services/X11Native.h"
#include "services/cMagneticWnd.h"

#include <QMap>
#include <QMenu>
#include <QWidget>
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
    QStringList hooks;
};

// A rectangle given by its edges, as the component's rectangles are.
QRect edges(int left, int top, int right, int bottom)
{
    return {left, top, right - left, bottom - top};
}

// A notification area without a tray: records what the icon is asked to do.
class FakeNotificationIcon : public NotificationIcon
{
public:
    void add(const QIcon& icon, const QString& tip) override
    {
        shownIcon = icon;
        calls << "add:" + tip;
    }
    void modifyIcon(const QIcon& icon) override
    {
        shownIcon = icon;
        calls << "icon";
    }
    void modifyTip(const QString& tip) override { calls << "tip:" + tip; }
    void remove() override { calls << "remove"; }
    QString hostId() const override { return host; }

    QString host = "x11:42";
    QStringList calls;
    QIcon shownIcon;
};

} // namespace

class TestServices : public QObject
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

    FakeNotificationIcon* m_icon = nullptr;
    std::unique_ptr<SysTray> m_tray;
    std::unique_ptr<QWidget> m_form;
    std::unique_ptr<QMenu> m_menu;

    // A shown window bound with a tip and a menu, in the main window's order, and
    // hidden to the icon when minimised (style 3, as "systray=1" sets).
    void bindForm()
    {
        m_form = std::make_unique<QWidget>();
        m_form->resize(200, 100);
        m_form->show();
        m_tray->setForm(m_form.get());
        m_tray->setTrayTip("Tip");
        m_tray->setPopupMenu(m_menu.get());
        m_tray->setTrayFormStyle(3);
    }

    // The form's visibility and states, then "icon" while the tray icon shows.
    QString formState() const
    {
        QStringList state{m_form->isVisible() ? "shown" : "hidden"};
        for (const auto& [on, what] : {std::pair{m_form->isMinimized(), "minimised"},
                                       {m_form->isMaximized(), "maximised"},
                                       {m_tray->Visible(), "icon"}})
            if (on)
                state << what;
        return state.join(u' ');
    }

private Q_SLOTS:
    void init()
    {
        m_mag.reset();
        m_ws = FakeWindows{};
        m_mag = std::make_unique<cMagneticWnd>(&m_ws);
        auto icon = std::make_unique<FakeNotificationIcon>();
        m_icon = icon.get();
        m_tray = std::make_unique<SysTray>(std::move(icon));
        m_menu = std::make_unique<QMenu>();
        m_menu->addAction("Obnovit");
    }

    // Window 1 (200 x 100 at 300,300) moved (edge 0) or sized by an edge (1 left
    // ... 8 bottom right) near the work area (0,28 - 1280,800): each edge pairing
    // within the snap width (10 by default) snaps, the other edges stay put. Other
    // windows are targets too, a maximised one counts as the work area. The tag
    // sets the snap width and which window is maximised.
    void snapping_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<QRect>("proposed");
        QTest::addColumn<QRect>("placed");
        QTest::addColumn<QList<QRect>>("others"); // windows 2, 3, ...
        const auto row = [](const char* tag, int edge, QRect proposed, QRect placed,
                            QList<QRect> others = {}) {
            QTest::newRow(tag) << edge << proposed << placed << others;
        };
        row("right on right", 0, {1071, 400, 200, 100}, {1080, 400, 200, 100});
        row("left on right: outside, touching", 0, {1274, 400, 200, 100}, {1280, 400, 200, 100});
        row("right on left: outside, touching", 0, {-195, 400, 200, 100}, {-200, 400, 200, 100});
        row("corner", 0, {4, 34, 200, 100}, {0, 28, 200, 100});
        row("snap width 20", 0, {15, 400, 200, 100}, {0, 400, 200, 100});
        row("right on a window's left", 0, {395, 350, 200, 100}, {400, 350, 200, 100},
            {{600, 300, 100, 100}});
        row("a maximised window counts as the work area", 0, {6, 600, 200, 100}, {0, 600, 200, 100},
            {{100, 500, 200, 200}});
        const QRect nearAll = edges(5, 35, 1275, 795);
        row("sized left", 1, nearAll, edges(0, 35, 1275, 795));
        row("sized top left", 4, edges(6, 33, 500, 400), edges(0, 28, 500, 400));
        row("sized bottom, 10 px away", 6, edges(4, 300, 1276, 790), edges(4, 300, 1276, 790));
        row("sized bottom right", 8, nearAll, edges(5, 35, 1280, 800));
    }

    void snapping()
    {
        QFETCH(int, edge);
        QFETCH(QRect, proposed);
        QFETCH(QList<QRect>, others);
        add(1, QRect(300, 300, 200, 100));
        for (int i = 0; i < others.size(); ++i)
            add(2 + i, others[i]);
        const QByteArray tag = QTest::currentDataTag();
        if (tag.contains("maximised"))
            m_ws.maximized.insert(2);
        if (tag == "snap width 20")
            m_mag->setSnapWidth(20);
        WndRect r = WndRect::fromQRect(proposed);
        if (edge) {
            send(1, cMagneticWnd::WM_ENTERSIZEMOVE);
            send(1, cMagneticWnd::WM_SIZING, edge, &r);
        }
        QTEST(edge ? r.toQRect() : dragTo(1, proposed.topLeft()), "placed");
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
        add(1, QRect(0, 0, 10, 10));
        QVERIFY(!m_mag->AddWindow(1) && !m_mag->AddWindow(99)); // 99: no such window
        QCOMPARE(m_mag->count(), 1);
        QVERIFY(m_mag->RemoveWindow(1) && !m_mag->RemoveWindow(1));
        QVERIFY(m_mag->AddWindow(1));
        m_mag.reset();
        QCOMPARE(m_ws.hooks, (QStringList{"hook 1", "unhook 1", "hook 1", "unhook 1"}));
    }

    // Children touching their parent, directly or along a chain, travel with it;
    // a child touching nothing stays.
    void gluedChildrenTravelWithTheirParent()
    {
        add(1, QRect(300, 300, 200, 100));
        add(2, QRect(500, 300, 100, 100), 1); // touches the parent
        add(3, QRect(600, 350, 50, 50), 1);   // touches only the first child
        add(4, QRect(700, 350, 50, 50), 1);   // touches nothing
        QCOMPARE(dragTo(1, {250, 450}), QRect(250, 450, 200, 100));
        QCOMPARE(m_ws.rects[2].toQRect(), QRect(450, 450, 100, 100));
        QCOMPARE(m_ws.rects[3].toQRect(), QRect(550, 500, 50, 50));
        QCOMPARE(m_ws.rects[4].toQRect(), QRect(700, 350, 50, 50));
    }

    void cleanup()
    {
        m_menu->hide();
        m_tray.reset();
        m_form.reset();
        m_menu.reset();
    }

    // Minimised, a maximised form hides to the icon; a left click and a move do
    // nothing, a left double click restores the state the form had. A deleted menu
    // turns the popup off. (The window manager's minimise, real double and right
    // clicks: the display test.)
    void styleThreeHidesTheFormToTheIconAndBack()
    {
        bindForm();
        QVERIFY(m_icon->calls.isEmpty()); // nothing visible changes yet
        m_form->setWindowState(Qt::WindowMaximized);
        m_tray->FormMinimize();
        for (int message : {514, 512}) // left up, move
            m_tray->CallBack(0, TrayMouse::CallbackMessage, 0, message);
        QCOMPARE(formState(), QString("hidden minimised maximised icon"));
        QVERIFY(!m_menu->isVisible());
        m_tray->CallBack(0, TrayMouse::CallbackMessage, 0, 515); // left double click
        QCOMPARE(formState(), QString("shown maximised"));
        QCOMPARE(m_icon->calls, (QStringList{"add:Tip", "remove"}));
        m_menu.reset(new QMenu);
        m_tray->CallBack(0, TrayMouse::CallbackMessage, 0, 517); // right up
        QCOMPARE(m_tray->PopupStyle(), 0);
    }

    void aFormShownMinimisedGoesToTheTray()
    {
        m_form = std::make_unique<QWidget>();
        m_form->setWindowState(Qt::WindowMinimized);
        m_tray->setForm(m_form.get());
        m_tray->setTrayFormStyle(3);
        m_form->show();
        QTRY_COMPARE(formState(), QString("hidden minimised icon"));
        m_tray->FormRestore();
        QCOMPARE(formState(), QString("shown"));
    }

    // Without a notification area the form stays minimised on the task bar; a host
    // that goes away gives a hidden form back.
    void withoutANotificationAreaTheFormStaysReachable()
    {
        bindForm();
        m_tray->FormMinimize();
        m_icon->host.clear();
        m_tray->WatchTaskbar();
        QCOMPARE(formState().remove(" icon"), QString("shown minimised"));
        m_tray->FormRestore();
        m_tray->FormMinimize();
        QCOMPARE(formState().remove(" icon"), QString("shown minimised"));
    }

    // Set before the icon shows, and while it does (the icon animation).
    void tipAndIconReachTheShownIcon()
    {
        m_tray->setTrayTip("Tip");
        const QPixmap pixmap(16, 16); // each QIcon of it is a new picture
        m_tray->setIcon(QIcon(pixmap));
        QVERIFY(m_icon->calls.isEmpty()); // nothing reaches a hidden icon
        m_tray->setVisible(true);
        QCOMPARE(m_icon->shownIcon.cacheKey(), m_tray->Icon().cacheKey());
        m_tray->setTrayTip("Tip 2");
        m_tray->setIcon(QIcon(pixmap));
        m_tray->setIcon(m_tray->Icon()); // the same frame again: the tray is not touched
        QCOMPARE(m_icon->calls, (QStringList{"add:Tip", "tip:Tip 2", "icon"}));
        QCOMPARE(m_icon->shownIcon.cacheKey(), m_tray->Icon().cacheKey());
        // At most 63 characters, never half of one.
        const QString tip(62, 'a');
        QCOMPARE(SysTray::shownTip(tip + QString::fromUtf8("\U0001F4FB") + "b"), tip);
    }

    // The tray selection's screen, from the display's name.
    void trayScreenFromTheDisplayName()
    {
        QCOMPARE(X11Native::screenNumber("host.example:3.2"), 2);
        QCOMPARE(X11Native::screenNumber(""), 0);
    }
};

QTEST_MAIN(TestServices)
#include "tst_services.moc"
