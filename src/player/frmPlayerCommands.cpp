// frmPlayer: the toolbar, the product and tray menus, and the keys.
//
// Toolbar buttons, menu items and keys reach their action through CommandTable
// and RunCommand.
//
// Keys: the window previews every key press (an application event filter that
// acts only for its own widgets). A command key acts once, at the press, and the
// event is then consumed, so the focused control never acts on it a second time;
// releases never act, and auto-repeated presses act again.
#include "common/Logging.h"
#include "common/modGlobal.h"
#include "desktop/MprisService.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmPlayURL.h"
#include "dialogs/frmSettings.h"
#include "dialogs/frmStationEdit.h"
#include "dialogs/frmStationFiles.h"
#include "dialogs/logic/PlayURLLogic.h"
#include "dialogs/wfmVolume.h"
#include "platform/KeyedListView.h"
#include "platform/VirtualKeys.h"
#include "player/PlaybackRules.h"
#include "player/PlayerImages.h"
#include "player/PlayerStatusBar.h"
#include "player/ToolBarAccessible.h"
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
#include <QWheelEvent>

using namespace modGlobal;

namespace {

struct ToolButton
{
    const char* key;
    const char* text; // for screen readers; the toolbar shows no tool tips
};

// In their stored order; each reaches its command through CommandTable.
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

struct MenuItem
{
    const char* name;
    const char* caption; // null for a separator
};

// Captions show the shortcuts the window's key handler acts on.
constexpr MenuItem ProductMenuItems[] = {
    {"mnuSwitchWindows", "Přepnout do mini vzhledu"},
    {"mnuSK_OnTop", "Vždy nahoře"},
    {nullptr, nullptr},
    {"mnuSK_OpenURL", "Otevřít adresu stanice\tCtrl+O"},
    {"mnuSK_OpenStationList", "Otevřít seznam stanic\tF12"},
    {"mnuSK_EditStationList", "Upravit seznam stanic\tCtrl+E"},
    {nullptr, nullptr},
    {"mnuSK_Settings", "Nastavení\tCtrl+S"},
    {"mnuSK_About", "O programu..."},
    {nullptr, nullptr},
    {"mnuSK_Exit", "Zavřít\tCtrl+X"},
};

constexpr MenuItem TrayMenuItems[] = {
    {"mnuST_Play", "Přehrát"}, {"mnuST_Stop", "Zastavit"},   {"mnuST_Sound", "Ztlumit/Zesílit"},
    {"mnuST_0", nullptr},      {"mnuST_Restore", "Obnovit"}, {"mnuST_Exit", "Zavřít"},
};

} // namespace

void frmPlayer::CreateToolBar()
{
    ToolBarAccessible::install();
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("sktToolBar"));
    m_toolBar->setAccessibleName(QStringLiteral("Panel nástrojů"));
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
                [this, key] { RunCommand(CommandTable::ForName(key)); });
        if (QWidget* widget = m_toolBar->widgetForAction(action))
            widget->installEventFilter(this); // drops the tool tips
    }
    toolButton(QStringLiteral("tb_sound"))->setVisible(false); // the player starts unmuted
}

void frmPlayer::CreateMenus()
{
    const auto fill = [this](QMenu* menu, const auto& items) {
        for (const MenuItem& item : items) {
            QAction* action = item.caption ? menu->addAction(QString::fromUtf8(item.caption))
                                           : menu->addSeparator();
            if (!item.name)
                continue;
            const QString name = QLatin1String(item.name);
            action->setObjectName(name);
            if (item.caption)
                connect(action, &QAction::triggered, this,
                        [this, name] { RunCommand(CommandTable::ForName(name)); });
        }
    };
    m_productMenu = new QMenu(QStringLiteral("skyTuner"), this);
    m_productMenu->setObjectName(QStringLiteral("mnuSkyTuner"));
    fill(m_productMenu, ProductMenuItems);
    menuItem(QStringLiteral("mnuSK_OnTop"))->setCheckable(true);
    m_trayMenu = new QMenu(QStringLiteral("sysTray"), this);
    m_trayMenu->setObjectName(QStringLiteral("mnuSysTray"));
    fill(m_trayMenu, TrayMenuItems);
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

void frmPlayer::OpenFavourites()
{
    if (FileExists(FavListFile))
        LoadStationList(FavListFile);
}

void frmPlayer::LoadStationList(const QString& path)
{
    CurrentListFile = path;
    TLIST_LoadFile(CurrentListFile);
    TLIST_FillStationListMain();
    qCInfo(lcPlayer) << "station list" << CurrentListFile << m_list->rowCount() << "rows";
}

QStringList frmPlayer::StationKeys() const
{
    QStringList keys;
    for (int row = 0; row < m_list->rowCount(); ++row)
        keys << m_list->rowKey(row);
    return keys;
}

QString frmPlayer::StationName(const QString& key) const
{
    const int row = m_list->findKey(key);
    return row >= 0 ? m_list->rowText(row) : QString();
}

void frmPlayer::PlayStation(const QString& key)
{
    const int row = m_list->findKey(key);
    if (row < 0)
        return;
    m_list->selectRow(row);
    m_selectedKey = key;
    PlaySelectedStation();
}

void frmPlayer::PlayAddress(const QString& address)
{
    PlayURLLogic(*m_player, CurrentURL).accept(address);
}

void frmPlayer::Raise()
{
    RunCommand(CommandTable::Command::TrayRestore);
}

void frmPlayer::Quit()
{
    // Hidden in the tray it is restored first, as the tray menu's "Zavřít" does.
    RunCommand(isHidden() ? CommandTable::Command::TrayExit : CommandTable::Command::Exit);
}

void frmPlayer::mnuSK_OnTop_Click()
{
    OnTopFlag = !OnTopFlag;
    menuItem(QStringLiteral("mnuSK_OnTop"))->setChecked(OnTopFlag);
    SetWindowTopMost(OnTopFlag ? 1 : 0, this);
}

void frmPlayer::ShowProductMenu(const QPoint& globalPos)
{
    m_productMenu->popup(globalPos);
}

void frmPlayer::RunCommand(CommandTable::Command command)
{
    using CommandTable::Command;
    switch (command) {
    case Command::Exit:
        close();
        break;
    case Command::TrayExit:
        // Restored first, so the shut-down stores the window's normal state.
        if (m_cTray)
            m_cTray->FormRestore();
        close();
        break;
    case Command::TrayRestore:
        if (m_cTray)
            m_cTray->FormRestore();
        break;
    case Command::Settings:
        ShowSettingsDialog();
        break;
    case Command::OpenStationList:
        ShowStationFilesDialog();
        break;
    case Command::EditStationList:
        ShowStationEditDialog();
        break;
    case Command::OpenUrl:
        ShowOpenUrlDialog();
        break;
    case Command::About:
        ShowAboutDialog();
        break;
    case Command::Favourites:
        OpenFavourites();
        break;
    case Command::SoundOff:
        SoundOff();
        break;
    case Command::SoundOn:
        SoundOn();
        break;
    case Command::ToggleSound:
        if (m_player->settings().mute())
            SoundOn();
        else
            SoundOff();
        break;
    case Command::Stop:
        m_player->controls().stop();
        break;
    case Command::Play:
        PlaySelectedStation();
        break;
    case Command::Resume:
        m_player->controls().play();
        break;
    case Command::PlayPause:
        m_mpris->PlayPause();
        break;
    case Command::NextStation:
        m_mpris->Next();
        break;
    case Command::PreviousStation:
        m_mpris->Previous();
        break;
    case Command::VolumeUp:
        VolumeStep(PlaybackRules::VolumeStepSize);
        break;
    case Command::VolumeDown:
        VolumeStep(-PlaybackRules::VolumeStepSize);
        break;
    case Command::VolumePopup:
        ShowVolumePopup();
        break;
    case Command::Minimise:
        setWindowState((windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
        break;
    case Command::ToggleOnTop:
        mnuSK_OnTop_Click();
        break;
    case Command::ProductMenu: {
        QWidget* focus = focusWidget() ? focusWidget() : this;
        ShowProductMenu(focus->mapToGlobal(QPoint(0, 0)));
        break;
    }
    case Command::CopyAddress:
        CopyStationAddress();
        break;
    case Command::None:
        break;
    }
}

bool frmPlayer::HandleKeyPress(QObject* receiver, QKeyEvent* event)
{
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    if (!widget || widget->window() != this)
        return false; // another window's keys, or an open menu's
    const CommandTable::Command command =
        CommandTable::ForKey(VirtualKeys::fromQtKey(event->key()),
                             VirtualKeys::shiftMask(event->modifiers()), widget == m_list);
    if (command == CommandTable::Command::None)
        return false;
    RunCommand(command);
    return true;
}

bool frmPlayer::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (CommandTable::KeystrokeActs(event->type()) &&
            HandleKeyPress(watched, static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::ToolTip:
        if (watched != this && qobject_cast<QToolButton*>(watched) &&
            static_cast<QWidget*>(watched)->parentWidget() == m_toolBar)
            return true;
        break;
    case QEvent::Wheel:
        // The wheel over the "volume" panel steps the volume as Ctrl+Right/Left do.
        if (watched == m_statusBar->panel(QStringLiteral("volume"))) {
            VolumeWheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
            return true;
        }
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

void frmPlayer::ShowOpenUrlDialog()
{
    frmPlayURL::instance().exec();
}

void frmPlayer::ShowStationFilesDialog()
{
    frmStationFiles::instance().exec();
}

void frmPlayer::ShowStationEditDialog()
{
    frmStationEdit::instance().exec();
}

void frmPlayer::ShowSettingsDialog()
{
    frmSettings::instance().exec();
    ApplySettings();
}

void frmPlayer::ShowAboutDialog()
{
    frmAbout::instance().exec();
}

void frmPlayer::ShowVolumePopup()
{
    wfmVolume::showPopup();
}
