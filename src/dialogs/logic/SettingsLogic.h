// What the settings dialog reads when it opens and writes on "Uložit a zavřít":
// the three switches (ticked exactly when the file holds "1"), the favourite
// list and the language, of which there is one ("cs"). OK writes every key in
// one replacement of skytuner.ini and updates the main window's copies of the
// tray and animation flags and of the favourite list path.
#pragma once

#include <QString>

class SettingsLogic
{
public:
    struct Choices
    {
        bool anim = false;
        bool minTray = false;
        bool autoStart = false;
        QString fav;
    };

    // The one language the program speaks.
    static QString languageKey() { return QStringLiteral("cs"); }
    static QString languageText() { return QStringLiteral("Čeština"); }

    // The flags and path are modGlobal's AnimFlag, TrayFlag and FavListFile.
    SettingsLogic(bool& animFlag, bool& trayFlag, QString& favListFile)
        : m_animFlag(animFlag), m_trayFlag(trayFlag), m_favListFile(favListFile)
    {}

    // The choices as the settings file holds them now.
    static Choices load();

    // The dialog's OK: writes "anim", "systray", "autostart", "lang", "fav" in
    // this order and updates the flags. The flags follow the choices also when
    // the file could not be written (false); the window then behaves as chosen
    // for this run.
    bool accept(const Choices& choices);

private:
    bool& m_animFlag;
    bool& m_trayFlag;
    QString& m_favListFile;
};
