#include "platform/KeyedListView.h"

#include "platform/OleColor.h"
#include "platform/VirtualKeys.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int KeyRole = Qt::UserRole;
constexpr int IconNumberRole = Qt::UserRole + 1;
constexpr int ForeColorRole = Qt::UserRole + 2;

// The C locale collates by code point and ignores case only in compare(), not in
// sort keys: order words as English does instead.
QLocale collationLocale()
{
    const QLocale locale;
    return locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates)
                                           : locale;
}

} // namespace

// A row that orders itself by the view's collator, keeping each column's sort key
// until its text changes, so sorting a thousand rows stays cheap.
class KeyedListItem : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    void setData(int column, int role, const QVariant& value) override
    {
        if ((role == Qt::DisplayRole || role == Qt::EditRole) &&
            column < static_cast<int>(m_sortKeys.size()))
            m_sortKeys[static_cast<size_t>(column)].reset();
        QTreeWidgetItem::setData(column, role, value);
    }

    bool operator<(const QTreeWidgetItem& other) const override
    {
        auto* view = qobject_cast<KeyedListView*>(treeWidget());
        if (!view)
            return QTreeWidgetItem::operator<(other);
        return less(*this, other, view->m_collator, qMax(0, view->m_sortColumn));
    }

    static bool less(const QTreeWidgetItem& left, const QTreeWidgetItem& right,
                     const QCollator& collator, int column)
    {
        const auto* leftRow = dynamic_cast<const KeyedListItem*>(&left);
        const auto* rightRow = dynamic_cast<const KeyedListItem*>(&right);
        if (leftRow && rightRow)
            return leftRow->sortKey(collator, column).compare(rightRow->sortKey(collator, column)) <
                   0;
        return collator.compare(left.text(column), right.text(column)) < 0;
    }

private:
    const QCollatorSortKey& sortKey(const QCollator& collator, int column) const
    {
        const auto index = static_cast<size_t>(column);
        if (m_sortKeys.size() <= index)
            m_sortKeys.resize(index + 1);
        if (!m_sortKeys[index])
            m_sortKeys[index].emplace(collator.sortKey(text(column)));
        return *m_sortKeys[index];
    }

    mutable std::vector<std::optional<QCollatorSortKey>> m_sortKeys;
};

KeyedListView::KeyedListView(QWidget* parent) : QTreeWidget(parent), m_collator(collationLocale())
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    connect(header(), &QHeaderView::sectionClicked, this, &KeyedListView::ColumnClick);

    // Rows can also leave through QTreeWidget's own calls (clear, takeTopLevelItem,
    // deleting an item): keep the key index in step with the model either way.
    connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex& parent, int first, int last) {
                if (!parent.isValid())
                    forgetRows(first, last);
            });
    connect(model(), &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_keys.clear(); });
}

KeyedListView::~KeyedListView()
{
    // The base class destroys the rows after this part is gone: stop listening.
    disconnect(model(), nullptr, this, nullptr);
    qDeleteAll(m_pending);
}

void KeyedListView::setColumns(const QStringList& headers)
{
    setColumnCount(qMax(1, int(headers.size())));
    setHeaderLabels(headers);
}

void KeyedListView::setHeadersVisible(bool visible)
{
    setHeaderHidden(!visible);
}

void KeyedListView::setColumnWidthPixels(int column, int width)
{
    setColumnWidth(column, width);
}

void KeyedListView::setSmallIcons(const QList<QIcon>& icons)
{
    m_icons = icons;
    for (int row = 0; row < rowCount(); ++row)
        setRowSmallIcon(row, rowSmallIcon(row));
}

int KeyedListView::smallIconCount() const
{
    return int(m_icons.size());
}

int KeyedListView::addRow(const QString& key, const QString& text, int smallIcon)
{
    if (m_keys.contains(key))
        return -1;
    auto* item = new KeyedListItem();
    item->setText(0, text);
    item->setData(0, KeyRole, key);

    if (m_updateDepth > 0) {
        // Built outside the model and inserted at once by endUpdate(): setting
        // their properties now costs no model signals.
        m_keys.insert(key, item);
        m_pending.append(item);
        const int position = rowCount() - 1;
        setRowSmallIcon(position, smallIcon);
        return position;
    }
    int position = topLevelItemCount();
    if (isSorted()) {
        // Binary search for the first row that sorts after the new one.
        int low = 0;
        int high = position;
        while (low < high) {
            const int middle = (low + high) / 2;
            const QTreeWidgetItem* other = topLevelItem(middle);
            const bool after = m_sortOrder == Qt::AscendingOrder
                                   ? KeyedListItem::less(*item, *other, m_collator, m_sortColumn)
                                   : KeyedListItem::less(*other, *item, m_collator, m_sortColumn);
            if (after)
                high = middle;
            else
                low = middle + 1;
        }
        position = low;
    }
    // The key index must hold the row before the model announces it.
    m_keys.insert(key, item);
    insertTopLevelItem(position, item);
    setRowSmallIcon(position, smallIcon);
    return position;
}

void KeyedListView::removeRow(int row)
{
    QTreeWidgetItem* item = itemAtRow(row);
    if (item && m_pending.removeOne(item))
        m_keys.remove(item->data(0, KeyRole).toString());
    delete item; // a row of the model drops its key through the removal signal
}

void KeyedListView::removeAllRows()
{
    qDeleteAll(m_pending);
    m_pending.clear();
    clear();
    m_keys.clear();
}

int KeyedListView::rowCount() const
{
    return topLevelItemCount() + int(m_pending.size());
}

int KeyedListView::findKey(const QString& key) const
{
    QTreeWidgetItem* item = m_keys.value(key);
    if (!item)
        return -1;
    if (item->treeWidget())
        return indexOfTopLevelItem(item);
    return topLevelItemCount() + int(m_pending.indexOf(item));
}

QString KeyedListView::rowKey(int row) const
{
    const QTreeWidgetItem* item = itemAtRow(row);
    return item ? item->data(0, KeyRole).toString() : QString();
}

bool KeyedListView::setRowKey(int row, const QString& key)
{
    QTreeWidgetItem* item = itemAtRow(row);
    if (!item || (m_keys.contains(key) && m_keys.value(key) != item))
        return false;
    m_keys.remove(item->data(0, KeyRole).toString());
    item->setData(0, KeyRole, key);
    m_keys.insert(key, item);
    return true;
}

QString KeyedListView::rowText(int row) const
{
    return subItem(row, 0);
}

void KeyedListView::setRowText(int row, const QString& text)
{
    setSubItem(row, 0, text);
}

QString KeyedListView::subItem(int row, int column) const
{
    const QTreeWidgetItem* item = itemAtRow(row);
    return item && column >= 0 ? item->text(column) : QString();
}

void KeyedListView::setSubItem(int row, int column, const QString& text)
{
    QTreeWidgetItem* item = itemAtRow(row);
    if (!item || column < 0)
        return;
    if (column >= columnCount())
        setColumnCount(column + 1);
    item->setText(column, text);
    resortAfterChange(column);
}

bool KeyedListView::rowBold(int row) const
{
    const QTreeWidgetItem* item = itemAtRow(row);
    return item && item->font(0).bold();
}

void KeyedListView::setRowBold(int row, bool bold)
{
    QTreeWidgetItem* item = itemAtRow(row);
    if (!item)
        return;
    if (bold) {
        QFont boldFont = font();
        boldFont.setBold(true);
        item->setFont(0, boldFont);
    } else {
        item->setData(0, Qt::FontRole, QVariant());
    }
}

qint32 KeyedListView::rowForeColor(int row) const
{
    const QTreeWidgetItem* item = itemAtRow(row);
    if (!item)
        return 0;
    const QVariant stored = item->data(0, ForeColorRole);
    return stored.isValid() ? stored.toInt() : qint32(OleColor::WindowText);
}

void KeyedListView::setRowForeColor(int row, qint32 colour)
{
    QTreeWidgetItem* item = itemAtRow(row);
    if (!item)
        return;
    item->setData(0, ForeColorRole, colour);
    item->setForeground(0, OleColor::toColor(quint32(colour)));
}

int KeyedListView::rowSmallIcon(int row) const
{
    const QTreeWidgetItem* item = itemAtRow(row);
    return item ? item->data(0, IconNumberRole).toInt() : 0;
}

void KeyedListView::setRowSmallIcon(int row, int icon)
{
    QTreeWidgetItem* item = itemAtRow(row);
    if (!item)
        return;
    item->setData(0, IconNumberRole, icon);
    item->setIcon(0, icon >= 1 && icon <= m_icons.size() ? m_icons.at(icon - 1) : QIcon());
}

int KeyedListView::selectedRow() const
{
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

void KeyedListView::selectRow(int row)
{
    if (QTreeWidgetItem* item = itemAtRow(row)) {
        setCurrentItem(item);
        scrollToItem(item);
    } else {
        clearSelection();
        setCurrentItem(nullptr);
    }
}

void KeyedListView::setSorted(int column, Qt::SortOrder order)
{
    m_sortColumn = qMax(0, column);
    m_sortOrder = order;
    header()->setSortIndicator(m_sortColumn, m_sortOrder);
    header()->setSortIndicatorShown(true);
    if (m_updateDepth == 0)
        sortNow();
}

void KeyedListView::setUnsorted()
{
    m_sortColumn = -1;
    header()->setSortIndicatorShown(false);
}

void KeyedListView::beginUpdate()
{
    if (m_updateDepth++ == 0)
        setUpdatesEnabled(false);
}

void KeyedListView::endUpdate()
{
    if (m_updateDepth == 0 || --m_updateDepth > 0)
        return;
    const bool wasEmpty = topLevelItemCount() == 0;
    QList<QTreeWidgetItem*> pending = std::exchange(m_pending, {});
    if (isSorted() && wasEmpty) {
        // A fresh fill: order the rows before the model sees them.
        const auto less = [this](const QTreeWidgetItem* left, const QTreeWidgetItem* right) {
            return m_sortOrder == Qt::AscendingOrder
                       ? KeyedListItem::less(*left, *right, m_collator, m_sortColumn)
                       : KeyedListItem::less(*right, *left, m_collator, m_sortColumn);
        };
        std::stable_sort(pending.begin(), pending.end(), less);
    }
    insertTopLevelItems(topLevelItemCount(), pending);
    if (isSorted() && !wasEmpty)
        sortNow();
    setUpdatesEnabled(true);
}

void KeyedListView::mousePressEvent(QMouseEvent* event)
{
    const QPointer<KeyedListView> self(this);
    const QPoint point = event->position().toPoint();
    Q_EMIT MouseDown(VirtualKeys::buttonMask(event->button()),
                     VirtualKeys::shiftMask(event->modifiers()), point.x(), point.y());
    if (!self)
        return;
    QTreeWidget::mousePressEvent(event);
    if (QTreeWidgetItem* item = itemAt(point))
        Q_EMIT ItemClick(indexOfTopLevelItem(item));
}

void KeyedListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPointer<KeyedListView> self(this);
    // The base class turns a double click on another row than the pressed one
    // into a press (MouseDown and ItemClick above).
    QTreeWidget::mouseDoubleClickEvent(event);
    if (self && event->button() == Qt::LeftButton)
        Q_EMIT DblClick();
}

void KeyedListView::mouseMoveEvent(QMouseEvent* event)
{
    // Dragging with a button held would move the selection to another row
    // without an ItemClick: the row clicked stays the selected one.
    if (event->buttons() != Qt::NoButton) {
        event->accept();
        return;
    }
    QTreeWidget::mouseMoveEvent(event);
}

void KeyedListView::keyPressEvent(QKeyEvent* event)
{
    const QPointer<KeyedListView> self(this);
    const int code = VirtualKeys::fromKeyEvent(*event);
    if (code != 0)
        Q_EMIT KeyDown(code, VirtualKeys::shiftMask(event->modifiers()));
    // Ctrl+letter types the control character (Ctrl+C = 3) on every platform.
    QString typed = event->text();
    if (event->modifiers().testFlag(Qt::ControlModifier) && event->key() >= Qt::Key_A &&
        event->key() <= Qt::Key_Z)
        typed = QChar(event->key() - Qt::Key_A + 1);
    for (const QChar character : std::as_const(typed)) {
        if (!self)
            return;
        Q_EMIT KeyPress(character.unicode());
    }
    if (!self)
        return;
    // The base class would put the row text on the clipboard; Ctrl+C belongs to
    // the list's owner.
    if (event->matches(QKeySequence::Copy)) {
        event->accept();
        return;
    }
    const QPersistentModelIndex before = currentIndex();
    const bool wasSelected = selectionModel()->isSelected(before);
    QTreeWidget::keyPressEvent(event);
    // The focus (or a press on empty space) leaves a row current without
    // selecting it. A move key that cannot move from it (End on the last row)
    // selects it, as the key would on any other row; a key that selects that
    // row (this, or its letter) moves the selection as much as a key that moves
    // the current row.
    const QModelIndex now = currentIndex();
    const bool move = QList<int>{Qt::Key_Up,  Qt::Key_Down,   Qt::Key_Home,
                                 Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown}
                          .contains(event->key());
    if (move && now.isValid() && now == before && !wasSelected &&
        !event->modifiers().testFlag(Qt::ControlModifier))
        selectionModel()->select(now,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (now.isValid() && (now != before || (!wasSelected && selectionModel()->isSelected(now))))
        Q_EMIT ItemClick(now.row());
}

void KeyedListView::keyReleaseEvent(QKeyEvent* event)
{
    const int code = VirtualKeys::fromKeyEvent(*event);
    if (code != 0 && !event->isAutoRepeat())
        Q_EMIT KeyUp(code, VirtualKeys::shiftMask(event->modifiers()));
    QTreeWidget::keyReleaseEvent(event);
}

QTreeWidgetItem* KeyedListView::itemAtRow(int row) const
{
    const int inModel = topLevelItemCount();
    if (row >= 0 && row < inModel)
        return topLevelItem(row);
    if (row >= inModel && row - inModel < m_pending.size())
        return m_pending.at(row - inModel);
    return nullptr;
}

void KeyedListView::forgetRows(int first, int last)
{
    for (int row = first; row <= last; ++row) {
        if (const QTreeWidgetItem* item = topLevelItem(row))
            m_keys.remove(item->data(0, KeyRole).toString());
    }
}

void KeyedListView::sortNow()
{
    sortItems(m_sortColumn, m_sortOrder);
}

void KeyedListView::resortAfterChange(int column)
{
    if (isSorted() && m_updateDepth == 0 && column == m_sortColumn)
        sortNow();
}
