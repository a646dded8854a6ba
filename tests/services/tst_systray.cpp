// The tray component's logic over a notification area without a tray, as the
// main window sets it up: the mouse messages, the popup menu, hiding the form to
// the icon and restoring it, the tip, and the host watch.
#include "services/NotificationIcon.h"
#include "services/QtNotificationIcon.h"
#include "services/SysTray.h"
#include "services/TrayMouseMessages.h"
#include "services/X11Native.h"

#include <QMenu>
#include <QWidget>
#include <QtTest>

namespace {

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

class TestSysTray : public QObject
{
    Q_OBJECT

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
        auto icon = std::make_unique<FakeNotificationIcon>();
        m_icon = icon.get();
        m_tray = std::make_unique<SysTray>(std::move(icon));
        m_menu = std::make_unique<QMenu>();
        m_menu->addAction("Obnovit");
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

QTEST_MAIN(TestSysTray)
#include "tst_systray.moc"
