// The stream player hidden in the main window and the editor.
//
// Plays one stream address at a time and reports what it does as a play-state
// number and a Czech status text, raising StatusChange on every change. All calls
// return at once: connecting, buffering and reconnecting happen on the media
// engine's own threads, and notifications arrive on the owner's thread as queued
// events. Two players may play at the same time.
#pragma once

#include "stream/PlayState.h"

#include <QObject>
#include <QString>

#include <memory>

class StreamEngine;

class MediaPlayer : public QObject
{
    Q_OBJECT

public:
    class Controls
    {
    public:
        void play();
        void stop();

    private:
        friend class MediaPlayer;
        explicit Controls(MediaPlayer& player) : m_player(player) {}
        MediaPlayer& m_player;
    };

    class Settings
    {
    public:
        int volume() const; // 0..100
        void setVolume(int volume);
        int balance() const; // -100..100
        void setBalance(int balance);
        bool mute() const;
        void setMute(bool mute);

    private:
        friend class MediaPlayer;
        explicit Settings(MediaPlayer& player) : m_player(player) {}
        MediaPlayer& m_player;
    };

    // The player owns its engine (GstStreamEngine::create() for real streams).
    explicit MediaPlayer(std::unique_ptr<StreamEngine> engine, QObject* parent = nullptr);
    ~MediaPlayer() override;

    // Writing the address stops the previous stream and starts the new one.
    QString URL() const;
    void setURL(const QString& url);

    Controls& controls() { return m_controls; }
    Settings& settings() { return m_settings; }
    const Settings& settings() const { return m_settings; }

    int playState() const; // a PlayState number
    QString status() const;
    // What the stream says of itself, cleaned ("" until it does): the
    // now-playing title and the station's own name (ICY name, organization tag).
    QString title() const;
    QString stationName() const;

    // The engine's version text, e.g. "GStreamer 1.22.0".
    QString versionInfo() const;

Q_SIGNALS:
    void StatusChange();
    // settings().volume changed (from any caller).
    void VolumeChange();

private:
    class Private;
    std::unique_ptr<Private> d;
    Controls m_controls{*this};
    Settings m_settings{*this};
};
