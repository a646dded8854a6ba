// The tray component's hidden form: the default tracked form, icon and popup menu,
// the holder of the host-watch timer, and the small window ShowAbout shows.
#pragma once

#include <QWidget>

class QLabel;
class QMenu;
class QAction;
class QPushButton;
class QTimer;

class frmInternal : public QWidget
{
    Q_OBJECT

public:
    explicit frmInternal(QWidget* parent = nullptr);

    QTimer* Timer1;
    QPushButton* cmdOk;
    QLabel* Label1;
    QMenu* mPopup;
    QAction* mAbout;
};
