// The station list editor in-process, opened with Ctrl+E in the main window:
// its texts, the station rules, the save question, and real Windows-1250 files
// opened and saved through the file dialogs (visibility kept, dropped lines
// reported and confirmed, a failed save reported), and the preview player
// against a real Icecast server.
#include "IcecastServer.h"
#include "PlayerWait.h"
#include "TestFolders.h"
#include "common/modGlobal.h"
#include "controls/ButtonEx.h"
#include "dialogs/frmStationEdit.h"
#include "platform/KeyedListView.h"
#include "platform/MessageBox.h"
#include "player/frmPlayer.h"
#include "stream/MediaPlayer.h"
#include "stream/PlayState.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

frmStationEdit& editor()
{
    return frmStationEdit::instance();
}
template <typename T = QWidget> T* child(const char* name)
{
    return editor().findChild<T*>(QLatin1String(name));
}
void click(const char* button)
{
    QTest::mouseClick(child(button), Qt::LeftButton);
}
// Types a station into the fields and saves it.
void saveStation(const QString& name, const QString& url)
{
    child<QLineEdit>("txtStationName")->setText(name);
    child<QLineEdit>("txtStationURL")->setText(url);
    click("gbtnSave");
}
// The next file dialog returns path (empty: Cancel).
void answerFileDialog(const QString& path)
{
    QTimer::singleShot(0, [path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (path.isEmpty())
            return dialog->reject();
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}
// Name|URL|icon per row.
QStringList rows()
{
    const KeyedListView* list = editor().lstvStations();
    QStringList out;
    for (int row = 0; row < list->rowCount(); ++row)
        out << u"%1|%2|%3"_s.arg(list->rowText(row), list->subItem(row, 1))
                   .arg(list->rowSmallIcon(row));
    return out;
}

// A Windows-1250 file: four stations with visible 1, 0, -1 and 5, then what a
// save drops: a line that is no station, a second address in other letter
// case, a station without a name, and one after the empty line.
const QByteArray Mixed = "[STATION:]\xC8"
                         "esk\xFD|http://a/|0|16777215|0|1\r\n"
                         "[STATION:]Nula|http://b/|0|16777215|0|0\r\n"
                         "[STATION:]Minus|http://c/|0|16777215|0|-1\r\n"
                         "[STATION:]Pet|http://d/|0|16777215|0|5\r\n"
                         "komentar\r\n"
                         "[STATION:]Znovu|HTTP://A/|0|16777215|0|1\r\n"
                         "[STATION:]|http://e/|0|16777215|0|1\r\n"
                         "\r\n"
                         "[STATION:]Po|http://f/|0|16777215|0|1\r\n";
const QByteArray MixedSaved = "[STATION:]\xC8"
                              "esk\xFD|http://a/|0|16777215|0|1\r\n"
                              "[STATION:]Nula|http://b/|0|16777215|0|0\r\n"
                              "[STATION:]Minus|http://c/|0|16777215|0|0\r\n"
                              "[STATION:]Pet|http://d/|0|16777215|0|0\r\n\r\n";

} // namespace

class TestFrmStationEdit : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporaryProgramFolder> m_folder;
    std::unique_ptr<frmPlayer> m_window;
    QStringList m_asked; // the message boxes' texts
    QList<QMessageBox::StandardButton> m_answers;

    // Opens the editor with Ctrl+E, acts inside its modal loop and closes it;
    // false when it did not open.
    bool run(const std::function<void()>& act)
    {
        bool opened = false;
        QTimer::singleShot(0, this, [&] {
            if ((opened = QTest::qWaitForWindowActive(&editor())))
                act();
            editor().reject();
        });
        QTest::keyClick(m_window->lstStations(), Qt::Key_E, Qt::ControlModifier);
        return opened;
    }

private Q_SLOTS:
    void init()
    {
        modGlobal::ResetGlobalState();
        m_folder = std::make_unique<TemporaryProgramFolder>();
        m_window = std::make_unique<frmPlayer>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_asked.clear();
        MessageBox::setHandler([this](const MessageBox::Request& request) {
            m_asked << request.text;
            return m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst();
        });
    }

    void cleanup()
    {
        MessageBox::setHandler({});
        m_window.reset();
        m_folder.reset();
    }

    // Texts and wiring; the rules themselves are tst_dialoglogic's.
    void textsAndStationRules()
    {
        QVERIFY(run([this] {
            QCOMPARE(editor().windowTitle(), u"Editace [Nový]"_s);
            QCOMPARE(child<QLabel>("lblStationURL")->buddy(), child("txtStationURL"));
            QCOMPARE(editor().lstvStations()->headerItem()->text(1), u"URL stanice"_s);
            QCOMPARE(editor().focusWidget(), child("txtStationName"));
            QVERIFY(!child("gbtnRemove")->isEnabled());
            saveStation(u"Velká"_s, u"HTTP://X/A"_s);
            saveStation(u"Znovu"_s, u"http://x/a"_s); // taken in other letter case
            QCOMPARE(m_asked, QStringList{u"Stanice s touto adresou již v seznamu existuje!"_s});
            editor().lstvStations()->ItemClick(0);
            QVERIFY(child("gbtnRemove")->isEnabled());
            child<QLineEdit>("txtStationURL")->insert(u"|b"_s);
            QFocusEvent focusOut(QEvent::FocusOut); // "|" becomes "_" here
            QApplication::sendEvent(child("txtStationURL"), &focusOut);
            QCOMPARE(child<QLineEdit>("txtStationURL")->text(), u"HTTP://X/A_b"_s);
            click("gbtnSave");
            QCOMPARE(rows(), QStringList{u"Velká|HTTP://X/A_b|4"_s});
            QCOMPARE(editor().windowTitle(), u"Editace [] *"_s);
            QCOMPARE(child<QLabel>("lblCount")->text(), u"1"_s);
            QTest::keyClick(editor().focusWidget(), Qt::Key_Escape); // no question
            QVERIFY(!editor().isVisible());
            QCOMPARE(m_asked.size(), 1);
        }));
    }

    // Header clicks: the first sorts ascending, the sorted column flips its
    // order, another column keeps the order; the names' first letters after each.
    void headerClicksSort()
    {
        QVERIFY(run([&] {
            saveStation(u"Beta"_s, u"http://a/"_s);
            saveStation(u"Gama"_s, u"http://c/"_s);
            saveStation(u"alfa"_s, u"http://b/"_s);
            QHeaderView* header = editor().lstvStations()->header();
            QString orders;
            for (int column : {1, 1, 0, 0}) {
                QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                                  QPoint(header->sectionViewportPosition(column) + 5, 5));
                for (const QString& row : rows())
                    orders += row.at(0);
                orders += u' ';
            }
            QCOMPARE(orders, u"BaG GaB GBa aBG "_s);
        }));
    }

    // tb_exit with unsaved changes: Yes saves and stays (here the save dialog
    // is cancelled, so the list stays changed), No closes, Cancel stays.
    void saveQuestion_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("yes, dialog cancelled") << QMessageBox::Yes << false;
        QTest::newRow("no") << QMessageBox::No << true;
        QTest::newRow("cancel") << QMessageBox::Cancel << false;
    }

    void saveQuestion()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, closes);
        bool open = false;
        run([&] {
            saveStation(u"A"_s, u"http://a/"_s);
            m_answers = {answer};
            if (answer == QMessageBox::Yes)
                answerFileDialog({});
            editor().Toolbar1_ButtonClick(u"tb_exit"_s);
            open = editor().isVisible();
            QCOMPARE(m_asked.size(), 1);
            QVERIFY(editor().logic().listChanged());
        });
        QCOMPARE(!open, closes);
    }

    void opensAndSavesWithoutLosingSilently()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"sub"_s));
        const QString path = dir.filePath(u"sub/mixed.tlist"_s);
        QVERIFY(TestFolders::writeBytes(path, Mixed));
        QVERIFY(run([&] {
            answerFileDialog(path);
            editor().Toolbar1_ButtonClick(u"tb_open"_s);
            QCOMPARE(rows().join(u' '),
                     u"Český|http://a/|2 Nula|http://b/|1 Minus|http://c/|1 Pet|http://d/|1"_s);
            QCOMPARE(editor().windowTitle(), u"Editace [%1]"_s.arg(path));
            QCOMPARE(m_asked.size(), 1);
            QVERIFY(m_asked.first().endsWith(u": 4."_s));
            m_answers = {QMessageBox::No};
            editor().Toolbar1_ButtonClick(u"tb_save"_s); // refused: the file stays
            QCOMPARE(TestFolders::readBytes(path), Mixed);
            m_answers = {QMessageBox::Yes};
            editor().Toolbar1_ButtonClick(u"tb_save"_s);
            QCOMPARE(TestFolders::readBytes(path), MixedSaved);
            // The folder removed while the editor is open: the failed save is
            // reported, and the changes stay.
            saveStation(u"X"_s, u"http://x/"_s);
            QVERIFY(QDir(dir.filePath(u"sub"_s)).removeRecursively());
            editor().Toolbar1_ButtonClick(u"tb_save"_s);
            QCOMPARE(m_asked.size(), 4);
            QVERIFY(editor().logic().listChanged());
            QVERIFY(editor().windowTitle().endsWith(u"] *"_s));
            // A folder (as a file name) is unreadable: said so, the list stays.
            editor().openFile(dir.path());
            QCOMPARE(m_asked.size(), 5);
            QCOMPARE(rows().size(), 5);
        }));
    }

    // The preview plays while the main player plays another stream, stops, and
    // stops when the editor closes.
    void previewPlayer()
    {
        IcecastServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        m_window->WMP().setURL(server.mp3Url());
        QVERIFY(PlayerWait::forState(m_window->WMP(), PlayState::Playing, 20000));
        MediaPlayer* preview = nullptr;
        QVERIFY(run([&] {
            preview = editor().editWMP();
            QCOMPARE(preview->settings().volume(), 50);
            child<QLineEdit>("txtStationURL")->setText(u"  "_s);
            click("btnPlay");
            QCOMPARE(preview->URL(), QString());
            child<QLineEdit>("txtStationURL")->setText(server.oggUrl());
            click("btnPlay");
            QVERIFY(PlayerWait::forState(*preview, PlayState::Playing, 20000));
            QCOMPARE(m_window->WMP().playState(), int(PlayState::Playing));
            QCOMPARE(child<QLabel>("lblWMPStatus")->text(), preview->status());
            click("btnStop");
            QVERIFY(PlayerWait::forState(*preview, PlayState::Stopped, 10000));
            click("btnPlay");
            QVERIFY(PlayerWait::forState(*preview, PlayState::Playing, 20000));
        }));
        QCOMPARE(preview->playState(), int(PlayState::Stopped));
    }
};

QTEST_MAIN(TestFrmStationEdit)
#include "tst_frmstationedit.moc"
