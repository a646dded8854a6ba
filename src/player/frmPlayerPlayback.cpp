// frmPlayer: playback, the player's status in the list and status bar, the icon
// animation, sound off/on and the volume step.
#include "common/Logging.h"
#include "common/modGlobal.h"
#include "platform/KeyedListView.h"
#include "player/PlaybackRules.h"
#include "player/PlayerImages.h"
#include "player/PlayerStatusBar.h"
#include "player/frmPlayer.h"
#include "stream/MediaPlayer.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>

using modGlobal::CurrentURL;

void frmPlayer::PlaySelectedStation()
{
    if (m_selectedKey.isEmpty())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_player->controls().stop();
    ClearStationStatus();
    CurrentURL = m_selectedKey;
    m_player->setURL(CurrentURL);
    m_player->controls().play();
    QGuiApplication::restoreOverrideCursor();
    qCInfo(lcPlayer) << "play" << CurrentURL;
}

void frmPlayer::ClearStationStatus()
{
    for (int row = 0; row < m_list->rowCount(); ++row) {
        m_list->setSubItem(row, 1, QString());
        m_list->setRowSmallIcon(row, PlaybackRules::RowIdle);
    }
    m_list->viewport()->update();
}

QString frmPlayer::GetStateInfo(int state, int& rowIcon, int& panelIcon)
{
    IconAnimation(false);
    const PlaybackRules::StateInfo info = PlaybackRules::StateInfoFor(state);
    IconAnimation(info.animate);
    rowIcon = info.rowIcon;
    panelIcon = info.panelIcon;
    return info.text;
}

void frmPlayer::WMP_StatusChange()
{
    if (CurrentURL.isEmpty())
        return;
    const int state = m_player->playState();
    int rowIcon = PlaybackRules::RowIdle;
    int panelIcon = PlaybackRules::PanelIdle;
    const QString text = GetStateInfo(state, rowIcon, panelIcon);
    // An address without a row (opened by address, or a list loaded later)
    // changes only the status bar.
    if (const int row = m_list->findKey(CurrentURL); row >= 0) {
        m_list->setSubItem(row, 1, text);
        m_list->setRowSmallIcon(row, rowIcon);
    }
    m_statusBar->setPanelText(QStringLiteral("status"), m_player->status());
    m_statusBar->setPanelPicture(QStringLiteral("icon"),
                                 PlayerImages::image(PlayerImages::imglStatusIcon(), panelIcon),
                                 panelIcon);
    qCInfo(lcPlayer).noquote() << "state" << state << text << "|" << m_player->status() << "|"
                               << CurrentURL;
}

void frmPlayer::IconAnimation(bool iIsRunning)
{
    if (iIsRunning && modGlobal::AnimFlag) {
        // The frame is kept: a restarted animation goes on where it stopped.
        if (!m_animTimer.isActive())
            m_animTimer.start();
        return;
    }
    m_animTimer.stop();
    ShowAnimFrame(1);
}

void frmPlayer::tmrAnim_Timer()
{
    m_animFrame = PlaybackRules::NextAnimFrame(m_animFrame);
    // Hidden or minimised, only the tray icon can be seen: the window's own
    // pictures catch up when it is shown again.
    if (!isVisible() || isMinimized())
        Q_EMIT IconChanged(PlayerImages::image(PlayerImages::imglAnim(), m_animFrame));
    else
        ShowAnimFrame(m_animFrame);
}

void frmPlayer::ShowAnimFrame(int frame)
{
    const QIcon icon = PlayerImages::image(PlayerImages::imglAnim(), frame);
    Q_EMIT IconChanged(icon); // the tray icon; it ignores an unchanged picture
    if (m_miniBar->property("imageNumber").toInt() == frame)
        return;
    setWindowIcon(icon);
    m_miniBar->setPixmap(icon.pixmap(QSize(16, 16)));
    m_miniBar->setProperty("imageNumber", frame);
}

void frmPlayer::SoundOff()
{
    m_player->settings().setMute(true);
    toolButton(QStringLiteral("tb_mute"))->setVisible(false);
    toolButton(QStringLiteral("tb_sound"))->setVisible(true);
    menuItem(QStringLiteral("mnuST_Sound"))->setText(QStringLiteral("Zapnout zvuk"));
}

void frmPlayer::SoundOn()
{
    m_player->settings().setMute(false);
    toolButton(QStringLiteral("tb_mute"))->setVisible(true);
    toolButton(QStringLiteral("tb_sound"))->setVisible(false);
    menuItem(QStringLiteral("mnuST_Sound"))->setText(QStringLiteral("Vypnout zvuk"));
}

void frmPlayer::VolumeStep(int delta)
{
    const int volume = m_player->settings().volume();
    m_player->settings().setVolume(PlaybackRules::SteppedVolume(volume, delta));
    // The panel follows the player's VolumeChange.
}

void frmPlayer::VolumeWheel(int angleDelta)
{
    // One step per notch (120); a touchpad's smaller deltas add up to one.
    m_wheelAngle += angleDelta;
    const int notches = m_wheelAngle / PlaybackRules::WheelNotch;
    m_wheelAngle -= notches * PlaybackRules::WheelNotch;
    if (notches)
        VolumeStep(notches * PlaybackRules::VolumeStepSize);
}

void frmPlayer::ShowVolume()
{
    m_statusBar->setPanelText(QStringLiteral("volume"),
                              modGlobal::VolumeToDecibelText(m_player->settings().volume()) +
                                  QStringLiteral(" dB"));
}
