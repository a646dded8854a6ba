// Windows virtual key codes and shift masks for Qt key events, so key tables
// keep the codes users and the settings know (vbKeyRight = 39, Ctrl = 2 ...).
#pragma once

#include <Qt>

namespace VirtualKeys {

enum Shift { ShiftMask = 1, CtrlMask = 2, AltMask = 4 };

enum Code {
    Back = 8, Tab = 9, Return = 13, ShiftKey = 16, ControlKey = 17, Menu = 18,
    Escape = 27, Space = 32, PageUp = 33, PageDown = 34, End = 35, Home = 36,
    Left = 37, Up = 38, Right = 39, Down = 40, Insert = 45, Delete = 46,
    Key0 = 48, KeyA = 65, KeyC = 67, KeyP = 80, KeyT = 84, Apps = 93,
    F1 = 112, F12 = 123
};

// The virtual key code of a Qt key (letters as upper-case ASCII, digits as
// ASCII, F1..F24 as 112..135); 0 for keys without one.
int fromQtKey(int qtKey);

// The shift mask of Qt modifiers: Shift 1, Ctrl 2, Alt 4.
int shiftMask(Qt::KeyboardModifiers modifiers);

} // namespace VirtualKeys
