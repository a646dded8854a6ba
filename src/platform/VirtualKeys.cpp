#include "platform/VirtualKeys.h"

#include <QKeyEvent>

namespace VirtualKeys {

namespace {

// Keys whose code does not follow from a range.
int fromTable(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Backspace:
        return Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return Tab;
    case Qt::Key_Clear:
        return Clear;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Return;
    case Qt::Key_Shift:
        return ShiftKey;
    case Qt::Key_Control:
        return ControlKey;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return Menu;
    case Qt::Key_Pause:
        return Pause;
    case Qt::Key_CapsLock:
        return Capital;
    case Qt::Key_Escape:
        return Escape;
    case Qt::Key_Space:
        return Space;
    case Qt::Key_PageUp:
        return PageUp;
    case Qt::Key_PageDown:
        return PageDown;
    case Qt::Key_End:
        return End;
    case Qt::Key_Home:
        return Home;
    case Qt::Key_Left:
        return Left;
    case Qt::Key_Up:
        return Up;
    case Qt::Key_Right:
        return Right;
    case Qt::Key_Down:
        return Down;
    case Qt::Key_Print:
        return Snapshot;
    case Qt::Key_Insert:
        return Insert;
    case Qt::Key_Delete:
        return Delete;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
        return LWin;
    case Qt::Key_Super_R:
        return LWin + 1;
    case Qt::Key_Menu:
        return Apps;
    case Qt::Key_NumLock:
        return NumLock;
    case Qt::Key_ScrollLock:
        return Scroll;
    // The keyboard's media keys. On X11 the play/pause key is XF86AudioPlay,
    // which Qt reports as Key_MediaPlay: both toggle.
    case Qt::Key_VolumeMute:
        return VolumeMute;
    case Qt::Key_VolumeDown:
        return VolumeDown;
    case Qt::Key_VolumeUp:
        return VolumeUp;
    case Qt::Key_MediaNext:
        return MediaNextTrack;
    case Qt::Key_MediaPrevious:
        return MediaPrevTrack;
    case Qt::Key_MediaStop:
        return MediaStop;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause:
        return MediaPlayPause;
    // OEM keys of the US layout, shifted or not.
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return 222;
    default:
        return 0;
    }
}

int fromKeypad(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return Numpad0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return Multiply;
    case Qt::Key_Plus:
        return Add;
    case Qt::Key_Minus:
        return Subtract;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return Decimal;
    case Qt::Key_Slash:
        return Divide;
    default:
        return 0;
    }
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
    return fromTable(qtKey);
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
