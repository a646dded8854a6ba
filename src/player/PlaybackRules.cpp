#include "player/PlaybackRules.h"

#include <algorithm>

namespace PlaybackRules {

StateInfo StateInfoFor(int playState)
{
    switch (playState) {
    case 1:
        return {QStringLiteral("Zastaveno"), RowIdle, PanelIdle, false};
    case 3:
        return {QStringLiteral("Přehrávání"), RowPlaying, PanelPlaying, true};
    case 6:
        return {QStringLiteral("Načítání..."), RowBusy, PanelBusy, false};
    case 7:
        return {QStringLiteral("Čekám..."), RowBusy, PanelBusy, false};
    case 9:
        return {QStringLiteral("Připojování..."), RowBusy, PanelBusy, false};
    case 10:
        return {QStringLiteral("Chyba!"), RowIdle, PanelIdle, false};
    default:
        return {QStringLiteral("..."), RowIdle, PanelIdle, false};
    }
}

int NextAnimFrame(int frame, int frameCount)
{
    const int next = frame + 1;
    return (next > frameCount || next < 1) ? 1 : next;
}

int SteppedVolume(int volume, int delta)
{
    return std::clamp(volume + delta, 0, 100);
}

} // namespace PlaybackRules
