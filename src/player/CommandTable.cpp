#include "player/CommandTable.h"

#include "platform/VirtualKeys.h"

namespace CommandTable {

namespace {

using namespace VirtualKeys; // letters are their upper-case ASCII codes

struct Binding
{
    Command command;
    const char* name = nullptr; // toolbar key or menu item
    int keyCode = 0;
    int shift = 0;
    bool inStationListOnly = false;
};

constexpr Binding Bindings[] = {
    // Toolbar buttons, by key.
    {Command::Exit, "tb_exit"},
    {Command::Settings, "tb_settings"},
    {Command::OpenStationList, "tb_stations"},
    {Command::EditStationList, "tb_edit"},
    {Command::Favourites, "tb_fav"},
    {Command::OpenUrl, "tb_open"},
    {Command::SoundOff, "tb_mute"},
    {Command::SoundOn, "tb_sound"},
    {Command::Stop, "tb_stop"},
    {Command::Play, "tb_play"},
    // The product menu; its captions show the keys below.
    {Command::None, "mnuSwitchWindows"},
    {Command::ToggleOnTop, "mnuSK_OnTop"},
    {Command::OpenUrl, "mnuSK_OpenURL"},
    {Command::OpenStationList, "mnuSK_OpenStationList"},
    {Command::EditStationList, "mnuSK_EditStationList"},
    {Command::Settings, "mnuSK_Settings"},
    {Command::About, "mnuSK_About"},
    {Command::Exit, "mnuSK_Exit"},
    // The tray menu.
    {Command::Resume, "mnuST_Play"},
    {Command::Stop, "mnuST_Stop"},
    {Command::ToggleSound, "mnuST_Sound"},
    {Command::TrayRestore, "mnuST_Restore"},
    {Command::TrayExit, "mnuST_Exit"},
    // Keys of the whole window.
    {Command::VolumeUp, nullptr, Right, CtrlMask},
    {Command::VolumeDown, nullptr, Left, CtrlMask},
    {Command::Stop, nullptr, KeyT, CtrlMask},
    {Command::Play, nullptr, KeyP, CtrlMask},
    {Command::Minimise, nullptr, Escape, ShiftMask},
    {Command::OpenUrl, nullptr, 'O', CtrlMask},
    {Command::OpenStationList, nullptr, F12, 0},
    {Command::EditStationList, nullptr, 'E', CtrlMask},
    {Command::Settings, nullptr, 'S', CtrlMask},
    {Command::Exit, nullptr, 'X', CtrlMask},
    {Command::ProductMenu, nullptr, Apps, 0},
    {Command::VolumePopup, nullptr, F1 + 7, 0}, // F8: the pop-up's way in without a mouse
    // The keyboard's media keys, while the window has the focus (the desktop
    // routes them to the media controls otherwise).
    {Command::PlayPause, nullptr, MediaPlayPause, 0},
    {Command::Stop, nullptr, MediaStop, 0},
    {Command::NextStation, nullptr, MediaNextTrack, 0},
    {Command::PreviousStation, nullptr, MediaPrevTrack, 0},
    {Command::VolumeUp, nullptr, VolumeUp, 0},
    {Command::VolumeDown, nullptr, VolumeDown, 0},
    {Command::ToggleSound, nullptr, VolumeMute, 0},
    // Keys of the station list only.
    {Command::Play, nullptr, Return, 0, true},
    {Command::Play, nullptr, Return, ShiftMask, true},
    {Command::CopyAddress, nullptr, KeyC, CtrlMask, true},
};

} // namespace

Command ForName(const QString& name)
{
    // Toolbar keys are compared in lower case; menu item names as they are.
    const QString key =
        name.startsWith(QLatin1String("tb_"), Qt::CaseInsensitive) ? name.toLower() : name;
    for (const Binding& binding : Bindings)
        if (binding.name && key == QLatin1String(binding.name))
            return binding.command;
    return Command::None;
}

Command ForKey(int keyCode, int shift, bool inStationList)
{
    for (const Binding& binding : Bindings)
        if (!binding.name && binding.keyCode == keyCode && binding.shift == shift &&
            (inStationList || !binding.inStationListOnly))
            return binding.command;
    return Command::None;
}

} // namespace CommandTable
