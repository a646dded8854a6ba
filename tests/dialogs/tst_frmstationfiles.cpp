// The station list chooser in-process, opened with F12 in the main window: its
// texts, the wait sign while listing, sorting by the headers, and each way out
// (OK, double click, Enter, Escape, Cancel), with the pick kept through a folder
// change, and what reached the main window's list.
#include "TestFolders.h"
#include "common/modGlobal.h"
#include "controls/ButtonEx.h"
#include "controls/Container3D.h"
#include "dialogs/frmStationFiles.h"
#include "platform/BrowseForFolder.h"
#include "platform/KeyedListView.h"
#include "player/frmPlayer.h"

#include <QApplication>
#include <QHeaderView>
#include <QtTest>

#include <functional>
#include <memory>

using namespace modGlobal;
using namespace Qt::StringLiterals;

namespace {

// One station list file with `stations` rows.
void writeList(const QString& path, int stations, int bytes = 0)
{
    QByteArray text;
    for (int n = 0; n < stations; ++n)
        text += "[STATION:]Stanice " + QByteArray::number(n) + "|http://127.0.0.1:9/" +
                QByteArray::number(n) + "|0|16777215|0|1\r\n";
    text += "\r\n";
    TestFolders::writeBytes(path, text.leftJustified(bytes, ' '));
}

QPoint rowCentre(KeyedListView* list, const QString& key)
{
    return list->visualItemRect(list->topLevelItem(list->findKey(key))).center();
}

} // namespace

class TestFrmStationFiles : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporaryProgramFolder> m_folder;
    QTemporaryDir m_other;
    std::unique_ptr<frmPlayer> m_window;
    QString m_browsed; // what the folder dialog answers

    // Opens the chooser with F12 and acts once its folder is listed; false when
    // it was still open afterwards.
    bool run(const std::function<void(frmStationFiles&)>& act)
    {
        bool closed = true;
        QTimer::singleShot(0, this, [&] {
            frmStationFiles& dialog = frmStationFiles::instance();
            if (QTest::qWaitForWindowActive(&dialog) &&
                QTest::qWaitFor([&] { return !dialog.logic().isListing(); }))
                act(dialog);
            closed = !dialog.isVisible();
            dialog.reject();
        });
        QTest::keyClick(m_window->lstStations(), Qt::Key_F12);
        return closed;
    }

private Q_SLOTS:
    void initTestCase()
    {
        writeList(m_other.filePath("a.tlist"), 1, 9000);
        writeList(m_other.filePath("b.tlist"), 1, 10000);
        writeList(m_other.filePath("c.tlist"), 1, 1500);
        for (auto [name, year] :
             {std::pair{"a.tlist", 2008}, {"b.tlist", 2009}, {"c.tlist", 2007}}) {
            QFile file(m_other.filePath(name));
            QVERIFY(file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(QDateTime(QDate(year, 1, 1), QTime(12, 0)),
                                     QFileDevice::FileModificationTime));
        }
        QLocale::setDefault(QLocale::c());
        modGlobal::setBrowseHandler([this](QWidget*) { return m_browsed; });
    }

    void init()
    {
        ResetGlobalState();
        m_folder = std::make_unique<TemporaryProgramFolder>();
        writeList(m_folder->file("dva.tlist"), 2);
        writeList(m_folder->file("tri.tlist"), 3);
        m_window = std::make_unique<frmPlayer>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        CurrentListFile = u"before"_s;
        m_browsed = m_other.path();
    }

    void cleanup()
    {
        m_window.reset();
        m_folder.reset();
        ResetGlobalState();
    }

    void textsAndSorting()
    {
        QVERIFY(!run([this](frmStationFiles& dialog) {
            QCOMPARE(dialog.parentWidget(), m_window.get());
            QCOMPARE(dialog.windowTitle(), "Seznamy stanice [" + m_folder->path() + "]");
            KeyedListView* list = dialog.lstStations();
            QCOMPARE(list->headerItem()->text(2), u"Datum a čas"_s);
            QCOMPARE(list->rowCount(), 3); // with the shipped list
            QVERIFY(list->findKey(m_folder->file("dva.tlist")) >= 0);
            QVERIFY(!dialog.gbOK()->isEnabled());
            QVERIFY(!dialog.cntWait()->isVisible() && !QApplication::overrideCursor());
            // Another folder: the wait sign shows until its rows are in.
            QTest::mouseClick(dialog.gbFolder(), Qt::LeftButton);
            QVERIFY(dialog.cntWait()->isVisible() && QApplication::overrideCursor());
            QTRY_VERIFY(!dialog.cntWait()->isVisible() && !QApplication::overrideCursor());
            QCOMPARE(dialog.windowTitle(), "Seznamy stanice [" + m_other.path() + "]");
            // Columns clicked: size twice (as text), date, name twice.
            QStringList orders;
            for (int column : {1, 1, 2, 0, 0}) {
                QHeaderView* header = list->header();
                QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                                  QPoint(header->sectionViewportPosition(column) + 5, 5));
                QString order;
                for (int row = 0; row < 3; ++row)
                    order += list->rowText(row).at(0);
                orders << order + ' ' + list->subItem(0, 1) + ' ' + list->subItem(0, 2);
            }
            QCOMPARE(orders,
                     (QStringList{"cba 1.500 kB 2007-01-01 12:00", "abc 9.000 kB 2008-01-01 12:00",
                                  "bac 10.000 kB 2009-01-01 12:00", "cba 1.500 kB 2007-01-01 12:00",
                                  "abc 9.000 kB 2008-01-01 12:00"}));
            // A cancelled folder dialog changes nothing.
            m_browsed.clear();
            QTest::mouseClick(dialog.gbFolder(), Qt::LeftButton);
            QCOMPARE(dialog.windowTitle(), "Seznamy stanice [" + m_other.path() + "]");
            QCOMPARE(list->rowCount(), 3);
        }));
    }

    // Steps: "pick" clicks tri.tlist, "empty" presses below the rows, "folder"
    // lists the other folder; a button's name clicks it; anything else is a key
    // on the list. `loads` is the file that became the current list.
    void waysOut_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("loads");
        QTest::newRow("OK") << "pick gbOK"
                            << "tri.tlist";
        QTest::newRow("double click") << "pick double"
                                      << "tri.tlist";
        QTest::newRow("Enter") << "pick Return"
                               << "tri.tlist";
        QTest::newRow("kept through a folder change") << "pick folder gbOK"
                                                      << "tri.tlist";
        QTest::newRow("Enter with nothing picked") << "Return"
                                                   << "";
        QTest::newRow("press on empty space") << "pick empty gbOK Return"
                                              << "";
        QTest::newRow("Escape") << "pick Escape"
                                << "";
        QTest::newRow("Cancel") << "pick gbCancel"
                                << "";
    }

    void waysOut()
    {
        QFETCH(QString, steps);
        QFETCH(QString, loads);
        const int before = m_window->lstStations()->rowCount();
        const bool closes = run([&](frmStationFiles& dialog) {
            KeyedListView* list = dialog.lstStations();
            const QString picked = m_folder->file("tri.tlist");
            for (const QString& step : steps.split(u' ')) {
                if (step == u"pick")
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                      rowCentre(list, picked));
                else if (step == u"double")
                    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                                       rowCentre(list, picked));
                else if (step == u"empty")
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                      QPoint(5, list->viewport()->height() - 3));
                else if (step == u"folder") {
                    QTest::mouseClick(dialog.gbFolder(), Qt::LeftButton);
                    QTRY_VERIFY(!dialog.logic().isListing());
                } else if (auto* button = dialog.findChild<ButtonEx*>(step))
                    QTest::mouseClick(button, Qt::LeftButton);
                else
                    QTest::keyClick(list, QKeySequence(step)[0].key());
            }
        });
        QCOMPARE(closes, !loads.isEmpty() || steps.contains("Esc") || steps.contains("Cancel"));
        QCOMPARE(CurrentListFile, loads.isEmpty() ? u"before"_s : m_folder->file(loads));
        QCOMPARE(m_window->lstStations()->rowCount(), loads.isEmpty() ? before : 3);
    }
};

QTEST_MAIN(TestFrmStationFiles)
#include "tst_frmstationfiles.moc"
