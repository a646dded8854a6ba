// An etched separator: a button-shadow line and a 3D-highlight line beside it.
// Wider than high (strictly) it is horizontal and two pixels high; otherwise
// vertical and two pixels wide. No properties or events of its own.
#pragma once

#include <QWidget>

class z3DLine : public QWidget
{
    Q_OBJECT

public:
    explicit z3DLine(QWidget* parent = nullptr);

    bool isHorizontal() const { return m_horizontal; }

    // Whether a control of this size lies horizontally.
    static bool horizontalFor(QSize size) { return size.width() > size.height(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool m_horizontal = true;
};
