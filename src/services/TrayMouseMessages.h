// The notification icon's mouse messages: each action's message number, the
// button value its events carry and its bit in SysTray's RestoreFromTrayOn and
// PopupStyle sets.
#pragma once

#include <QList>
#include <QSystemTrayIcon>

#include <optional>

namespace TrayMouse {

// The tray callback message; also the value of a plain mouse move.
inline constexpr int CallbackMessage = 512;

enum Message
{
    MouseMove = 512,
    LeftDown = 513,
    LeftUp = 514,
    LeftDoubleClick = 515,
    RightDown = 516,
    RightUp = 517,
    RightDoubleClick = 518,
    MiddleDown = 519,
    MiddleUp = 520,
    MiddleDoubleClick = 521,
};

enum class Kind
{
    Move,
    Down,
    Up,
    DoubleClick
};

struct Action
{
    int message;
    int button; // 1 left, 2 right, 4 middle; 0 for a move
    int bit;    // 0 for a move
    Kind kind;
};

// The action of a mouse message, or nothing for numbers outside 512..521.
std::optional<Action> action(int message);

// The messages a tray activation stands for, in the order they are handled: a
// click is a button down followed by its button up.
QList<int> messagesFor(QSystemTrayIcon::ActivationReason reason);

} // namespace TrayMouse
