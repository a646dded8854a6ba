// Every toolbar button, menu item (product and tray menu) and key of the main
// window reaches its action: each row triggers something on a fresh window and
// lists what changed. Dialogs are seen through the window's dialog slots.
#include "TestFolders.h"
#include "common/AnsiCodePage.h"
#include "common/modGlobal.h"
#include "platform/KeyedListView.h"
#include "player/frmPlayer.h"
#include "settings/modINI.h"
#include "stream/MediaPlayer.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QToolBar>
#include <QtTest>

#include <memory>

using namespace modGlobal;
using namespace Qt::StringLiterals;

namespace {

// The main window with its dialogs replaced by a note of which one would open.
class RecordingPlayer : public frmPlayer
{
public:
    QStringList opened;
    void ShowOpenUrlDialog() override { opened << u"frmPlayURL"_s; }
    void ShowStationFilesDialog() override { opened << u"frmStationFiles"_s; }
    void ShowStationEditDialog() override { opened << u"frmStationEdit"_s; }
    void ShowSettingsDialog() override { opened << u"frmSettings"_s; }
    void ShowAboutDialog() override { opened << u"frmAbout"_s; }
    void ShowVolumePopup() override { opened << u"wfmVolume"_s; }
};

// Triggers (toolbar keys, menu items, keys pressed in the station list), in
// order, and what they change.
const struct
{
    const char* triggers;
    const char* changes;
} Rows[] = {
    {"tb_exit", "closed state=0"},
    {"mnuSK_Exit", "closed state=0"},
    {"Ctrl+X", "closed state=0"},
    {"Shift+Esc Ctrl+X", "closed state=1|minimised"},
    {"Shift+Esc mnuST_Exit", "closed state=0"}, // restored from the tray first
    {"Shift+Esc", "minimised"},
    {"Shift+Esc mnuST_Restore", ""},
    {"tb_settings", "frmSettings"},
    {"mnuSK_Settings", "frmSettings"},
    {"Ctrl+S", "frmSettings"},
    {"tb_stations", "frmStationFiles"},
    {"mnuSK_OpenStationList", "frmStationFiles"},
    {"F12", "frmStationFiles"},
    {"tb_edit", "frmStationEdit"},
    {"mnuSK_EditStationList", "frmStationEdit"},
    {"Ctrl+E", "frmStationEdit"},
    {"tb_open", "frmPlayURL"},
    {"mnuSK_OpenURL", "frmPlayURL"},
    {"Ctrl+O", "frmPlayURL"},
    {"mnuSK_About", "frmAbout"},
    {"tb_fav", "list fav.tlist"},
    {"tb_mute", "muted"},
    {"tb_mute tb_sound", ""},
    {"mnuST_Sound", "muted"},
    {"mnuST_Sound mnuST_Sound", ""},
    {"tb_play", "url a|state 9"},
    {"Ctrl+P", "url a|state 9"},
    {"Return", "url a|state 9"},
    {"Shift+Return", "url a|state 9"},
    {"tb_play tb_stop", "url a"}, // stopped again (state 1, as before)
    {"tb_play Ctrl+T", "url a"},
    {"tb_play mnuST_Stop", "url a"},
    {"mnuST_Play", "state 9"}, // the last opened address again
    {"Ctrl+Right", "volume 55"},
    {"Ctrl+Left", "volume 45"},
    {"F8", "wfmVolume"},
    // The media keys ("_" for a blank of the key's name).
    {"Media_Play", "state 9"}, // the last address again; a second press stops
    {"Media_Play Media_Play", ""},
    {"tb_play Media_Stop", "url a"},
    {"Media_Next", "url a|state 9"},
    {"Media_Previous", "url a|state 9"},
    {"Volume_Up", "volume 55"},
    {"Volume_Down", "volume 45"},
    {"Volume_Mute", "muted"},
    {"mnuSK_OnTop", "on top"},
    {"Menu", "menu"},
    {"Ctrl+C", "clipboard a"},
    {"mnuSwitchWindows", ""},
    {"Ctrl+Shift+Right", ""}, // masks are exact
    {"Esc", ""},
    {"Ctrl+Return", ""},
};

QString last(const QString& url)
{
    return url.section(u'/', -1);
}

} // namespace

class TestPlayerCommands : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporaryProgramFolder> m_folder;
    std::unique_ptr<RecordingPlayer> m_window;
    int m_unloads = 0;

    // What a row may change, one entry per thing.
    QStringList observe()
    {
        RecordingPlayer& w = *m_window;
        QStringList seen = w.opened;
        if (m_unloads)
            seen << u"closed state="_s + INI_ReadValue(u"PLAYER"_s, u"state"_s);
        seen << u"volume %1"_s.arg(w.WMP().settings().volume()) << u"url "_s + last(CurrentURL)
             << u"state %1"_s.arg(w.WMP().playState()) << u"list "_s + last(CurrentListFile)
             << u"clipboard "_s + last(QGuiApplication::clipboard()->text());
        for (const auto& [on, what] : {std::pair{w.WMP().settings().mute(), "muted"},
                                       {w.isMinimized(), "minimised"},
                                       {OnTopFlag, "on top"},
                                       {w.mnuSkyTuner()->isVisible(), "menu"}})
            if (on)
                seen << QLatin1String(what);
        return seen;
    }

private Q_SLOTS:
    void init()
    {
        ResetGlobalState();
        QGuiApplication::clipboard()->setText(u"sentinel"_s);
        m_folder = std::make_unique<TemporaryProgramFolder>();
        const auto list = [this](const char* name, const char* url) {
            TestFolders::writeBytes(m_folder->file(name),
                                    "[STATION:]S|" + QByteArray(url) + "|0|0|0|1\r\n\r\n");
            return m_folder->file(name);
        };
        const QString ini = u"[PLAYER]\r\nlist="_s + list("a.tlist", "http://127.0.0.1:9/a") +
                            u"\r\nfav="_s + list("fav.tlist", "http://127.0.0.1:9/f");
        TestFolders::writeBytes(m_folder->file("skytuner.ini"), AnsiCodePage::encode(ini));
        m_window = std::make_unique<RecordingPlayer>();
        m_unloads = 0;
        connect(m_window.get(), &frmPlayer::Unloaded, this, [this] { ++m_unloads; });
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        KeyedListView* lst = m_window->lstStations();
        QTest::mouseClick(lst->viewport(), Qt::LeftButton, {},
                          lst->visualItemRect(lst->topLevelItem(0)).center());
        m_window->WMP().setURL(u"http://127.0.0.1:9/last"_s);
        m_window->WMP().controls().stop();
    }

    void cleanup()
    {
        m_window->mnuSkyTuner()->hide();
        m_window.reset();
        m_folder.reset();
        ResetGlobalState();
    }

    void everyTriggerReachesItsAction_data()
    {
        QTest::addColumn<QString>("triggers");
        QTest::addColumn<QString>("changes");
        for (const auto& row : Rows)
            QTest::newRow(row.triggers) << row.triggers << row.changes;
    }

    void everyTriggerReachesItsAction()
    {
        QFETCH(QString, triggers);
        QFETCH(QString, changes);
        const QStringList before = observe();
        for (const QString& trigger : triggers.split(u' ')) {
            if (trigger.startsWith(u"tb_"))
                m_window->toolButton(trigger)->trigger();
            else if (trigger.startsWith(u"mnu"))
                m_window->menuItem(trigger)->trigger();
            else if (const QKeySequence key(QString(trigger).replace(u'_', u' ')); true)
                QTest::keyClick(m_window->lstStations(), key[0].key(), key[0].keyboardModifiers());
        }
        QStringList changed;
        for (const QString& seen : observe())
            if (!before.contains(seen))
                changed << seen;
        QCOMPARE(changed.join(u'|'), changes);
        QCOMPARE(m_unloads, changes.startsWith(u"closed") ? 1 : 0);
    }

    // The table above names every toolbar button and menu item.
    void everyButtonAndItemIsInTheTable()
    {
        QStringList named;
        for (const auto& row : Rows)
            named << QString::fromLatin1(row.triggers).split(u' ');
        QList<QAction*> actions = m_window->sktToolBar()->actions();
        actions << m_window->mnuSkyTuner()->actions() << m_window->mnuSysTray()->actions();
        for (const QAction* action : actions)
            if (!action->isSeparator())
                QVERIFY2(named.contains(action->objectName()), qPrintable(action->objectName()));
        QCOMPARE(actions.size(), 10 + 11 + 6);
    }
};

QTEST_MAIN(TestPlayerCommands)
#include "tst_playercommands.moc"
