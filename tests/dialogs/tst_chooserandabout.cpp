// The station list chooser (F12) and the about box (the product menu)
// in-process over real files: the chooser's texts, wait sign, sizes and dates
// in two locales, sorting, an unreadable folder and each way out, with what
// reached the main window's list; the about box's versions and lines.
#include "TestFolders.h"
#include "common/Version.h"
#include "common/modGlobal.h"
#include "controls/ButtonEx.h"
#include "controls/Container3D.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmStationFiles.h"
#include "platform/BrowseForFolder.h"
#include "platform/KeyedListView.h"
#include "player/frmPlayer.h"
#include "stream/MediaPlayer.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QtTest>

using namespace modGlobal;
using namespace Qt::StringLiterals;

namespace {

// A station list of `bytes` bytes (at least one station) modified at `time`.
void writeList(const QString& path, int bytes = 0, const QDateTime& time = {})
{
    TestFolders::writeBytes(
        path, QByteArray("[STATION:]Stanice|http://127.0.0.1:9/|0|16777215|0|1\r\n\r\n")
                  .leftJustified(bytes, ' '));
    QFile file(path);
    if (time.isValid() && file.open(QIODevice::ReadWrite))
        file.setFileTime(time, QFileDevice::FileModificationTime);
}

// A click on a column's header.
void clickHeader(KeyedListView* list, int column)
{
    QTest::mouseClick(list->header()->viewport(), Qt::LeftButton, {},
                      QPoint(list->header()->sectionViewportPosition(column) + 5, 5));
}

// The first letters of the rows, then the first row's size and date.
QString rows(KeyedListView* list)
{
    QString text;
    for (int row = 0; row < list->rowCount(); ++row)
        text += list->rowText(row).at(0);
    return list->rowCount() ? text + ' ' + list->subItem(0, 1) + ' ' + list->subItem(0, 2) : text;
}

} // namespace

class TestChooserAndAbout : public QObject
{
    Q_OBJECT

    TemporaryProgramFolder m_folder;
    QTemporaryDir m_other;
    frmPlayer m_window;
    QString m_browsed; // what the folder dialog answers

    // Opens the chooser with F12 and acts once its folder is listed; false when
    // it was still open afterwards.
    bool chooser(const std::function<void(frmStationFiles&, KeyedListView*)>& act)
    {
        bool closed = true;
        QTimer::singleShot(0, this, [&] {
            frmStationFiles& dialog = frmStationFiles::instance();
            if (QTest::qWaitForWindowActive(&dialog) &&
                QTest::qWaitFor([&] { return !dialog.logic().isListing(); }))
                act(dialog, dialog.lstStations());
            closed = !dialog.isVisible();
            dialog.reject();
        });
        QTest::keyClick(m_window.lstStations(), Qt::Key_F12);
        return closed;
    }

    // Another folder through "Jiný adresář...", listed.
    static void browse(frmStationFiles& dialog)
    {
        QTest::mouseClick(dialog.gbFolder(), Qt::LeftButton);
        QTRY_VERIFY(!dialog.logic().isListing());
    }

private Q_SLOTS:
    void initTestCase()
    {
        writeList(m_other.filePath("a.tlist"), 9000, QDateTime(QDate(2009, 1, 1), QTime(12, 0)));
        writeList(m_other.filePath("b.tlist"), 10000, QDateTime(QDate(2007, 1, 1), QTime(12, 0)));
        writeList(m_other.filePath("c.tlist"), 1500, QDateTime(QDate(2008, 6, 7), QTime(9, 5, 59)));
        writeList(m_other.filePath(".hidden.tlist"));
        writeList(m_other.filePath("notes.txt"));
        QVERIFY(QDir(m_other.path()).mkdir("folder.tlist"));
        writeList(m_folder.file("tri.tlist"));
        modGlobal::setBrowseHandler([this](QWidget*) { return m_browsed; });
        m_window.show();
        QVERIFY(QTest::qWaitForWindowActive(&m_window));
    }

    void init()
    {
        CurrentListFile = u"before"_s;
        m_browsed = m_other.path();
        QLocale::setDefault(QLocale::c());
    }

    void textsAndSorting()
    {
        QVERIFY(!chooser([this](frmStationFiles& dialog, KeyedListView* list) {
            QCOMPARE(dialog.windowTitle(), "Seznamy stanice [" + m_folder.path() + "]");
            QCOMPARE(list->headerItem()->text(2), u"Datum a čas"_s);
            QCOMPARE(list->rowCount(), 2); // tri.tlist and the shipped list
            QVERIFY(!dialog.gbOK()->isEnabled());
            // Another folder: the wait sign shows until its rows are in.
            QTest::mouseClick(dialog.gbFolder(), Qt::LeftButton);
            QVERIFY(dialog.cntWait()->isVisible() && QApplication::overrideCursor());
            QTRY_VERIFY(!dialog.cntWait()->isVisible() && !QApplication::overrideCursor());
            // Headers clicked: size twice (as text), date, name twice.
            QStringList orders;
            for (int column : {1, 1, 2, 0, 0}) {
                clickHeader(list, column);
                orders << rows(list);
            }
            QCOMPARE(orders,
                     (QStringList{"cba 1.500 kB 2008-06-07 09:05", "abc 9.000 kB 2009-01-01 12:00",
                                  "acb 9.000 kB 2009-01-01 12:00", "cba 1.500 kB 2008-06-07 09:05",
                                  "abc 9.000 kB 2009-01-01 12:00"}));
            QLocale::setDefault(QLocale(u"cs_CZ"_s));
            browse(dialog);
            QCOMPARE(rows(list), u"abc 9,000 kB 2009-01-01 12:00"_s);
            // A cancelled folder dialog changes nothing; an unreadable folder lists nothing.
            m_browsed.clear();
            browse(dialog);
            QCOMPARE(rows(list), u"abc 9,000 kB 2009-01-01 12:00"_s);
            m_browsed = m_other.filePath("gone");
            browse(dialog);
            QVERIFY(list->rowCount() == 0 && !dialog.cntWait()->isVisible());
        }));
    }

    // Steps: "pick" clicks tri.tlist, "empty" presses below the rows, "folder"
    // lists the other folder, "name" sorts by name (the shipped stanice.tlist
    // first), a button's name clicks it, anything else is a key on the list;
    // then the file that became the current list, if any.
    void waysOut_data()
    {
        QTest::addColumn<QString>("loads");
        for (const char* row :
             {"pick gbOK > tri", "pick double > tri", "pick Return > tri", "pick folder gbOK > tri",
              "t Return > tri", "name Home Down Return > tri", "Return >",
              "pick empty gbOK Return >", "pick Escape > closed", "pick gbCancel > closed"})
            QTest::newRow(row) << QString(row).section(u'>', 1).trimmed();
    }

    void waysOut()
    {
        QFETCH(QString, loads);
        const QString steps = QTest::currentDataTag();
        const QString picked = m_folder.file("tri.tlist");
        const bool closed = chooser([&](frmStationFiles& dialog, KeyedListView* list) {
            const QPoint row =
                list->visualItemRect(list->topLevelItem(list->findKey(picked))).center();
            for (const QString& step : steps.section(u'>', 0, 0).split(u' ', Qt::SkipEmptyParts)) {
                if (step == u"pick" || step == u"empty")
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                      step == u"pick" ? row
                                                      : QPoint(5, list->viewport()->height() - 3));
                else if (step == u"double")
                    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
                else if (step == u"folder")
                    browse(dialog);
                else if (step == u"name")
                    clickHeader(list, 0);
                else if (auto* button = dialog.findChild<ButtonEx*>(step))
                    QTest::mouseClick(button, Qt::LeftButton);
                else
                    QTest::keyClick(list, QKeySequence(step)[0].key());
            }
        });
        QCOMPARE(closed, !loads.isEmpty());
        QCOMPARE(CurrentListFile, loads == u"tri" ? picked : u"before"_s);
        if (loads == u"tri")
            QCOMPARE(m_window.lstStations()->rowCount(), 1);
    }

    void aboutBox()
    {
        QCOMPARE(Version::numberText(1, 10, 7), u"1.10.7"_s);
        bool closed = false;
        QTimer::singleShot(0, this, [&] {
            frmAbout& about = frmAbout::instance();
            if (QTest::qWaitForWindowActive(&about)) {
                QCOMPARE(about.lblVerApp()->text(), QLatin1String(Version::Number));
                QCOMPARE(about.lblVerWMP()->text(), m_window.WMP().versionInfo());
                QVERIFY(about.lblVerWMP()->text().startsWith(u"GStreamer 1."_s));
                QVERIFY(about.findChild<QLabel*>("lblLicence")->text().contains(u"GNU GPL"_s));
                QVERIFY(!about.findChild<QLabel*>("pctSplash")->pixmap().isNull());
                QCOMPARE(about.focusWidget(), about.gbClose());
                QTest::keyClick(about.gbClose(), Qt::Key_Return);
            }
            closed = !about.isVisible();
            about.reject();
        });
        m_window.menuItem("mnuSK_About")->trigger();
        QVERIFY(closed);
    }
};

QTEST_MAIN(TestChooserAndAbout)
#include "tst_chooserandabout.moc"
