// A list in report view whose rows carry unique keys, with the events the
// station lists handle. Rows are addressed by their current display position
// (0 = top); columns count from 0 (0 = the row text, 1.. = sub-items).
#pragma once

#include <QCollator>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QTreeWidget>

class KeyedListView : public QTreeWidget
{
    Q_OBJECT

public:
    explicit KeyedListView(QWidget* parent = nullptr);
    ~KeyedListView() override;

    // Column headers ("report view"); the header line can be hidden.
    void setColumns(const QStringList& headers);
    void setHeadersVisible(bool visible);
    void setColumnWidthPixels(int column, int width);

    // The small icons rows refer to by number, counted from 1.
    void setSmallIcons(const QList<QIcon>& icons);
    int smallIconCount() const;

    // Adds a row at the end, or at its sorted place while sorting is on.
    // Returns its position, or -1 (changing nothing) when the key is taken.
    // Keys compare exactly (letter case counts).
    int addRow(const QString& key, const QString& text, int smallIcon);
    void removeRow(int row);
    void removeAllRows();
    int rowCount() const;
    int findKey(const QString& key) const; // -1 when no row has the key

    QString rowKey(int row) const;
    // False (changing nothing) when another row has the key.
    bool setRowKey(int row, const QString& key);
    QString rowText(int row) const;
    void setRowText(int row, const QString& text);
    QString subItem(int row, int column) const; // column >= 1
    void setSubItem(int row, int column, const QString& text);
    bool rowBold(int row) const;
    void setRowBold(int row, bool bold);
    qint32 rowForeColor(int row) const; // stored colour form, 0x00BBGGRR
    void setRowForeColor(int row, qint32 colour);
    int rowSmallIcon(int row) const; // 0 when none
    void setRowSmallIcon(int row, int icon);

    int selectedRow() const; // -1 when none
    void selectRow(int row); // -1 clears; raises no ItemClick

    // Keeps the rows sorted by a column's text (0 = row text), compared the way
    // the user's locale orders words, letter case ignored; or stops sorting.
    void setSorted(int column, Qt::SortOrder order);
    void setUnsorted();
    bool isSorted() const { return m_sortColumn >= 0; }
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    // Brackets a fill of many rows: no repaint and no re-sorting until the
    // outermost endUpdate(). Rows added in between stay at the end until then
    // and can be read and changed, but not selected or clicked.
    void beginUpdate();
    void endUpdate();

Q_SIGNALS:
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt;
    // x, y: pixels in the list's viewport. Raised before any ItemClick.
    void MouseDown(int button, int shift, int x, int y);
    // A mouse press on a row, or a key that moved the selection to a row (once
    // per move).
    void ItemClick(int row);
    void DblClick();                      // left button, anywhere in the list
    void KeyPress(int keyAscii);          // a typed character (Enter = 13)
    void KeyDown(int keyCode, int shift); // Windows virtual key code
    void KeyUp(int keyCode, int shift);
    void ColumnClick(int column); // a click on a column header

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    friend class KeyedListItem;

    QTreeWidgetItem* itemAtRow(int row) const;
    void forgetRows(int first, int last);
    void sortNow();
    void resortAfterChange(int column);

    QList<QIcon> m_icons;
    QHash<QString, QTreeWidgetItem*> m_keys;
    QList<QTreeWidgetItem*> m_pending; // rows added during an update, not yet shown
    QCollator m_collator;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    int m_updateDepth = 0;
};
