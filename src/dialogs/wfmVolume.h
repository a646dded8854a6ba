// The volume and balance pop-up: a frameless window just above the status
// bar's "volume" panel with an upright volume slider, a lying balance slider,
// a button that centres the balance and the volume in percent. Sliders act on
// the player at once; the pop-up closes itself when it loses activation or on
// Escape, and then stores both values. Modeless: a new one opens at each click
// on the panel and deletes itself when it closes.
#pragma once

#include <QWidget>

class LumenButton;
class QLabel;
class ucSlider;

class wfmVolume : public QWidget
{
    Q_OBJECT

public:
    // Creates, places and shows the pop-up for the registered main window.
    static wfmVolume* showPopup();

    ucSlider* ucVolume() const { return m_volume; }
    ucSlider* ucBalance() const { return m_balance; }
    LumenButton* btnCenter() const { return m_center; }
    QLabel* lblPerc() const { return m_percent; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    explicit wfmVolume(QWidget* parent);
    void Form_Load();
    void ucVolume_Change();
    void ucBalance_Change();

    ucSlider* m_volume;
    ucSlider* m_balance;
    LumenButton* m_center;
    QLabel* m_percent;
    bool m_stored = false;
};
