#include "player/KeyTable.h"

#include "platform/VirtualKeys.h"

namespace KeyTable {

using namespace VirtualKeys; // letters are their upper-case ASCII codes

Command WindowCommand(int keyCode, int shift)
{
    if (shift == CtrlMask) {
        switch (keyCode) {
        case Right:
            return Command::VolumeUp;
        case Left:
            return Command::VolumeDown;
        case KeyT:
            return Command::Stop;
        case KeyP:
            return Command::Play;
        case 'O':
            return Command::OpenUrl;
        case 'E':
            return Command::EditStationList;
        case 'S':
            return Command::Settings;
        case 'X':
            return Command::Exit;
        default:
            return Command::None;
        }
    }
    if (shift == ShiftMask && keyCode == Escape)
        return Command::Minimise;
    if (shift == 0 && keyCode == F12)
        return Command::OpenStationList;
    if (shift == 0 && keyCode == Apps)
        return Command::ProductMenu;
    return Command::None;
}

ListCommand StationListCommand(int keyCode, int shift)
{
    if (keyCode == Return && (shift == 0 || shift == ShiftMask))
        return ListCommand::PlaySelected;
    if (keyCode == KeyC && shift == CtrlMask)
        return ListCommand::Copy;
    return ListCommand::None;
}

} // namespace KeyTable
