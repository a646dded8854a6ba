// frmPlayer: the toolbar, the product and tray menus, and the keys.
//
// Keys: the window previews every key press (an application event filter that
// acts only for its own widgets). A command key acts once, at the press, and the
// event is then consumed, so the focused control never acts on it a second time;
// releases never act, and auto-repeated presses act again.
#include "common/Logging.h"
#include "common/modGlobal.h"
#include "platform/KeyedListView.h"
#include "platform/VirtualKeys.h"
#include "player/PlaybackRules.h"
#include "player/PlayerImages.h"
#include "player/WindowTopMost.h"
#include "player/frmPlayer.h"
#include "services/SysTray.h"
#include "stations/view/modTLISTView.h"
#include "stream/MediaPlayer.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

using namespace modGlobal;

namespace {

struct ToolButton
{
    const char* key;
    const char* text; // for screen readers; the toolbar shows no tool tips
};

// In their stored order.
constexpr ToolButton ToolButtons[] = {
    {"tb_exit", "Zavřít"},
    {"tb_settings", "Nastavení"},
    {"tb_stations", "Otevřít seznam stanic"},
    {"tb_edit", "Upravit seznam stanic"},
    {"tb_fav", "Oblíbené stanice"},
    {"tb_open", "Otevřít adresu stanice"},
    {"tb_mute", "Vypnout zvuk"},
    {"tb_sound", "Zapnout zvuk"},
    {"tb_stop", "Zastavit"},
    {"tb_play", "Přehrát"},
};

} // namespace

void frmPlayer::CreateToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("sktToolBar"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_toolBar, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowProductMenu(m_toolBar->mapToGlobal(pos)); });
    for (const ToolButton& button : ToolButtons) {
        const QString key = QLatin1String(button.key);
        QAction* action =
            m_toolBar->addAction(PlayerImages::imglToolBar(key), QString::fromUtf8(button.text));
        action->setObjectName(key);
        connect(action, &QAction::triggered, this,
                [this, key] { sktToolBar_ButtonClick(key.toLower()); });
        if (QWidget* widget = m_toolBar->widgetForAction(action))
            widget->installEventFilter(this); // drops the tool tips
    }
    toolButton(QStringLiteral("tb_sound"))->setVisible(false); // the player starts unmuted
}

void frmPlayer::CreateMenus()
{
    const auto item = [this](QMenu* menu, const char* name, const char* caption, auto slot) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };

    // Captions show the shortcuts the window's key handler acts on.
    m_productMenu = new QMenu(QStringLiteral("skyTuner"), this);
    m_productMenu->setObjectName(QStringLiteral("mnuSkyTuner"));
    item(m_productMenu, "mnuSwitchWindows", "Přepnout do mini vzhledu", [] {});
    item(m_productMenu, "mnuSK_OnTop", "Vždy nahoře", &frmPlayer::mnuSK_OnTop_Click)
        ->setCheckable(true);
    m_productMenu->addSeparator();
    item(m_productMenu, "mnuSK_OpenURL", "Otevřít adresu stanice\tCtrl+O",
         &frmPlayer::ShowOpenUrlDialog);
    item(m_productMenu, "mnuSK_OpenStationList", "Otevřít seznam stanic\tF12",
         &frmPlayer::ShowStationFilesDialog);
    item(m_productMenu, "mnuSK_EditStationList", "Upravit seznam stanic\tCtrl+E",
         &frmPlayer::ShowStationEditDialog);
    m_productMenu->addSeparator();
    item(m_productMenu, "mnuSK_Settings", "Nastavení\tCtrl+S", &frmPlayer::ShowSettingsDialog);
    item(m_productMenu, "mnuSK_About", "O programu...", &frmPlayer::ShowAboutDialog);
    m_productMenu->addSeparator();
    item(m_productMenu, "mnuSK_Exit", "Zavřít\tCtrl+X", &QWidget::close);

    m_trayMenu = new QMenu(QStringLiteral("sysTray"), this);
    m_trayMenu->setObjectName(QStringLiteral("mnuSysTray"));
    item(m_trayMenu, "mnuST_Play", "Přehrát", [this] { m_player->controls().play(); });
    item(m_trayMenu, "mnuST_Stop", "Zastavit", [this] { m_player->controls().stop(); });
    item(m_trayMenu, "mnuST_Sound", "Ztlumit/Zesílit", &frmPlayer::mnuST_Sound_Click);
    m_trayMenu->addSeparator()->setObjectName(QStringLiteral("mnuST_0"));
    item(m_trayMenu, "mnuST_Restore", "Obnovit", [this] {
        if (m_cTray)
            m_cTray->FormRestore();
    });
    // Restored first, so the shut-down stores the window's normal state.
    item(m_trayMenu, "mnuST_Exit", "Zavřít", [this] {
        if (m_cTray)
            m_cTray->FormRestore();
        close();
    });
}

QAction* frmPlayer::toolButton(const QString& key) const
{
    for (QAction* action : m_toolBar->actions())
        if (action->objectName() == key)
            return action;
    return nullptr;
}

QAction* frmPlayer::menuItem(const QString& name) const
{
    for (const QMenu* menu : {m_productMenu, m_trayMenu})
        for (QAction* action : menu->actions())
            if (action->objectName() == name)
                return action;
    return nullptr;
}

void frmPlayer::sktToolBar_ButtonClick(const QString& key)
{
    if (key == QLatin1String("tb_exit"))
        close();
    else if (key == QLatin1String("tb_settings"))
        ShowSettingsDialog();
    else if (key == QLatin1String("tb_stations"))
        ShowStationFilesDialog();
    else if (key == QLatin1String("tb_edit"))
        ShowStationEditDialog();
    else if (key == QLatin1String("tb_open"))
        ShowOpenUrlDialog();
    else if (key == QLatin1String("tb_mute"))
        SoundOff();
    else if (key == QLatin1String("tb_sound"))
        SoundOn();
    else if (key == QLatin1String("tb_stop"))
        m_player->controls().stop();
    else if (key == QLatin1String("tb_play"))
        PlaySelectedStation();
    else if (key == QLatin1String("tb_fav"))
        OpenFavourites();
}

void frmPlayer::OpenFavourites()
{
    if (!FileExists(FavListFile))
        return;
    CurrentListFile = FavListFile;
    TLIST_LoadFile(CurrentListFile);
    TLIST_FillStationListMain();
}

void frmPlayer::mnuSK_OnTop_Click()
{
    OnTopFlag = !OnTopFlag;
    menuItem(QStringLiteral("mnuSK_OnTop"))->setChecked(OnTopFlag);
    SetWindowTopMost(OnTopFlag ? 1 : 0, this);
}

void frmPlayer::mnuST_Sound_Click()
{
    if (m_player->settings().mute())
        SoundOn();
    else
        SoundOff();
}

void frmPlayer::ShowProductMenu(const QPoint& globalPos)
{
    m_productMenu->popup(globalPos);
}

void frmPlayer::RunCommand(KeyTable::Command command)
{
    using KeyTable::Command;
    switch (command) {
    case Command::VolumeUp:
        VolumeStep(PlaybackRules::VolumeStepSize);
        break;
    case Command::VolumeDown:
        VolumeStep(-PlaybackRules::VolumeStepSize);
        break;
    case Command::Stop:
        m_player->controls().stop();
        break;
    case Command::Play:
        PlaySelectedStation();
        break;
    case Command::Minimise:
        setWindowState((windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
        break;
    case Command::OpenUrl:
        ShowOpenUrlDialog();
        break;
    case Command::OpenStationList:
        ShowStationFilesDialog();
        break;
    case Command::EditStationList:
        ShowStationEditDialog();
        break;
    case Command::Settings:
        ShowSettingsDialog();
        break;
    case Command::Exit:
        close();
        break;
    case Command::ProductMenu: {
        QWidget* focus = focusWidget() ? focusWidget() : this;
        ShowProductMenu(focus->mapToGlobal(QPoint(0, 0)));
        break;
    }
    case Command::None:
        break;
    }
}

bool frmPlayer::HandleKeyPress(QObject* receiver, QKeyEvent* event)
{
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    if (!widget || widget->window() != this)
        return false; // another window's keys, or an open menu's
    const int keyCode = VirtualKeys::fromQtKey(event->key());
    const int shift = VirtualKeys::shiftMask(event->modifiers());
    if (widget == m_list) {
        switch (KeyTable::StationListCommand(keyCode, shift)) {
        case KeyTable::ListCommand::PlaySelected:
            PlaySelectedStation();
            return true;
        case KeyTable::ListCommand::Copy:
            CopyStationAddress();
            return true;
        case KeyTable::ListCommand::None:
            break;
        }
    }
    const KeyTable::Command command = KeyTable::WindowCommand(keyCode, shift);
    if (command == KeyTable::Command::None)
        return false;
    RunCommand(command);
    return true;
}

bool frmPlayer::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (KeyTable::KeystrokeActs(event->type()) &&
            HandleKeyPress(watched, static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::ToolTip:
        if (watched != this && qobject_cast<QToolButton*>(watched) &&
            static_cast<QWidget*>(watched)->parentWidget() == m_toolBar)
            return true;
        break;
    case QEvent::MouseButtonRelease:
        // imgMiniBar: a right-button release opens the product menu.
        if (watched == m_miniBar) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton)
                ShowProductMenu(mouse->globalPosition().toPoint());
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// The dialogs and the volume pop-up are built separately; each is created on
// first use and opened from here once it lands.
void frmPlayer::ShowOpenUrlDialog()
{
    qCInfo(lcPlayer) << "open-URL dialog: not available yet";
}

void frmPlayer::ShowStationFilesDialog()
{
    qCInfo(lcPlayer) << "station list chooser: not available yet";
}

void frmPlayer::ShowStationEditDialog()
{
    qCInfo(lcPlayer) << "station list editor: not available yet";
}

void frmPlayer::ShowSettingsDialog()
{
    qCInfo(lcPlayer) << "settings dialog: not available yet";
    ApplySettings();
}

void frmPlayer::ShowAboutDialog()
{
    qCInfo(lcPlayer) << "about dialog: not available yet";
}

void frmPlayer::ShowVolumePopup()
{
    qCInfo(lcPlayer) << "volume pop-up: not available yet";
}
