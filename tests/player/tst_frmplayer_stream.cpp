// The main window against a real Icecast server on 127.0.0.1: a double click
// plays the row, another station clears the first row at once, and an address
// nobody answers ends in "Chyba!".
#include "ChildProcess.h"
#include "FaultServer.h"
#include "IcecastServer.h"
#include "ProcessUsage.h"
#include "ProgramFiles.h"
#include "common/modGlobal.h"
#include "platform/KeyedListView.h"
#include "player/PlayerStatusBar.h"
#include "player/frmPlayer.h"
#include "stream/MediaPlayer.h"

#include <QtTest>

#include <memory>

namespace {
constexpr int StreamTimeoutMs = 20000;
}

class TestFrmPlayerStream : public QObject
{
    Q_OBJECT

    IcecastServer m_server;
    FaultServer m_faults;
    std::unique_ptr<TemporaryProgramFolder> m_folder;
    std::unique_ptr<frmPlayer> m_window;
    QString m_deadUrl;

    KeyedListView* list() const { return m_window->lstStations(); }

    int row(const QString& url) const { return list()->findKey(url); }

    void doubleClick(const QString& url)
    {
        const QPoint point = list()->visualItemRect(list()->topLevelItem(row(url))).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, point);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
        QVERIFY2(m_faults.start(), qPrintable(m_faults.errorString()));
        m_deadUrl = QStringLiteral("http://127.0.0.1:%1/dead.mp3").arg(ChildProcess::freePort());
    }

    void init()
    {
        modGlobal::ResetGlobalState();
        m_folder = std::make_unique<TemporaryProgramFolder>();
        const QString file = ProgramFiles::writeList(*m_folder, QStringLiteral("test.tlist"),
                                                     {{"Alfa MP3", m_server.mp3Url()},
                                                      {"Beta Ogg", m_server.oggUrl()},
                                                      {QStringLiteral("Mrtvá"), m_deadUrl}});
        QVERIFY(ProgramFiles::writeSettings(*m_folder, {"list=" + file}));
        m_window = std::make_unique<frmPlayer>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_folder.reset();
        modGlobal::ResetGlobalState();
    }

    void doubleClickPlaysAndAnotherStationClearsTheFirstRowAtOnce()
    {
        doubleClick(m_server.mp3Url());
        const int alfa = row(m_server.mp3Url());
        QTRY_COMPARE_WITH_TIMEOUT(list()->subItem(alfa, 1), QStringLiteral("Přehrávání"),
                                  StreamTimeoutMs);
        QCOMPARE(list()->rowSmallIcon(alfa), 3);
        PlayerStatusBar* status = m_window->statusBar();
        QCOMPARE(status->panelPicture("icon"), 3);
        // The status panel carries the player's own wording.
        QTRY_COMPARE(status->panelText("status"), m_window->WMP().status());
        QVERIFY(!status->panelText("status").isEmpty());

        doubleClick(m_server.oggUrl());
        // No event has run since the double click: the first row is already clear.
        QCOMPARE(list()->subItem(alfa, 1), QString());
        QCOMPARE(list()->rowSmallIcon(alfa), 1);
        QTRY_COMPARE_WITH_TIMEOUT(list()->subItem(row(m_server.oggUrl()), 1),
                                  QStringLiteral("Přehrávání"), StreamTimeoutMs);
        QCOMPARE(list()->subItem(alfa, 1), QString());
    }

    void deadAddressEndsInError()
    {
        doubleClick(m_deadUrl);
        const int dead = row(m_deadUrl);
        QTRY_COMPARE_WITH_TIMEOUT(list()->subItem(dead, 1), QStringLiteral("Chyba!"),
                                  StreamTimeoutMs);
        QCOMPARE(list()->rowSmallIcon(dead), 1);
        QCOMPARE(m_window->statusBar()->panelPicture("icon"), 1);
        QVERIFY(!m_window->tmrAnim().isActive());
    }

    // Titles in Windows-1250, 62 a second: shown right, and 500 of them leave
    // the resident memory where it was (each one used to keep about 1 KB).
    void titleChangesShowRightAndKeepMemoryFlat()
    {
        int changes = 0;
        connect(&m_window->WMP(), &MediaPlayer::StatusChange, this, [&] { ++changes; });
        m_faults.setTitlePrefix(AnsiCodePage::encode(QStringLiteral("Žluťoučký kůň")));
        modGlobal::CurrentURL = m_faults.url(QStringLiteral("/titles.mp3"));
        m_window->WMP().setURL(modGlobal::CurrentURL);
        m_window->WMP().controls().play();
        QTRY_VERIFY_WITH_TIMEOUT(changes > 100, StreamTimeoutMs);
        const double before = ProcessUsage::now().rssMiB;
        QTRY_VERIFY_WITH_TIMEOUT(changes > 600, StreamTimeoutMs);
        const double grownKiB = (ProcessUsage::now().rssMiB - before) * 1024;
        QVERIFY2(grownKiB < 200, qPrintable(QString::number(grownKiB)));
        QVERIFY(m_window->statusBar()->panelText("status").startsWith(
            QStringLiteral("Přehrávání: Žluťoučký kůň ")));
    }
};

QTEST_MAIN(TestFrmPlayerStream)
#include "tst_frmplayer_stream.moc"
