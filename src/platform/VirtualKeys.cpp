#include "platform/VirtualKeys.h"

#include <QKeyEvent>

#include <cstddef>

namespace VirtualKeys {

namespace {

struct KeyCode
{
    int qtKey;
    int code;
};

// Keys whose code does not follow from a range. The keyboard's media keys: on
// X11 the play/pause key is XF86AudioPlay, which Qt reports as Key_MediaPlay,
// so both toggle. The OEM keys are those of the US layout, shifted or not.
constexpr KeyCode Named[] = {{Qt::Key_Backspace, Back},
                             {Qt::Key_Tab, Tab},
                             {Qt::Key_Backtab, Tab},
                             {Qt::Key_Clear, Clear},
                             {Qt::Key_Return, Return},
                             {Qt::Key_Enter, Return},
                             {Qt::Key_Shift, ShiftKey},
                             {Qt::Key_Control, ControlKey},
                             {Qt::Key_Alt, Menu},
                             {Qt::Key_AltGr, Menu},
                             {Qt::Key_Pause, Pause},
                             {Qt::Key_CapsLock, Capital},
                             {Qt::Key_Escape, Escape},
                             {Qt::Key_Space, Space},
                             {Qt::Key_PageUp, PageUp},
                             {Qt::Key_PageDown, PageDown},
                             {Qt::Key_End, End},
                             {Qt::Key_Home, Home},
                             {Qt::Key_Left, Left},
                             {Qt::Key_Up, Up},
                             {Qt::Key_Right, Right},
                             {Qt::Key_Down, Down},
                             {Qt::Key_Print, Snapshot},
                             {Qt::Key_Insert, Insert},
                             {Qt::Key_Delete, Delete},
                             {Qt::Key_Meta, LWin},
                             {Qt::Key_Super_L, LWin},
                             {Qt::Key_Super_R, LWin + 1},
                             {Qt::Key_Menu, Apps},
                             {Qt::Key_NumLock, NumLock},
                             {Qt::Key_ScrollLock, Scroll},
                             {Qt::Key_VolumeMute, VolumeMute},
                             {Qt::Key_VolumeDown, VolumeDown},
                             {Qt::Key_VolumeUp, VolumeUp},
                             {Qt::Key_MediaNext, MediaNextTrack},
                             {Qt::Key_MediaPrevious, MediaPrevTrack},
                             {Qt::Key_MediaStop, MediaStop},
                             {Qt::Key_MediaPlay, MediaPlayPause},
                             {Qt::Key_MediaTogglePlayPause, MediaPlayPause},
                             {Qt::Key_Semicolon, 186},
                             {Qt::Key_Colon, 186},
                             {Qt::Key_Equal, 187},
                             {Qt::Key_Plus, 187},
                             {Qt::Key_Comma, 188},
                             {Qt::Key_Less, 188},
                             {Qt::Key_Minus, 189},
                             {Qt::Key_Underscore, 189},
                             {Qt::Key_Period, 190},
                             {Qt::Key_Greater, 190},
                             {Qt::Key_Slash, 191},
                             {Qt::Key_Question, 191},
                             {Qt::Key_QuoteLeft, 192},
                             {Qt::Key_AsciiTilde, 192},
                             {Qt::Key_BracketLeft, 219},
                             {Qt::Key_BraceLeft, 219},
                             {Qt::Key_Backslash, 220},
                             {Qt::Key_Bar, 220},
                             {Qt::Key_BracketRight, 221},
                             {Qt::Key_BraceRight, 221},
                             {Qt::Key_Apostrophe, 222},
                             {Qt::Key_QuoteDbl, 222}};

// The number pad's keys other than its digits.
constexpr KeyCode Keypad[] = {{Qt::Key_Asterisk, Multiply}, {Qt::Key_Plus, Add},
                              {Qt::Key_Minus, Subtract},    {Qt::Key_Period, Decimal},
                              {Qt::Key_Comma, Decimal},     {Qt::Key_Slash, Divide}};

template <std::size_t N> int lookUp(const KeyCode (&table)[N], int qtKey)
{
    for (const KeyCode& entry : table) {
        if (entry.qtKey == qtKey)
            return entry.code;
    }
    return 0;
}

int fromKeypad(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return Numpad0 + (qtKey - Qt::Key_0);
    return lookUp(Keypad, qtKey);
}

} // namespace

int fromQtKey(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return KeyA + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return Key0 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return F1 + (qtKey - Qt::Key_F1);
    return lookUp(Named, qtKey);
}

int fromKeyEvent(const QKeyEvent& event)
{
    if (event.modifiers().testFlag(Qt::KeypadModifier)) {
        if (const int code = fromKeypad(event.key()))
            return code;
    }
    return fromQtKey(event.key());
}

int shiftMask(Qt::KeyboardModifiers modifiers)
{
    int mask = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        mask |= ShiftMask;
    if (modifiers.testFlag(Qt::ControlModifier))
        mask |= CtrlMask;
    if (modifiers.testFlag(Qt::AltModifier))
        mask |= AltMask;
    return mask;
}

int buttonMask(Qt::MouseButtons buttons)
{
    int mask = 0;
    if (buttons.testFlag(Qt::LeftButton))
        mask |= LeftButtonMask;
    if (buttons.testFlag(Qt::RightButton))
        mask |= RightButtonMask;
    if (buttons.testFlag(Qt::MiddleButton))
        mask |= MiddleButtonMask;
    return mask;
}

} // namespace VirtualKeys
