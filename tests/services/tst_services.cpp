// The services over fakes. Magnetic windows over fake windows: the moving and
// sizing steps, registration and gluing (rectangles are QRects here, compared
// and printed as such; the component's own are edge to edge). The tray
// component over a notification area without a tray, as the main window sets it
// up: the mouse messages, the popup menu, hiding the form to the icon and
// restoring it, the tip, and the host watch.
#include "services/NotificationIcon.h"
#include "services/QtMagneticWindows.h"
#include "services/QtNotificationIcon.h"
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

    void notify(int mouseMessage)
    {
        m_tray->CallBack(0, TrayMouse::CallbackMessage, 0, mouseMessage);
    }

    // A shown window bound with a tip and a menu, in the main window's order.
    void bindForm()
    {
        m_form = std::make_unique<QWidget>();
        m_form->resize(200, 100);
        m_form->show();
        m_tray->setForm(m_form.get());
        m_tray->setTrayTip("Tip");
        m_tray->setPopupMenu(m_menu.get());
    }

    // The form's visibility and states, then "icon" while the tray icon shows.
    QString formState() const
    {
        QStringList state{m_form->isVisible() ? "shown" : "hidden"};
        if (m_form->isMinimized())
            state << "minimised";
        if (m_form->isMaximized())
            state << "maximised";
        if (m_tray->Visible())
            state << "icon";
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

    void cleanup()
    {
        m_menu->hide();
        m_tray.reset();
        m_form.reset();
        m_menu.reset();
    }

    // Hidden to the icon (style 3): a right click opens the menu, a left double
    // click restores, other messages do neither.
    void mouseMessages_data()
    {
        QTest::addColumn<int>("message");
        QTest::addColumn<bool>("menu");
        QTest::addColumn<QString>("form");
        QTest::newRow("right up") << 517 << true << "hidden minimised icon";
        QTest::newRow("left double") << 515 << false << "shown";
        QTest::newRow("left up") << 514 << false << "hidden minimised icon";
        QTest::newRow("move") << 512 << false << "hidden minimised icon";
    }

    void mouseMessages()
    {
        QFETCH(int, message);
        bindForm();
        m_tray->setTrayFormStyle(3);
        m_tray->FormMinimize();
        notify(message);
        QTEST(m_menu->isVisible(), "menu");
        QTEST(formState(), "form");
    }

    // The mouse events, and a deleted menu turning the popup style off.
    void mouseEventsAndADeletedMenu()
    {
        bindForm();
        QStringList log;
        connect(m_tray.get(), &SysTray::Click, this, [&](int b) { log << QString::number(b); });
        connect(m_menu.get(), &QMenu::aboutToShow, this, [&] { log << "Menu"; });
        notify(517);
        QCOMPARE(log, (QStringList{"2", "Menu"}));
        m_menu.reset(new QMenu);
        notify(517);
        QCOMPARE(m_tray->PopupStyle(), 0);
    }

    // Minimising hides the form to the icon; restoring brings back the state it
    // had before. (The window manager's minimise: the display test.)
    void styleThreeHidesTheFormToTheIconAndBack()
    {
        bindForm();
        m_form->setWindowState(Qt::WindowMaximized);
        m_tray->setTrayFormStyle(3);
        QVERIFY(m_icon->calls.isEmpty()); // nothing visible changes yet
        m_tray->FormMinimize();
        QCOMPARE(formState(), QString("hidden minimised maximised icon"));
        QCOMPARE(m_icon->calls, QStringList{"add:Tip"});
        m_tray->FormRestore();
        QCOMPARE(formState(), QString("shown maximised"));
        QCOMPARE(m_icon->calls, (QStringList{"add:Tip", "remove"}));
    }

    void aFormShownMinimisedGoesToTheTray()
    {
        m_form = std::make_unique<QWidget>();
        m_form->setWindowState(Qt::WindowMinimized);
        m_tray->setForm(m_form.get());
        m_tray->setTrayFormStyle(3);
        m_form->show();
        QTRY_VERIFY(!m_form->isVisible());
        QVERIFY(m_tray->Visible());
        m_tray->FormRestore();
        QCOMPARE(formState(), QString("shown"));
    }

    // Without a notification area the form stays minimised on the task bar; a host
    // that goes away gives a hidden form back.
    void withoutANotificationAreaTheFormStaysReachable()
    {
        bindForm();
        m_tray->setTrayFormStyle(3);
        m_tray->FormMinimize();
        QVERIFY(!m_form->isVisible());
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
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        m_tray->setIcon(QIcon(pixmap));
        QVERIFY(m_icon->calls.isEmpty()); // nothing reaches a hidden icon
        m_tray->setVisible(true);
        QCOMPARE(m_icon->calls, QStringList{"add:Tip"});
        QCOMPARE(m_icon->shownIcon.cacheKey(), m_tray->Icon().cacheKey());
        m_tray->setTrayTip("Tip 2");
        pixmap.fill(Qt::blue);
        m_tray->setIcon(QIcon(pixmap));
        m_tray->setIcon(m_tray->Icon()); // the same frame again: the tray is not touched
        QCOMPARE(m_icon->calls.mid(1), (QStringList{"tip:Tip 2", "icon"}));
        QCOMPARE(m_icon->shownIcon.cacheKey(), m_tray->Icon().cacheKey());
        // At most 63 characters, never half of one.
        const QString tip(62, 'a');
        QCOMPARE(SysTray::shownTip(tip + QString::fromUtf8("\U0001F4FB") + "b"), tip);
    }

    // Binding a form clears the menu: the main window binds its form first.
    void aNewFormClearsTheMenu()
    {
        bindForm();
        QWidget other;
        m_tray->setForm(&other);
        QCOMPARE(m_tray->PopupMenu(), nullptr);
    }

    // The real tray host's double and right clicks, and the watcher's and X
    // tray's identities, are shown by the display test.
    void activationsAndHosts()
    {
        using R = QSystemTrayIcon::ActivationReason;
        QCOMPARE(TrayMouse::messagesFor(R::Trigger), (QList<int>{513, 514}));
        QVERIFY(TrayMouse::messagesFor(R::Unknown).isEmpty());
        QCOMPARE(QtNotificationIcon::hostIdFrom("", "", true), QString("system"));
        QCOMPARE(QtNotificationIcon::hostIdFrom("", "", false), QString());
        QCOMPARE(X11Native::screenNumber("host.example:3.2"), 2);
        QCOMPARE(X11Native::screenNumber(""), 0);
    }
};

QTEST_MAIN(TestServices)
#include "tst_services.moc"
