// Everything the program keeps in skytuner.ini, in one place: each key's section
// and name, its default, how its text is checked when read and written, and the
// groups of keys that are written together. No value in the file can stop the
// program from starting: a missing file, key or invalid text gives the default.
#pragma once

#include <QString>

#include <optional>
#include <span>

namespace PlayerSettings {

// The window states "state" stores.
enum WindowState
{
    Normal = 0,
    Minimised = 1,
    Maximised = 2
};

// Largest distance or size in twips taken from the file (about 66 000 pixels).
inline constexpr double MaxTwips = 1.0e6;

// The main window's stored place in twips and state; empty means "as designed".
// A number that cannot be a window place (not finite, beyond MaxTwips, a width or
// height of zero or less) reads as empty; "state" counts only as "0", "1" or "2".
struct Place
{
    std::optional<double> left, top, width, height;
    std::optional<int> state;
};

struct Values
{
    bool onTop = false;      // PLAYER "ontop": the window stays above all others
    bool sysTray = false;    // "systray": minimising hides the window to the tray
    bool anim = false;       // "anim": the icons animate while playing
    bool autoStart = false;  // "autostart": start-up plays "lasturl"
    QString lastUrl;         // "lasturl": the stream last handed to the player
    QString list;            // "list": full path of the current station list
    QString fav;             // "fav": full path of the favourite list, or empty
    int volume = 50;         // "volume": 0..100
    int balance = 0;         // "balance": -100..100
    QString lang;            // "lang": the chosen language, stored only
    Place place;             // "left", "top", "width", "height", "state"
    bool showErrors = false; // DEV "showerrors" (edited by hand): module error boxes
};

enum class Key
{
    OnTop,
    SysTray,
    Anim,
    AutoStart,
    LastUrl,
    List,
    Fav,
    Volume,
    Balance,
    Lang,
    Left,
    Top,
    Width,
    Height,
    State,
    ShowErrors
};

// Keys written together, each group in one write and in this order.
inline constexpr Key ShutDownKeys[] = {Key::OnTop, Key::SysTray, Key::LastUrl, Key::List,
                                       Key::Volume};
inline constexpr Key WindowPlaceKeys[] = {Key::Left, Key::Top, Key::Width, Key::Height, Key::State};
inline constexpr Key SettingsDialogKeys[] = {Key::Anim, Key::SysTray, Key::AutoStart, Key::Lang,
                                             Key::Fav};
inline constexpr Key VolumePopupKeys[] = {Key::Volume, Key::Balance};

// The section and name the file holds the key under.
QString Section(Key key);
QString Name(Key key);

// The values a settings file's text holds. Flags are on only for exactly "1";
// numbers may be in the user's notation or the plain one the program writes.
Values Parse(const QString& iniText);

// The values of the settings file, read once.
Values Read();

// The text a key's value is written as: flags "1" or "0", whole numbers in plain
// decimal, places as single-precision numbers. Empty for a place value not set.
std::optional<QString> Text(const Values& values, Key key);

// Writes the keys in the given order with one read and one write of the file,
// leaving out place values that are not set. False (and logged) when the file
// could not be written; it is then left as it was.
bool Write(const Values& values, std::span<const Key> keys);

// A missing settings file is created with its two comment lines, so that the
// first start leaves a file that says what it is. True when there was none:
// the program's very first start in this folder.
bool CreateIfMissing();

// At start-up: the temporaries a save killed half-way left beside the file go.
void RemoveStaleTemporaries();

} // namespace PlayerSettings
