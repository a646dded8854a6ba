#include "services/TrayMouseMessages.h"

#include <array>

namespace TrayMouse {

namespace {

constexpr std::array<Action, 10> Table{{
    {MouseMove, 0, 0, Kind::Move},
    {LeftDown, 1, 8, Kind::Down},
    {LeftUp, 1, 1, Kind::Up},
    {LeftDoubleClick, 1, 64, Kind::DoubleClick},
    {RightDown, 2, 16, Kind::Down},
    {RightUp, 2, 2, Kind::Up},
    {RightDoubleClick, 2, 128, Kind::DoubleClick},
    {MiddleDown, 4, 32, Kind::Down},
    {MiddleUp, 4, 4, Kind::Up},
    {MiddleDoubleClick, 4, 256, Kind::DoubleClick},
}};

} // namespace

std::optional<Action> action(int message)
{
    for (const Action& a : Table) {
        if (a.message == message)
            return a;
    }
    return std::nullopt;
}

QList<int> messagesFor(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return {LeftDown, LeftUp};
    case QSystemTrayIcon::DoubleClick:
        return {LeftDoubleClick};
    case QSystemTrayIcon::Context:
        return {RightDown, RightUp};
    case QSystemTrayIcon::MiddleClick:
        return {MiddleDown, MiddleUp};
    case QSystemTrayIcon::Unknown:
        break;
    }
    return {};
}

} // namespace TrayMouse
