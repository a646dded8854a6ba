// A list in report view whose rows carry unique keys, with the events the
// station lists handle. Rows are addressed by their current display position.
#pragma once

#include <QIcon>
#include <QList>
#include <QTreeWidget>

class KeyedListView : public QTreeWidget
{
    Q_OBJECT

public:
    explicit KeyedListView(QWidget* parent = nullptr);

    // Column headers ("report view"); the header line can be hidden.
    void setColumns(const QStringList& headers);
    void setHeadersVisible(bool visible);
    void setColumnWidthPixels(int column, int width);

    // The small icons rows refer to by number, counted from 1.
    void setSmallIcons(const QList<QIcon>& icons);
    int smallIconCount() const;

    // Adds a row at the end (or at its sorted place while sorting is on).
    // Returns its position, or -1 (changing nothing) when the key is taken.
    int addRow(const QString& key, const QString& text, int smallIcon);
    void removeRow(int row);
    void removeAllRows();
    int rowCount() const;
    int findKey(const QString& key) const; // -1 when no row has the key

    QString rowKey(int row) const;
    QString rowText(int row) const;
    void setRowText(int row, const QString& text);
    QString subItem(int row, int column) const; // column >= 1
    void setSubItem(int row, int column, const QString& text);
    bool rowBold(int row) const;
    void setRowBold(int row, bool bold);
    qint32 rowForeColor(int row) const; // stored colour form, 0x00BBGGRR
    void setRowForeColor(int row, qint32 colour);
    int rowSmallIcon(int row) const;
    void setRowSmallIcon(int row, int icon);

    int selectedRow() const; // -1 when none
    void selectRow(int row);

    // Keeps the rows sorted by a column's text (0 = row text), or stops sorting.
    void setSorted(int column, Qt::SortOrder order);
    void setUnsorted();

Q_SIGNALS:
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt.
    void MouseDown(int button, int shift, int x, int y);
    void ItemClick(int row);     // also when the keyboard moves the current row
    void DblClick();
    void KeyPress(int keyAscii); // a typed character
    void KeyDown(int keyCode, int shift); // Windows virtual key code
    void KeyUp(int keyCode, int shift);
    void ColumnClick(int column);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QTreeWidgetItem* itemAt(int row) const;

    QList<QIcon> m_icons;
};
