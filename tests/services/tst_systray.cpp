// The tray component's logic over a notification area without a tray: the mouse
// messages and their events, the popup menu, restoring and hiding the form, the
// tip, and the host watch.
#include "services/NotificationIcon.h"
#include "services/QtNotificationIcon.h"
#include "services/SysTray.h"
#include "services/TrayMouseMessages.h"
#include "services/X11Native.h"
#include "services/frmInternal.h"

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
    QStringList m_log; // every event of the tray and every menu shown, in order

    void notify(int mouseMessage)
    {
        m_tray->CallBack(0, TrayMouse::CallbackMessage, 0, mouseMessage);
    }
    QString takeLog() { return std::exchange(m_log, {}).join(u' '); }

    void watchMenu(QMenu& menu)
    {
        connect(&menu, &QMenu::aboutToShow, this, [this] { m_log << "Menu"; });
    }

    // A tray bound to a shown window with a menu, as the main window sets it up.
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
        m_log.clear();
        const auto button = [this](void (SysTray::*signal)(int), const char* name) {
            connect(m_tray.get(), signal, this,
                    [this, name](int b) { m_log << QString("%1(%2)").arg(name).arg(b); });
        };
        const auto plain = [this](void (SysTray::*signal)(), const char* name) {
            connect(m_tray.get(), signal, this, [this, name] { m_log << name; });
        };
        button(&SysTray::MouseDown, "MouseDown");
        button(&SysTray::MouseUp, "MouseUp");
        button(&SysTray::Click, "Click");
        button(&SysTray::DblClick, "DblClick");
        plain(&SysTray::MouseMove, "MouseMove");
        plain(&SysTray::Minimize, "Minimize");
        plain(&SysTray::Restore, "Restore");
        plain(&SysTray::Refreshed, "Refreshed");
        watchMenu(*m_menu);
        watchMenu(*m_tray->internalForm()->mPopup);
    }

    void cleanup()
    {
        m_menu->hide();
        m_tray->internalForm()->mPopup->hide();
        m_tray.reset();
        m_form.reset();
        m_menu.reset();
    }

    // Each message raises its events; its PopupStyle bit opens the menu, before
    // a left double click's event and after all others.
    void mouseMessages_data()
    {
        QTest::addColumn<int>("message");
        QTest::addColumn<int>("bit"); // 0: no bit opens the menu
        QTest::addColumn<QString>("events");
        QTest::newRow("move") << 512 << 0 << "MouseMove";
        QTest::newRow("left double: menu first") << 515 << 64 << "Menu DblClick(1)";
        QTest::newRow("right up") << 517 << 2 << "MouseUp(2) Click(2) Menu";
        QTest::newRow("above the table") << 522 << 0 << "";
    }

    void mouseMessages()
    {
        QFETCH(int, message);
        QFETCH(int, bit);
        QFETCH(QString, events);
        bindForm();
        m_tray->setPopupStyle(0x1FF & ~bit);
        notify(message);
        QCOMPARE(takeLog(), QString(events).remove(" Menu").remove("Menu "));
        m_tray->setPopupStyle(bit);
        notify(message);
        QCOMPARE(takeLog(), events);
        QCOMPARE(m_menu->isVisible(), bit != 0);
    }

    // No menu, or a deleted one, turns the popup style off; a menu given later
    // stays unused until the style is set again.
    void noMenuTurnsThePopupStyleOff()
    {
        bindForm();
        m_menu.reset(new QMenu); // the bound one is deleted
        watchMenu(*m_menu);
        notify(517);
        QCOMPARE(m_tray->PopupStyle(), 0);
        m_tray->setPopupMenu(m_menu.get());
        notify(517); // unused until the style is set again
        m_tray->setPopupStyle(2);
        notify(517);
        QCOMPARE(takeLog(),
                 QString("MouseUp(2) Click(2) MouseUp(2) Click(2) MouseUp(2) Click(2) Menu"));
    }

    // A minimised form comes back on a left double click (the main window's
    // RestoreFromTrayOn), before the message's own event, and on nothing else.
    void restoreOnALeftDoubleClick_data()
    {
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("events");
        QTest::newRow("left double") << 515 << "Restore DblClick(1)";
        QTest::newRow("left up") << 514 << "MouseUp(1) Click(1)";
        QTest::newRow("right double") << 518 << "DblClick(2)";
        QTest::newRow("move") << 512 << "MouseMove";
    }

    void restoreOnALeftDoubleClick()
    {
        QFETCH(int, message);
        QFETCH(QString, events);
        bindForm();
        m_tray->setPopupStyle(0);
        m_tray->setRestoreFromTrayOn(64);
        m_form->setWindowState(Qt::WindowMinimized);
        takeLog();
        notify(message);
        QCOMPARE(takeLog(), events);
        QCOMPARE(m_form->isMinimized(), !events.startsWith("Restore"));
        notify(message); // a form that is not minimised gets only the events
        QCOMPARE(takeLog(), QString(events).remove("Restore "));
    }

    // Style 3: minimising hides the form to the icon; restoring brings back the
    // state it had before. (The window manager's minimise: the display test.)
    void styleThreeHidesTheFormToTheIconAndBack()
    {
        bindForm();
        m_form->setWindowState(Qt::WindowMaximized);
        m_tray->setTrayFormStyle(3);
        QVERIFY(m_icon->calls.isEmpty()); // nothing visible changes yet
        takeLog();
        m_tray->FormMinimize();
        QCOMPARE(formState(), QString("hidden minimised maximised icon"));
        QCOMPARE(m_icon->calls, QStringList{"add:Tip"});
        QVERIFY(takeLog().endsWith("Minimize"));
        m_tray->FormRestore();
        QCOMPARE(formState(), QString("shown maximised"));
        QCOMPARE(m_icon->calls, (QStringList{"add:Tip", "remove"}));
        QCOMPARE(takeLog(), QString("Restore"));
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

    void tipAndIconReachTheShownIcon()
    {
        const QString tip = QString(62, 'a');
        m_tray->setTrayTip(tip + "bc");
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        m_tray->setIcon(QIcon(pixmap));
        QVERIFY(m_icon->calls.isEmpty()); // nothing reaches a hidden icon
        m_tray->setVisible(true);
        QCOMPARE(m_icon->calls, QStringList{"add:" + tip + "b"}); // at most 63 characters
        QCOMPARE(m_icon->shownIcon.cacheKey(), m_tray->Icon().cacheKey());
        m_tray->setTrayTip(tip);
        pixmap.fill(Qt::blue);
        m_tray->setIcon(QIcon(pixmap));
        QCOMPARE(m_icon->calls.mid(1), (QStringList{"tip:" + tip, "icon"}));
        QCOMPARE(m_icon->shownIcon.cacheKey(), m_tray->Icon().cacheKey());
        // Never half a character.
        QCOMPARE(SysTray::shownTip(tip + QString::fromUtf8("\U0001F4FB") + "b"), tip);
    }

    // Another form clears the menu; without a form (none, or deleted) the hidden
    // one serves; a form minimised when bound restores to normal.
    void formChanges()
    {
        bindForm();
        m_tray->setForm(m_form.get()); // the same form changes nothing
        QCOMPARE(m_tray->PopupMenu(), m_menu.get());
        QWidget other;
        other.setWindowState(Qt::WindowMinimized);
        other.show();
        m_tray->setForm(&other);
        QCOMPARE(m_tray->PopupMenu(), nullptr);
        m_tray->FormRestore();
        QCOMPARE(other.windowState() & ~Qt::WindowActive, Qt::WindowNoState);
        m_tray->setForm(nullptr);
        QCOMPARE(m_tray->Form(), m_tray->internalForm());
        m_tray->setForm(m_form.get());
        m_form.reset();
        QCOMPARE(m_tray->Form(), m_tray->internalForm());
        m_tray->FormRestore(); // must not touch the deleted window
    }

    // The real tray host's double and right clicks, and the watcher's and X
    // tray's identities, are shown by the display test.
    void activationsAndHosts()
    {
        using R = QSystemTrayIcon::ActivationReason;
        QCOMPARE(TrayMouse::messagesFor(R::Trigger), (QList<int>{513, 514}));
        QCOMPARE(TrayMouse::messagesFor(R::MiddleClick), (QList<int>{519, 520}));
        QVERIFY(TrayMouse::messagesFor(R::Unknown).isEmpty());
        QCOMPARE(QtNotificationIcon::hostIdFrom("", "", true), QString("system"));
        QCOMPARE(QtNotificationIcon::hostIdFrom("", "", false), QString());
        QCOMPARE(X11Native::screenNumber("host.example:3.2"), 2);
        QCOMPARE(X11Native::screenNumber(""), 0);
    }
};

QTEST_MAIN(TestSysTray)
#include "tst_systray.moc"
