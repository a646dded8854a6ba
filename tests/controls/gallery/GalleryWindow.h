// Every control of the program in each of its looks and states, side by side.
#pragma once

#include <QWidget>

class GalleryWindow : public QWidget
{
    Q_OBJECT

public:
    explicit GalleryWindow(QWidget* parent = nullptr);

private:
    // Places a small caption above the widget at (x, y); returns the widget.
    QWidget* place(QWidget* widget, int x, int y, const QString& caption);
    void heading(const QString& text, int y);

    void addSliders(int y);
    void addButtonEx(int y);
    void addLumenButtons(int y);
    void addContainers(int y);
};
