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

// Every event of the tray and every menu shown, in order.
struct EventLog
{
    QStringList entries;

    void watch(SysTray& tray)
    {
        const auto button = [this](const char* name) {
            return [this, name](int button) {
                entries << QString("%1(%2)").arg(name).arg(button);
            };
        };
        const auto plain = [this](const char* name) {
            return [this, name] {
                entries << name;
            };
        };
        QObject::connect(&tray, &SysTray::MouseDown, button("MouseDown"));
        QObject::connect(&tray, &SysTray::MouseUp, button("MouseUp"));
        QObject::connect(&tray, &SysTray::Click, button("Click"));
        QObject::connect(&tray, &SysTray::DblClick, button("DblClick"));
        QObject::connect(&tray, &SysTray::MouseMove, plain("MouseMove"));
        QObject::connect(&tray, &SysTray::Minimize, plain("Minimize"));
        QObject::connect(&tray, &SysTray::Restore, plain("Restore"));
        QObject::connect(&tray, &SysTray::Refreshed, plain("Refreshed"));
    }
    void watch(QMenu& menu)
    {
        QObject::connect(&menu, &QMenu::aboutToShow, [this] { entries << "Menu"; });
    }
    QString take()
    {
        const QString all = entries.join(' ');
        entries.clear();
        return all;
    }
};

} // namespace

class TestSysTray : public QObject
{
    Q_OBJECT

    FakeNotificationIcon* m_icon = nullptr;
    std::unique_ptr<SysTray> m_tray;
    std::unique_ptr<QWidget> m_form;
    std::unique_ptr<QMenu> m_menu;
    EventLog m_log;

    void notify(int mouseMessage)
    {
        m_tray->CallBack(0, TrayMouse::CallbackMessage, 0, mouseMessage);
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
        m_log = {};
        m_log.watch(*m_tray);
        m_log.watch(*m_menu);
        m_log.watch(*m_tray->internalForm()->mPopup);
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
        QTest::newRow("left down") << 513 << 8 << "MouseDown(1) Menu";
        QTest::newRow("left up") << 514 << 1 << "MouseUp(1) Click(1) Menu";
        QTest::newRow("left double: menu first") << 515 << 64 << "Menu DblClick(1)";
        QTest::newRow("right down") << 516 << 16 << "MouseDown(2) Menu";
        QTest::newRow("right up") << 517 << 2 << "MouseUp(2) Click(2) Menu";
        QTest::newRow("right double") << 518 << 128 << "DblClick(2) Menu";
        QTest::newRow("middle down") << 519 << 32 << "MouseDown(4) Menu";
        QTest::newRow("middle up") << 520 << 4 << "MouseUp(4) Click(4) Menu";
        QTest::newRow("middle double") << 521 << 256 << "DblClick(4) Menu";
        QTest::newRow("below the table") << 511 << 0 << "";
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
        QCOMPARE(m_log.take(), QString(events).remove(" Menu").remove("Menu "));
        m_tray->setPopupStyle(bit);
        notify(message);
        QCOMPARE(m_log.take(), events);
        QCOMPARE(m_menu->isVisible(), bit != 0);
    }

    // With the defaults a right click on the icon opens the menu after its events;
    // messages other than the icon's are ignored.
    void theIconsMessagesWithTheDefaults()
    {
        bindForm();
        Q_EMIT m_icon->mouseMessage(516);
        Q_EMIT m_icon->mouseMessage(517);
        QCOMPARE(m_log.take(), QString("MouseDown(2) MouseUp(2) Click(2) Menu"));
        m_menu->hide();
        m_tray->setPopupStyle(0xFFFF);
        m_form->setWindowState(Qt::WindowMinimized);
        m_log.take();
        m_tray->CallBack(0, 513, 0, 515);
        QCOMPARE(m_log.take(), QString());
        QVERIFY(m_form->isMinimized());
    }

    // No menu, or a deleted one, turns the popup style off; a menu given later
    // stays unused until the style is set again.
    void noMenuTurnsThePopupStyleOff()
    {
        bindForm();
        m_menu.reset(new QMenu);
        m_log.watch(*m_menu);
        notify(517);
        QCOMPARE(m_tray->PopupStyle(), 0);
        QCOMPARE(m_log.take(), QString("MouseUp(2) Click(2)"));
        m_tray->setPopupStyle(2);
        m_tray->setPopupMenu(nullptr);
        notify(512);
        QCOMPARE(m_tray->PopupStyle(), 0);
        m_tray->setPopupMenu(m_menu.get());
        notify(517);
        QCOMPARE(m_log.take(), QString("MouseMove MouseUp(2) Click(2)"));
        m_tray->setPopupStyle(2);
        notify(517);
        QCOMPARE(m_log.take(), QString("MouseUp(2) Click(2) Menu"));
    }

    void doubleClickRestoresAMinimisedForm()
    {
        bindForm();
        m_tray->setPopupStyle(0);
        m_form->setWindowState(Qt::WindowMinimized);
        m_log.take();
        notify(515);
        QCOMPARE(m_log.take(), QString("Restore DblClick(1)"));
        QCOMPARE(formState(), QString("shown"));
        notify(515); // a form that is not minimised gets only the event
        QCOMPARE(m_log.take(), QString("DblClick(1)"));
    }

    void restoreNeedsTheActionsBit_data()
    {
        QTest::addColumn<int>("message");
        QTest::addColumn<int>("restoreBits");
        QTest::addColumn<bool>("restored");
        QTest::newRow("left up, bit 1") << 514 << 1 << true;
        QTest::newRow("left up, default 64") << 514 << 64 << false;
        QTest::newRow("right down, bit 16") << 516 << 16 << true;
        QTest::newRow("middle double, bit 256") << 521 << 256 << true;
        QTest::newRow("middle double, all but 256") << 521 << 0xFF << false;
        QTest::newRow("a move never restores") << 512 << 0x1FF << false;
    }

    void restoreNeedsTheActionsBit()
    {
        QFETCH(int, message);
        QFETCH(int, restoreBits);
        bindForm();
        m_tray->setPopupStyle(0);
        m_tray->setRestoreFromTrayOn(restoreBits);
        m_form->setWindowState(Qt::WindowMinimized);
        notify(message);
        QTEST(!m_form->isMinimized(), "restored");
    }

    void styleThreeHidesTheFormToTheIconAndBack()
    {
        bindForm();
        m_form->setWindowState(Qt::WindowMaximized);
        m_tray->setTrayFormStyle(3);
        QVERIFY(m_icon->calls.isEmpty()); // nothing visible changes yet
        m_log.take();
        m_tray->FormMinimize();
        QCOMPARE(formState(), QString("hidden minimised maximised icon"));
        QCOMPARE(m_icon->calls, QStringList{"add:Tip"});
        QVERIFY(m_log.take().endsWith("Minimize"));
        m_tray->FormRestore();
        QCOMPARE(formState(), QString("shown maximised")); // the last state before minimising
        QCOMPARE(m_icon->calls, (QStringList{"add:Tip", "remove"}));
        QCOMPARE(m_log.take(), QString("Restore"));
    }

    void minimisingTheWindowItselfGoesToTheTray()
    {
        bindForm();
        m_tray->setTrayFormStyle(3);
        m_form->setWindowState(Qt::WindowMinimized); // as the window manager does
        QCOMPARE(formState(), QString("hidden minimised icon"));
        notify(513);
        notify(514);
        QVERIFY(!m_form->isVisible());
        notify(515);
        QCOMPARE(formState(), QString("shown"));
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

    void visibleFollowsTheFormWithBitTwo()
    {
        bindForm();
        QCOMPARE(m_tray->setVisible(true), true);
        QCOMPARE(m_tray->setVisible(false), false);
        QCOMPARE(m_icon->calls, (QStringList{"add:Tip", "remove"}));
        m_icon->calls.clear();
        // With bit 2 the icon shows exactly while the form is hidden, whatever is asked.
        m_tray->setTrayFormStyle(2);
        QCOMPARE(m_tray->setVisible(true), false);
        QVERIFY(m_icon->calls.isEmpty());
        m_form->hide();
        QCOMPARE(m_tray->setVisible(false), true);
        QCOMPARE(m_icon->calls, QStringList{"add:Tip"});
        // Showing the form again and setting the style removes the icon.
        m_form->show();
        m_tray->setTrayFormStyle(2);
        QVERIFY(!m_tray->Visible());
    }

    void tipShowsAtMost63Characters_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("shown");
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("62") << 62 << 62;
        QTest::newRow("63") << 63 << 63;
        QTest::newRow("64") << 64 << 63;
        QTest::newRow("200") << 200 << 63;
    }

    void tipShowsAtMost63Characters()
    {
        QFETCH(int, length);
        QFETCH(int, shown);
        QString tip;
        for (int i = 0; i < length; ++i)
            tip += QChar('a' + i % 26);
        m_tray->setTrayTip(tip);
        m_tray->setVisible(true);
        QCOMPARE(m_icon->calls.last(), "add:" + tip.left(shown));
        m_tray->setTrayTip(tip + "x");
        QCOMPARE(m_icon->calls.last(), "tip:" + QString(tip + "x").left(qMin(shown + 1, 63)));
        // Never half a character.
        const QString radio = QString(62, 'a') + QString::fromUtf8("\U0001F4FB") + "b";
        QCOMPARE(SysTray::shownTip(radio), QString(62, 'a'));
    }

    void iconChangesReachOnlyAShownIcon()
    {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        m_tray->setIcon(QIcon(pixmap));
        QVERIFY(m_icon->calls.isEmpty());
        m_tray->setVisible(true);
        QCOMPARE(m_icon->shownIcon.cacheKey(), m_tray->Icon().cacheKey());
        pixmap.fill(Qt::blue);
        m_tray->setIcon(QIcon(pixmap));
        QCOMPARE(m_icon->calls.last(), QString("icon"));
        QCOMPARE(m_icon->shownIcon.cacheKey(), m_tray->Icon().cacheKey());
    }

    void aNewHostGetsTheIconOnce()
    {
        m_tray->setVisible(true);
        m_icon->calls.clear();
        m_tray->WatchTaskbar();
        QVERIFY(m_icon->calls.isEmpty());

        m_icon->host = "x11:43";
        m_tray->WatchTaskbar();
        m_tray->WatchTaskbar();
        QCOMPARE(m_icon->calls, (QStringList{"remove", "add:"}));
        QCOMPARE(m_log.take(), QString("Refreshed"));
        QVERIFY(m_tray->Visible());

        // Host gone, then a new one: the icon comes back once.
        m_icon->host.clear();
        m_tray->WatchTaskbar();
        QCOMPARE(m_log.take(), QString());
        m_icon->host = "x11:44";
        m_tray->WatchTaskbar();
        QCOMPARE(m_log.take(), QString("Refreshed"));

        // Without a shown icon a new host changes nothing.
        m_tray->setVisible(false);
        m_icon->calls.clear();
        m_icon->host = "sni::1.7";
        m_tray->WatchTaskbar();
        QVERIFY(m_icon->calls.isEmpty());
        QCOMPARE(m_log.take(), QString());
    }

    void theWatchRunsOnTheHiddenFormsTimer()
    {
        m_tray->setVisible(true);
        m_icon->host = "x11:43";
        QSignalSpy refreshed(m_tray.get(), &SysTray::Refreshed);
        QVERIFY(refreshed.wait(3000));
        m_tray->setPersistent(false);
        m_icon->host = "x11:44";
        QVERIFY(!refreshed.wait(1500));
    }

    // Another form clears the menu; without a form (none, or deleted) the hidden one serves.
    void formChangeClearsTheMenu()
    {
        bindForm();
        m_tray->setForm(m_form.get()); // the same form changes nothing
        QCOMPARE(m_tray->PopupMenu(), m_menu.get());
        QWidget other;
        other.setWindowState(Qt::WindowMinimized);
        m_tray->setForm(&other);
        QCOMPARE(m_tray->PopupMenu(), nullptr);
        m_tray->setForm(nullptr);
        QCOMPARE(m_tray->Form(), m_tray->internalForm());
        m_tray->setForm(m_form.get());
        m_form.reset();
        QCOMPARE(m_tray->Form(), m_tray->internalForm());
        m_tray->FormRestore(); // must not touch the deleted window
    }

    void aFormMinimisedWhenBoundRestoresToNormal()
    {
        QWidget form;
        form.setWindowState(Qt::WindowMinimized);
        form.show();
        m_tray->setForm(&form);
        m_tray->FormRestore();
        QCOMPARE(form.windowState() & ~Qt::WindowActive, Qt::WindowNoState);
    }

    void activationsBecomeMouseMessages()
    {
        using R = QSystemTrayIcon::ActivationReason;
        QCOMPARE(TrayMouse::messagesFor(R::Trigger), (QList<int>{513, 514}));
        QCOMPARE(TrayMouse::messagesFor(R::DoubleClick), QList<int>{515});
        QCOMPARE(TrayMouse::messagesFor(R::Context), (QList<int>{516, 517}));
        QCOMPARE(TrayMouse::messagesFor(R::MiddleClick), (QList<int>{519, 520}));
        QVERIFY(TrayMouse::messagesFor(R::Unknown).isEmpty());
    }

    void hostIdentity()
    {
        QCOMPARE(QtNotificationIcon::hostIdFrom(":1.5", "77/1", true), QString("sni::1.5"));
        QCOMPARE(QtNotificationIcon::hostIdFrom("", "77/1", false), QString("x11:77/1"));
        QCOMPARE(QtNotificationIcon::hostIdFrom("", "", true), QString("system"));
        QCOMPARE(QtNotificationIcon::hostIdFrom("", "", false), QString());
        QCOMPARE(X11Native::screenNumber(":0"), 0);
        QCOMPARE(X11Native::screenNumber(":12.1"), 1);
        QCOMPARE(X11Native::screenNumber("host.example:3.2"), 2);
        QCOMPARE(X11Native::screenNumber(""), 0);
    }
};

QTEST_MAIN(TestSysTray)
#include "tst_systray.moc"
