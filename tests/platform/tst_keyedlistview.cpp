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

QStringList rowTexts(const KeyedListView& list)
{
    QStringList texts;
    for (int row = 0; row < list.rowCount(); ++row)
        texts << list.rowText(row);
    return texts;
}

// Every event of a list, in order, as text.
struct EventLog : QObject
{
    explicit EventLog(KeyedListView& list)
    {
        const auto log = [this](const QString& text) {
            events << text;
        };
        connect(&list, &KeyedListView::MouseDown, this,
                [=](int b, int s, int, int) { log(QString("MouseDown %1 %2").arg(b).arg(s)); });
        connect(&list, &KeyedListView::ItemClick, this,
                [=](int row) { log(QString("ItemClick %1").arg(row)); });
        connect(&list, &KeyedListView::DblClick, this, [=] { log("DblClick"); });
        connect(&list, &KeyedListView::KeyPress, this,
                [=](int c) { log(QString("KeyPress %1").arg(c)); });
        connect(&list, &KeyedListView::KeyDown, this,
                [=](int c, int s) { log(QString("KeyDown %1 %2").arg(c).arg(s)); });
        connect(&list, &KeyedListView::KeyUp, this,
                [=](int c, int s) { log(QString("KeyUp %1 %2").arg(c).arg(s)); });
        connect(&list, &KeyedListView::ColumnClick, this,
                [=](int c) { log(QString("ColumnClick %1").arg(c)); });
    }
    QStringList take() { return std::exchange(events, {}); }
    QStringList events;
};

} // namespace

class TestKeyedListView : public QObject
{
    Q_OBJECT

    std::unique_ptr<KeyedListView> m_list;
    std::unique_ptr<EventLog> m_log;

    // A shown list with three rows a, b, c (keys ka, kb, kc), unsorted, and its log.
    KeyedListView& showThree()
    {
        m_list->setColumns({"Name", "Status"});
        for (const char* name : {"a", "b", "c"})
            m_list->addRow(QString("k") + name, name, 1);
        m_list->resize(300, 200);
        m_list->show();
        if (!QTest::qWaitForWindowExposed(m_list.get()))
            qWarning("list not exposed");
        m_log = std::make_unique<EventLog>(*m_list);
        return *m_list;
    }

    QPoint rowCentre(int row) const
    {
        return m_list->visualItemRect(m_list->topLevelItem(row)).center();
    }

private Q_SLOTS:
    void init() { m_list = std::make_unique<KeyedListView>(); }
    void cleanup()
    {
        m_log.reset();
        m_list.reset();
        QLocale::setDefault(QLocale::c());
    }

    void keysAreUniqueUntilTheirRowLeaves()
    {
        KeyedListView& list = *m_list;
        QCOMPARE(list.addRow("http://a", "First", 1), 0);
        QCOMPARE(list.addRow("http://a", "Second", 2), -1);
        QCOMPARE(rowTexts(list), QStringList{"First"});
        // Keys compare exactly: letter case makes another key.
        QCOMPARE(list.addRow("HTTP://A", "Third", 1), 1);
        QCOMPARE(list.findKey("HTTP://A"), 1);
        QCOMPARE(list.findKey("nope"), -1);
        // Rows that leave free their keys; the others' rows follow.
        list.removeRow(0);
        QCOMPARE(list.findKey("HTTP://A"), 0);
        list.removeAllRows();
        QCOMPARE(list.addRow("HTTP://A", "A", 1), 0);
        QCOMPARE(list.rowText(7), QString()); // out of range: no crash
    }

    void rowIconsAndColours()
    {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        const QIcon red(pixmap);
        m_list->setSmallIcons({red, QIcon()});
        m_list->addRow("k", "Row", 1);
        QCOMPARE(m_list->topLevelItem(0)->icon(0).cacheKey(), red.cacheKey());
        m_list->setRowSmallIcon(0, 9); // no such icon: none shown, the number kept
        QCOMPARE(m_list->rowSmallIcon(0), 9);
        QVERIFY(m_list->topLevelItem(0)->icon(0).isNull());
        m_list->setRowForeColor(0, 255); // an OLE colour: red in the low byte
        QCOMPARE(m_list->topLevelItem(0)->foreground(0).color(), QColor(255, 0, 0));
    }

    // Sorted by the user's locale collation (Czech: C, Č, D, H, Ch), new rows at
    // their sorted place.
    void sorting()
    {
        QLocale::setDefault(QLocale("cs_CZ"));
        m_list = std::make_unique<KeyedListView>(); // collates as the locale at its creation
        KeyedListView& list = *m_list;
        for (const QString name : {"ch", "Čro", "H"})
            list.addRow(name, name, 1);
        list.setSorted(0, Qt::AscendingOrder);
        QCOMPARE(list.addRow("Cz", "Cz", 1), 0);
        QCOMPARE(rowTexts(list), QStringList({"Cz", "Čro", "H", "ch"}));
        list.setSorted(0, Qt::DescendingOrder);
        QCOMPARE(list.addRow("d", "d", 1), 2);
        QCOMPARE(rowTexts(list), QStringList({"ch", "H", "d", "Čro", "Cz"}));
    }

    // Inside begin/endUpdate (a fill) rows stay at the end (keys still checked)
    // and are sorted once at the outermost end; a list emptied or destroyed
    // mid-fill leaves nothing behind.
    void bulkUpdateSortsOnceAtTheEnd()
    {
        KeyedListView& list = *m_list;
        list.addRow("m", "m", 1);
        list.setSorted(0, Qt::AscendingOrder);
        list.beginUpdate();
        list.beginUpdate();
        QCOMPARE(list.addRow("z", "z", 1), 1);
        QCOMPARE(list.addRow("a", "a", 1), 2);
        QCOMPARE(list.addRow("a", "again", 1), -1);
        list.setRowBold(2, true);
        list.endUpdate();
        QVERIFY(!list.updatesEnabled());
        list.endUpdate();
        QCOMPARE(rowTexts(list), QStringList({"a", "m", "z"}));
        QVERIFY(list.rowBold(0));
        QVERIFY(list.updatesEnabled());

        list.beginUpdate();
        list.removeAllRows();
        QCOMPARE(list.addRow("q", "q", 1), 0);
        list.endUpdate();
        QCOMPARE(rowTexts(list), QStringList({"q"}));
        list.beginUpdate();
        list.addRow("x", "x", 1);
        m_list.reset(); // destroyed in the middle of a fill
    }

    void mouseRaisesMouseDownThenItemClick()
    {
        KeyedListView& list = showThree();
        QWidget* view = list.viewport();
        QTest::mouseClick(view, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier,
                          rowCentre(2));
        QCOMPARE(m_log->take(), QStringList({"MouseDown 2 3", "ItemClick 2"}));
        QCOMPARE(list.selectedRow(), 2);
        // Empty space below the rows: a press, no row.
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(20, view->height() - 5));
        QCOMPARE(m_log->take(), QStringList({"MouseDown 1 0"}));
        // Dragging keeps the clicked row selected.
        QTest::mousePress(view, Qt::LeftButton, {}, rowCentre(0));
        QMouseEvent move(QEvent::MouseMove, rowCentre(2), view->mapToGlobal(rowCentre(2)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        QTest::mouseRelease(view, Qt::LeftButton, {}, rowCentre(2));
        QCOMPARE(m_log->take(), QStringList({"MouseDown 1 0", "ItemClick 0"}));
        QCOMPARE(list.selectedRow(), 0);
        // A double click alone still picks the row first, and raises DblClick once.
        QTest::mouseDClick(view, Qt::LeftButton, {}, rowCentre(1));
        QCOMPARE(m_log->take(), QStringList({"MouseDown 1 0", "ItemClick 1", "DblClick"}));
        // The header raises ColumnClick; the owner decides sorting.
        QHeaderView* header = list.header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
        QCOMPARE(m_log->take(), QStringList({"ColumnClick 1"}));
        QCOMPARE(rowTexts(list), QStringList({"a", "b", "c"}));
    }

    // A key that moves the selection raises one ItemClick between its down and
    // up (the modifier is a key too); Ctrl+C leaves the clipboard to the owner.
    void keysRaiseDownUpAndOneItemClickPerMove()
    {
        KeyedListView& list = showThree();
        list.setFocus();
        list.selectRow(2); // the program's own move: no event
        QTest::keyClick(&list, Qt::Key_Home, Qt::ShiftModifier);
        QCOMPARE(m_log->take(), QStringList({"KeyDown 16 1", "KeyDown 36 1", "ItemClick 0",
                                             "KeyUp 36 1", "KeyUp 16 0"}));
        QGuiApplication::clipboard()->setText("before");
        QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
        m_log->take();
        // Virtual key codes: keypad 5, F24, plus; a key Windows has none for raises
        // nothing. Alt is 4; keypad and meta are no shift state.
        QTest::keyClick(&list, Qt::Key_5, Qt::KeypadModifier | Qt::AltModifier | Qt::MetaModifier);
        QTest::keyClick(&list, Qt::Key_F24);
        QTest::keyClick(&list, Qt::Key_Plus);
        QTest::keyClick(&list, Qt::Key_Launch0);
        QCOMPARE(m_log->take().filter("KeyDown"),
                 QStringList({"KeyDown 18 4", "KeyDown 91 4", "KeyDown 101 4", "KeyDown 135 0",
                              "KeyDown 187 0"}));
    }

    void handlerMayDeleteTheList()
    {
        showThree();
        m_log.reset();
        KeyedListView* list = m_list.get();
        connect(list, &KeyedListView::MouseDown, list, [this] { m_list.reset(); });
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
        QVERIFY(!m_list);
    }
};

QTEST_MAIN(TestKeyedListView)
#include "tst_keyedlistview.moc"
