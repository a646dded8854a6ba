#include "dialogs/logic/VolumePopupLogic.h"

#include "common/modGlobal.h"
#include "settings/PlayerSettings.h"
#include "stream/MediaPlayer.h"

#include <QLocale>

#include <algorithm>

QPointF VolumePopupPlace::TopLeft(const QRectF& mainFrame, double statusBarHeight, double panelLeft,
                                  const QSizeF& popup, const QRectF& workArea)
{
    const double top =
        mainFrame.top() + mainFrame.height() - (statusBarHeight + popup.height() + GapTwips);
    const double left = mainFrame.left() + panelLeft;
    // std::min first, so that a pop-up larger than the area keeps its top left inside.
    return {std::max(workArea.left(), std::min(left, workArea.right() - popup.width())),
            std::max(workArea.top(), std::min(top, workArea.bottom() - popup.height()))};
}

int VolumePopupLogic::volume() const
{
    return m_player.settings().volume();
}

int VolumePopupLogic::balance() const
{
    return m_player.settings().balance();
}

int VolumePopupLogic::setVolume(int value)
{
    m_player.settings().setVolume(value);
    return volume();
}

void VolumePopupLogic::setBalance(int value)
{
    m_player.settings().setBalance(value);
}

QString VolumePopupLogic::decibelText(int volume)
{
    return modGlobal::VolumeToDecibelText(volume) + QStringLiteral(" dB");
}

QString VolumePopupLogic::percentText(int volume)
{
    return QLocale().toString(volume) + QLatin1Char('%');
}

bool VolumePopupLogic::store(int volume, int balance) const
{
    PlayerSettings::Values values;
    values.volume = volume;
    values.balance = balance;
    return PlayerSettings::Write(values, PlayerSettings::VolumePopupKeys);
}
