// The keyed list view: unique keys, icons, sorting, and the events the station
// lists handle, driven through real mouse and key events.
#include "platform/KeyedListView.h"
#include "platform/VirtualKeys.h"

#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPixmap>
#include <QtTest>

namespace {

QIcon colourIcon(Qt::GlobalColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QStringList rowTexts(const KeyedListView& list)
{
    QStringList texts;
    for (int row = 0; row < list.rowCount(); ++row)
        texts << list.rowText(row);
    return texts;
}

// Records every event of a list, in order, as text.
class EventLog : public QObject
{
public:
    explicit EventLog(KeyedListView& list)
    {
        connect(&list, &KeyedListView::MouseDown, this, [this](int b, int s, int, int) {
            events << QStringLiteral("MouseDown %1 %2").arg(b).arg(s);
        });
        connect(&list, &KeyedListView::ItemClick, this,
                [this](int row) { events << QStringLiteral("ItemClick %1").arg(row); });
        connect(&list, &KeyedListView::DblClick, this,
                [this] { events << QStringLiteral("DblClick"); });
        connect(&list, &KeyedListView::KeyPress, this,
                [this](int c) { events << QStringLiteral("KeyPress %1").arg(c); });
        connect(&list, &KeyedListView::KeyDown, this,
                [this](int c, int s) { events << QStringLiteral("KeyDown %1 %2").arg(c).arg(s); });
        connect(&list, &KeyedListView::KeyUp, this,
                [this](int c, int s) { events << QStringLiteral("KeyUp %1 %2").arg(c).arg(s); });
        connect(&list, &KeyedListView::ColumnClick, this,
                [this](int c) { events << QStringLiteral("ColumnClick %1").arg(c); });
    }
    QStringList take() { return std::exchange(events, {}); }
    QStringList events;
};

} // namespace

class TestKeyedListView : public QObject
{
    Q_OBJECT

private:
    // A shown list with three rows a, b, c (keys ka, kb, kc), unsorted.
    void fillThree(KeyedListView& list)
    {
        list.setColumns({"Name", "Status"});
        list.addRow("ka", "a", 1);
        list.addRow("kb", "b", 1);
        list.addRow("kc", "c", 1);
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
    }

    QPoint rowCentre(const KeyedListView& list, int row)
    {
        return list.visualItemRect(list.topLevelItem(row)).center();
    }

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void keysAreUniqueUntilTheirRowLeaves()
    {
        KeyedListView list;
        list.setColumns({"Name", "Status"});
        QCOMPARE(list.addRow("http://a", "First", 1), 0);
        list.setSubItem(0, 1, "playing");
        QCOMPARE(list.addRow("http://a", "Second", 2), -1);
        QCOMPARE(rowTexts(list), QStringList{"First"});
        QCOMPARE(list.subItem(0, 1), QString("playing"));
        QCOMPARE(list.rowSmallIcon(0), 1);
        // Keys compare exactly: letter case makes another key.
        QCOMPARE(list.addRow("HTTP://A", "Third", 1), 1);
        QCOMPARE(list.findKey("http://a"), 0);
        QCOMPARE(list.findKey("HTTP://A"), 1);
        QCOMPARE(list.findKey("nope"), -1);
        // Removed rows free their keys.
        QCOMPARE(list.addRow("c", "C", 1), 2);
        list.removeRow(1);
        QCOMPARE(list.findKey("HTTP://A"), -1);
        QCOMPARE(list.findKey("c"), 1);
        QCOMPARE(list.addRow("HTTP://A", "Again", 1), 2);
        list.removeAllRows();
        QCOMPARE(list.addRow("a", "A", 1), 0);
        // Rows that leave through QTreeWidget's own calls free their keys too.
        list.clear();
        QCOMPARE(list.addRow("a", "A", 1), 0);
        delete list.takeTopLevelItem(0);
        QCOMPARE(list.findKey("a"), -1);
        QCOMPARE(list.addRow("a", "A", 1), 0);
        // Out-of-range rows are ignored, not a crash.
        list.removeRow(5);
        list.setRowText(-1, "x");
        QCOMPARE(list.rowText(7), QString());
        QCOMPARE(rowTexts(list), QStringList{"A"});
    }

    void rowPropertiesAndIcons()
    {
        KeyedListView list;
        const QList<QIcon> icons{colourIcon(Qt::red), colourIcon(Qt::green)};
        list.setSmallIcons(icons);
        list.addRow("k", "Row", 2);
        QCOMPARE(list.topLevelItem(0)->icon(0).cacheKey(), icons.at(1).cacheKey());
        list.setRowSmallIcon(0, 9); // no such icon: none shown, the number kept
        QCOMPARE(list.rowSmallIcon(0), 9);
        QVERIFY(list.topLevelItem(0)->icon(0).isNull());
        list.setRowSmallIcon(0, 1);
        QCOMPARE(list.topLevelItem(0)->icon(0).cacheKey(), icons.at(0).cacheKey());

        list.setRowForeColor(0, 255); // an OLE colour: red in the low byte
        QCOMPARE(list.topLevelItem(0)->foreground(0).color(), QColor(255, 0, 0));
    }

    void sortsByColumnTextBothWays()
    {
        KeyedListView list;
        list.setColumns({"Name", "Size"});
        for (const QString name : {"b", "A", "c"})
            list.setSubItem(list.addRow(name, name, 1), 1, QString::number(name.size() * 10));
        QCOMPARE(rowTexts(list), QStringList({"b", "A", "c"})); // unsorted: added order
        list.setSorted(0, Qt::AscendingOrder);
        QCOMPARE(rowTexts(list), QStringList({"A", "b", "c"}));
        QCOMPARE(list.addRow("B", "B", 1), 2); // its sorted place (case ignored)
        QCOMPARE(rowTexts(list), QStringList({"A", "b", "B", "c"}));
        QCOMPARE(list.findKey("c"), 3);
        list.setSorted(0, Qt::DescendingOrder);
        QCOMPARE(rowTexts(list).first(), QString("c"));
        QCOMPARE(list.addRow("d", "d", 1), 0);
        // A changed text moves its row.
        list.setRowText(list.findKey("A"), "zz");
        QCOMPARE(list.rowText(0), QString("zz"));
        list.setUnsorted();
        const int end = list.rowCount();
        QCOMPARE(list.addRow("0", "0", 1), end);
    }

    void sortingFollowsTheUsersLocale()
    {
        QLocale::setDefault(QLocale("cs_CZ"));
        KeyedListView list;
        list.setSorted(0, Qt::AscendingOrder);
        for (const QString name : {"ch", "Čro", "H", "Cz", "D"})
            list.addRow(name, name, 1);
        // Czech order: C, Č, D, H, Ch.
        QCOMPARE(rowTexts(list), QStringList({"Cz", "Čro", "D", "H", "ch"}));
    }

    void bulkUpdateSortsOnceAtTheEnd()
    {
        KeyedListView list;
        list.setSorted(0, Qt::AscendingOrder);
        list.beginUpdate();
        QCOMPARE(list.addRow("z", "z", 1), 0);
        QCOMPARE(list.addRow("a", "a", 1), 1); // stays at the end while filling
        list.setRowBold(1, true);
        QCOMPARE(list.addRow("a", "again", 1), -1); // keys are checked while filling too
        QCOMPARE(list.findKey("a"), 1);
        list.endUpdate();
        QCOMPARE(rowTexts(list), QStringList({"a", "z"}));
        QVERIFY(list.rowBold(0));
        QVERIFY(list.updatesEnabled());

        // Into a list that has rows: merged and sorted at the end; nested brackets.
        list.beginUpdate();
        list.beginUpdate();
        QCOMPARE(list.addRow("m", "m", 1), 2);
        QCOMPARE(list.addRow("b", "b", 1), 3);
        list.removeRow(2); // a row not yet shown
        QCOMPARE(list.findKey("m"), -1);
        QCOMPARE(list.rowText(2), QString("b"));
        list.endUpdate();
        QVERIFY(!list.updatesEnabled());
        list.endUpdate();
        QCOMPARE(rowTexts(list), QStringList({"a", "b", "z"}));
        list.endUpdate(); // unbalanced: ignored

        // Emptied while filling: nothing is left over.
        list.beginUpdate();
        list.addRow("q", "q", 1);
        list.removeAllRows();
        QCOMPARE(list.rowCount(), 0);
        QCOMPARE(list.addRow("q", "q", 1), 0);
        list.endUpdate();
        QCOMPARE(rowTexts(list), QStringList({"q"}));

        // Destroyed in the middle of a fill: the rows not yet shown go with it.
        auto* unfinished = new KeyedListView;
        unfinished->beginUpdate();
        unfinished->addRow("x", "x", 1);
        delete unfinished;
    }

    void mouseRaisesMouseDownThenItemClick()
    {
        KeyedListView list;
        fillThree(list);
        EventLog log(list);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCentre(list, 1));
        QCOMPARE(log.take(), QStringList({"MouseDown 1 0", "ItemClick 1"}));
        QCOMPARE(list.selectedRow(), 1);
        QTest::mouseClick(list.viewport(), Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier,
                          rowCentre(list, 2));
        QCOMPARE(log.take(), QStringList({"MouseDown 2 3", "ItemClick 2"}));
        QTest::mouseClick(list.viewport(), Qt::MiddleButton, Qt::AltModifier, rowCentre(list, 0));
        QCOMPARE(log.take().first(), QString("MouseDown 4 4"));
        // Empty space below the rows: a press, no row.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          QPoint(20, list.viewport()->height() - 5));
        QCOMPARE(log.take(), QStringList({"MouseDown 1 0"}));

        // Dragging keeps the clicked row selected.
        QTest::mousePress(list.viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
        QMouseEvent move(QEvent::MouseMove, rowCentre(list, 2),
                         list.viewport()->mapToGlobal(rowCentre(list, 2)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &move);
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, rowCentre(list, 2));
        QCOMPARE(log.take(), QStringList({"MouseDown 1 0", "ItemClick 0"}));
        QCOMPARE(list.selectedRow(), 0);

        // The header raises ColumnClick; the owner decides sorting.
        QHeaderView* header = list.header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
        QCOMPARE(log.take(), QStringList({"ColumnClick 1"}));
        QCOMPARE(rowTexts(list), QStringList({"a", "b", "c"}));
    }

    void doubleClickRaisesDblClickOnce()
    {
        KeyedListView list;
        fillThree(list);
        EventLog log(list);
        const QPoint point = rowCentre(list, 2);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, point);
        const QStringList events = log.take();
        QCOMPARE(events.count("DblClick"), 1);
        QCOMPARE(events.first(), QString("MouseDown 1 0"));
        QVERIFY(events.contains("ItemClick 2"));
        QCOMPARE(list.selectedRow(), 2);
        // A double click alone (no click before it) still picks the row first.
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
        QCOMPARE(log.take(), QStringList({"MouseDown 1 0", "ItemClick 0", "DblClick"}));
    }

    void keysRaiseDownUpAndOneItemClickPerMove()
    {
        KeyedListView list;
        fillThree(list);
        list.setFocus();
        list.selectRow(0);
        EventLog log(list);
        QTest::keyClick(&list, Qt::Key_Down);
        QCOMPARE(log.take(), QStringList({"KeyDown 40 0", "ItemClick 1", "KeyUp 40 0"}));
        QTest::keyClick(&list, Qt::Key_End);
        QCOMPARE(log.take(), QStringList({"KeyDown 35 0", "ItemClick 2", "KeyUp 35 0"}));
        QTest::keyClick(&list, Qt::Key_Down); // already at the end: no move
        QCOMPARE(log.take(), QStringList({"KeyDown 40 0", "KeyUp 40 0"}));
        QTest::keyClick(&list, Qt::Key_Home, Qt::ShiftModifier);
        // The modifier itself is a key too.
        QCOMPARE(log.take(), QStringList({"KeyDown 16 1", "KeyDown 36 1", "ItemClick 0",
                                          "KeyUp 36 1", "KeyUp 16 0"}));
        // selectRow is the program's own move: no event.
        list.selectRow(2);
        QVERIFY(log.take().isEmpty());
        // Only typed characters raise KeyPress.
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(log.take(), QStringList({"KeyDown 13 0", "KeyPress 13", "KeyUp 13 0"}));
        QTest::keyClick(&list, Qt::Key_F5);
        QCOMPARE(log.take(), QStringList({"KeyDown 116 0", "KeyUp 116 0"}));
        // Ctrl+C leaves the clipboard to the owner.
        QGuiApplication::clipboard()->setText("before");
        QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(log.take().mid(0, 3), QStringList({"KeyDown 17 2", "KeyDown 67 2", "KeyPress 3"}));
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
    }

    void handlerMayDeleteTheList()
    {
        auto* list = new KeyedListView;
        fillThree(*list);
        connect(list, &KeyedListView::MouseDown, list, [list] { delete list; });
        QPointer<KeyedListView> guard(list);
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, rowCentre(*list, 0));
        QVERIFY(guard.isNull());
    }

    void virtualKeyCodes_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        QTest::newRow("A") << int(Qt::Key_A) << 0 << 65;
        QTest::newRow("0") << int(Qt::Key_0) << 0 << 48;
        QTest::newRow("F24") << int(Qt::Key_F24) << 0 << 135;
        QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 13;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << 46;
        QTest::newRow("keypad 5") << int(Qt::Key_5) << int(Qt::KeypadModifier) << 101;
        QTest::newRow("keypad +") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << 107;
        QTest::newRow("plus") << int(Qt::Key_Plus) << 0 << 187;
        QTest::newRow("unknown") << int(Qt::Key_Launch0) << 0 << 0;
    }

    void virtualKeyCodes()
    {
        QFETCH(int, qtKey);
        QFETCH(int, modifiers);
        const QKeyEvent event(QEvent::KeyPress, qtKey, Qt::KeyboardModifiers(modifiers));
        QTEST(VirtualKeys::fromKeyEvent(event), "code");
        // Shift 1, Ctrl 2, Alt 4; keypad and meta are no shift state.
        QCOMPARE(VirtualKeys::shiftMask(Qt::ShiftModifier | Qt::AltModifier | Qt::KeypadModifier |
                                        Qt::MetaModifier),
                 5);
    }
};

QTEST_MAIN(TestKeyedListView)
#include "tst_keyedlistview.moc"
