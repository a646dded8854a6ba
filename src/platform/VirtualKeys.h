// Windows virtual key codes and shift and mouse-button masks for Qt input
// events, so key tables and events keep the codes users and the settings know
// (vbKeyRight = 39, Ctrl = 2, right button = 2 ...).
#pragma once

#include <Qt>

class QKeyEvent;

namespace VirtualKeys {

enum Shift
{
    ShiftMask = 1,
    CtrlMask = 2,
    AltMask = 4
};

enum Button
{
    LeftButtonMask = 1,
    RightButtonMask = 2,
    MiddleButtonMask = 4
};

enum Code
{
    Back = 8,
    Tab = 9,
    Clear = 12,
    Return = 13,
    ShiftKey = 16,
    ControlKey = 17,
    Menu = 18,
    Pause = 19,
    Capital = 20,
    Escape = 27,
    Space = 32,
    PageUp = 33,
    PageDown = 34,
    End = 35,
    Home = 36,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    Snapshot = 44,
    Insert = 45,
    Delete = 46,
    Key0 = 48,
    KeyA = 65,
    KeyC = 67,
    KeyP = 80,
    KeyT = 84,
    LWin = 91,
    Apps = 93,
    Numpad0 = 96,
    Multiply = 106,
    Add = 107,
    Subtract = 109,
    Decimal = 110,
    Divide = 111,
    F1 = 112,
    F12 = 123,
    F24 = 135,
    NumLock = 144,
    Scroll = 145,
    VolumeMute = 173,
    VolumeDown = 174,
    VolumeUp = 175,
    MediaNextTrack = 176,
    MediaPrevTrack = 177,
    MediaStop = 178,
    MediaPlayPause = 179
};

// The virtual key code of a Qt key (letters as upper-case ASCII, digits as
// ASCII, F1..F24 as 112..135, US-layout punctuation as the OEM codes); 0 for
// keys without one.
int fromQtKey(int qtKey);

// As fromQtKey, but keys of the numeric keypad get the keypad codes
// (Numpad0..Numpad9 = 96..105, * + - . / = 106, 107, 109, 110, 111).
int fromKeyEvent(const QKeyEvent& event);

// The shift mask of Qt modifiers: Shift 1, Ctrl 2, Alt 4 (others ignored).
int shiftMask(Qt::KeyboardModifiers modifiers);

// The button mask of Qt mouse buttons, the buttons' own virtual key codes:
// left 1, right 2, middle 4 (others ignored).
int buttonMask(Qt::MouseButtons buttons);

} // namespace VirtualKeys
