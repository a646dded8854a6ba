// The open-URL dialog in-process, opened through the main window: its texts,
// focus and selection, OK, Cancel and the keys, and what reaches the player.
#include "TestFolders.h"
#include "common/modGlobal.h"
#include "controls/ButtonEx.h"
#include "dialogs/frmPlayURL.h"
#include "platform/KeyedListView.h"
#include "player/frmPlayer.h"
#include "stream/MediaPlayer.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <functional>
#include <memory>

using namespace modGlobal;
using namespace Qt::StringLiterals;

namespace {

const QString Before = u"http://127.0.0.1:9/before.mp3"_s;
const QString Typed = u" http://127.0.0.1:9/typed.mp3  "_s;

// A key ("Shift+Tab") as a user presses it: to the widget with the focus.
void key(QDialog& dialog, const QString& name)
{
    const QKeyCombination key = QKeySequence(name)[0];
    QTest::keyClick(dialog.focusWidget(), key.key(), key.keyboardModifiers());
}

} // namespace

class TestFrmPlayURL : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporaryProgramFolder> m_folder;
    std::unique_ptr<frmPlayer> m_window;

    // Opens the dialog with Ctrl+O in the main window and acts on it inside its
    // modal loop; false when it was still open afterwards.
    bool run(const std::function<void(frmPlayURL&)>& act)
    {
        bool closed = true;
        QTimer::singleShot(0, this, [&] {
            frmPlayURL& dialog = frmPlayURL::instance();
            if (QTest::qWaitForWindowActive(&dialog))
                act(dialog);
            closed = !dialog.isVisible();
            dialog.reject();
        });
        QTest::keyClick(m_window->lstStations(), Qt::Key_O, Qt::ControlModifier);
        return closed;
    }

private Q_SLOTS:
    void init()
    {
        ResetGlobalState();
        m_folder = std::make_unique<TemporaryProgramFolder>();
        m_window = std::make_unique<frmPlayer>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        CurrentURL = Before;
        m_window->WMP().setURL(Before);
    }

    void cleanup()
    {
        m_window.reset(); // the dialog goes with it
        m_folder.reset();
        ResetGlobalState();
    }

    void textsAndFocus()
    {
        QVERIFY(run([](frmPlayURL& dialog) {
            QCOMPARE(dialog.parentWidget(), frmPlayer::instance());
            QCOMPARE(dialog.windowTitle(), u"Přehrát URL stanice"_s);
            QCOMPARE(dialog.Label1()->text(), u"&Adresa stanice:"_s);
            QCOMPARE(dialog.gbOK()->Caption(), u"&OK"_s);
            QCOMPARE(dialog.gbCancel()->Caption(), u"&Storno"_s);
            QLineEdit* url = dialog.txtStationURL();
            QCOMPARE(dialog.focusWidget(), url);
            QTest::keyClicks(url, Typed);
            // Back in the text box, the whole text is selected.
            key(dialog, u"Tab"_s);
            QCOMPARE(dialog.focusWidget(), dialog.gbOK());
            key(dialog, u"Shift+Tab"_s);
            QTRY_COMPARE(url->selectedText(), Typed);
            dialog.gbCancel()->setFocus(); // by the mouse, then back
            QTest::mouseClick(url, Qt::LeftButton, {}, QPoint(5, 5));
            QTRY_COMPARE(url->selectedText(), Typed);
            key(dialog, u"Esc"_s);
        }));
        // Empty again at the next opening.
        QVERIFY(run([](frmPlayURL& dialog) {
            QVERIFY(dialog.txtStationURL()->text().isEmpty());
            key(dialog, u"Esc"_s);
        }));
        QCOMPARE(CurrentURL, Before);
        QCOMPARE(m_window->WMP().URL(), Before);
    }

    // Each way out, with an address typed or not: OK plays a non-empty text as
    // typed; an empty OK, Cancel and Escape leave the playing station alone.
    void waysOut_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("way"); // keys, or a button clicked
        QTest::addColumn<QString>("plays");
        QTest::newRow("OK clicked") << Typed << "gbOK" << Typed;
        QTest::newRow("Enter on OK") << Typed << "Tab Return" << Typed;
        QTest::newRow("Enter in the address") << Typed << "Return" << Typed;
        QTest::newRow("Space on OK") << Typed << "Tab Space" << Typed;
        QTest::newRow("OK empty") << QString() << "gbOK" << Before;
        QTest::newRow("Cancel clicked") << Typed << "gbCancel" << Before;
        QTest::newRow("Enter on Cancel") << Typed << "Tab Tab Return" << Before;
        QTest::newRow("Escape") << Typed << "Esc" << Before;
        QTest::newRow("Escape on OK") << Typed << "Tab Esc" << Before;
    }

    void waysOut()
    {
        QFETCH(QString, text);
        QFETCH(QString, way);
        QVERIFY(run([&](frmPlayURL& dialog) {
            QTest::keyClicks(dialog.txtStationURL(), text);
            for (const QString& step : way.split(u' ')) {
                if (auto* button = dialog.findChild<ButtonEx*>(step))
                    QTest::mouseClick(button, Qt::LeftButton);
                else
                    key(dialog, step);
            }
        }));
        QTEST(CurrentURL, "plays");
        QTEST(m_window->WMP().URL(), "plays");
    }
};

QTEST_MAIN(TestFrmPlayURL)
#include "tst_frmplayurl.moc"
