#include "dialogs/logic/SettingsLogic.h"

#include "settings/PlayerSettings.h"

SettingsLogic::Choices SettingsLogic::load()
{
    const PlayerSettings::Values stored = PlayerSettings::Read();
    return {stored.anim, stored.sysTray, stored.autoStart, stored.fav};
}

bool SettingsLogic::accept(const Choices& choices)
{
    PlayerSettings::Values values;
    values.anim = choices.anim;
    values.sysTray = choices.minTray;
    values.autoStart = choices.autoStart;
    values.lang = languageKey();
    values.fav = choices.fav;
    m_animFlag = choices.anim;
    m_trayFlag = choices.minTray;
    m_favListFile = choices.fav;
    return PlayerSettings::Write(values, PlayerSettings::SettingsDialogKeys);
}
