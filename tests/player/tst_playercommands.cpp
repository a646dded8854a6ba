// Every toolbar button, menu item (product and tray menu) and key of the main
// window reaches its action: each row triggers something on a fresh window and
// lists what changed. Dialogs are seen through the window's dialog slots.
#include "ProgramFiles.h"
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

// Trigger sequences (toolbar keys, menu items, keys pressed in the station list,
// in order; ", " between sequences that act alike) and what they change.
const struct
{
    const char* triggers;
    const char* changes;
} Rows[] = {
    {"tb_exit, mnuSK_Exit, Ctrl+X", "closed state=0"},
    {"Shift+Esc Ctrl+X", "closed state=1|minimised"},
    {"Shift+Esc mnuST_Exit", "closed state=0"}, // restored from the tray first
    {"Shift+Esc", "minimised"},
    {"tb_settings, mnuSK_Settings, Ctrl+S", "frmSettings"},
    {"tb_stations, mnuSK_OpenStationList, F12", "frmStationFiles"},
    {"tb_edit, mnuSK_EditStationList, Ctrl+E", "frmStationEdit"},
    {"tb_open, mnuSK_OpenURL, Ctrl+O", "frmPlayURL"},
    {"mnuSK_About", "frmAbout"},
    {"tb_fav", "list fav.tlist"},
    {"tb_mute, mnuST_Sound, Volume_Mute", "muted|tb_sound|Zapnout zvuk"},
    // The last opened address again; a second press of Media_Play stops.
    {"tb_play, Ctrl+P, Return, Shift+Return, Media_Next, Media_Previous", "url a|state 9"},
    {"tb_play tb_stop, tb_play Ctrl+T, tb_play mnuST_Stop, tb_play Media_Stop", "url a"},
    {"mnuST_Play, Media_Play", "state 9"},
    {"Ctrl+Right, Volume_Up", "volume 55"},
    {"Ctrl+Left, Volume_Down", "volume 45"},
    {"F8", "wfmVolume"},
    {"mnuSK_OnTop", "on top"},
    {"Menu", "menu"},
    {"Ctrl+C", "clipboard a"},
    // Undone, or nothing to do; modifier masks are exact. ("_": a blank in a key's name.)
    {"Shift+Esc mnuST_Restore, tb_mute tb_sound, mnuST_Sound mnuST_Sound, "
     "Media_Play Media_Play, mnuSwitchWindows, Ctrl+Shift+Right, Esc, Ctrl+Return",
     ""},
};

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
        // Addresses and files by their last part.
        seen << u"volume %1"_s.arg(w.WMP().settings().volume())
             << u"url "_s + CurrentURL.section(u'/', -1) << u"state %1"_s.arg(w.WMP().playState())
             << u"list "_s + CurrentListFile.section(u'/', -1)
             << u"clipboard "_s + QGuiApplication::clipboard()->text().section(u'/', -1);
        for (const auto& [on, what] :
             {std::pair{w.WMP().settings().mute(), "muted"},
              {w.isMinimized(), "minimised"},
              {w.toolButton("tb_sound")->isVisible(), "tb_sound"},
              {OnTopFlag, "on top"},
              {w.mnuSkyTuner()->isVisible(), "menu"},
              {w.menuItem("mnuST_Sound")->text() == u"Zapnout zvuk"_s, "Zapnout zvuk"}})
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
        const auto list = [this](const QString& name, const QString& url) {
            return ProgramFiles::writeList(*m_folder, name, {{u"S"_s, url}});
        };
        QVERIFY(ProgramFiles::writeSettings(*m_folder,
                                            {"list=" + list("a.tlist", "http://127.0.0.1:9/a"),
                                             "fav=" + list("fav.tlist", "http://127.0.0.1:9/f")}));
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
            for (const QString& triggers : QString::fromLatin1(row.triggers).split(u", "_s))
                QTest::newRow(qPrintable(triggers)) << triggers << row.changes;
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
            named << QString::fromLatin1(row.triggers).replace(u","_s, QString()).split(u' ');
        QList<QAction*> actions = m_window->sktToolBar()->actions();
        actions << m_window->mnuSkyTuner()->actions() << m_window->mnuSysTray()->actions();
        for (const QAction* action : actions)
            if (!action->isSeparator())
                QVERIFY2(named.contains(action->objectName()), qPrintable(action->objectName()));
    }
};

QTEST_MAIN(TestPlayerCommands)
#include "tst_playercommands.moc"
