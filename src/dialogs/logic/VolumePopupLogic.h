// What the volume and balance pop-up decides: where it opens, what a slider
// changes in the player, the texts it shows, and what it stores when it closes.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

class MediaPlayer;

namespace VolumePopupPlace {

// The gap between the pop-up's lower edge and the status bar, in twips.
inline constexpr double GapTwips = 50;

// The pop-up's top left (all in twips): its lower edge GapTwips above the status
// bar of the main window's outer frame, its left edge at the panel's left
// (panelLeft within the status bar), then moved as little as needed to lie
// inside the work area (its top left kept visible if it is larger).
QPointF TopLeft(const QRectF& mainFrame, double statusBarHeight, double panelLeft,
                const QSizeF& popup, const QRectF& workArea);

} // namespace VolumePopupPlace

class VolumePopupLogic
{
public:
    explicit VolumePopupLogic(MediaPlayer& player) : m_player(player) {}

    int volume() const;
    int balance() const;

    // A slider moved: the player takes the value; returns the volume it reads back.
    int setVolume(int value);
    void setBalance(int value);

    // "-10.00 dB" (the status bar's "volume" panel) and "50%" (the pop-up's
    // label), in the user's locale.
    static QString decibelText(int volume);
    static QString percentText(int volume);

    // The pop-up closed: "volume" and "balance" as whole numbers, one write.
    bool store(int volume, int balance) const;

private:
    MediaPlayer& m_player;
};
