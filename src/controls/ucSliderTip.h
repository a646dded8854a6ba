// The small window that floats beside a dragged slider thumb and shows its value.
// One instance is shared by every slider of the process.
#pragma once

#include <QWidget>

class QLabel;

class ucSliderTip : public QWidget
{
    Q_OBJECT

public:
    // The shared tip, created on first use.
    static ucSliderTip* shared();
    // The shared tip if it exists, else null.
    static ucSliderTip* existing();
    // Closes (destroys) the shared tip; a later shared() makes a new one.
    static void closeShared();

    // Sets the label to the text, its width to the text's measured width.
    void setText(const QString& text);
    QString text() const;
    QSize labelSize() const;
    QLabel* lblTip() const { return m_label; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ucSliderTip();

    QLabel* m_label;
};
