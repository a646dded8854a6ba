// The main window's status bar: four panels chosen by key, in this order:
// "status" (wide text), "volume" (text), "proxy" (picture), "icon" (picture).
#pragma once

#include <QIcon>
#include <QStatusBar>

class QLabel;

class PlayerStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit PlayerStatusBar(QWidget* parent = nullptr);

    static QStringList panelKeys();
    QLabel* panel(const QString& key) const; // nullptr for an unknown key

    // The whole text; the panel shows it cut to "…" when it is too long.
    void setPanelText(const QString& key, const QString& text);
    QString panelText(const QString& key) const;
    // Shows image `number` of an image list; panelPicture tells which one it is.
    void setPanelPicture(const QString& key, const QIcon& icon, int number);
    int panelPicture(const QString& key) const;

Q_SIGNALS:
    void PanelClick(const QString& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showText(QLabel* label);

    QList<QLabel*> m_panels;
};
