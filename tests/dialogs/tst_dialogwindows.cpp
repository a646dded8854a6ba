// The open-URL and settings dialogs and the volume pop-up in-process, opened
// through the main window: what they show, focus and selection, each way out,
// what reaches the player, the flags and skytuner.ini, the main window following
// at once, and every dialog's access keys.
#include "ModalDialog.h"
#include "ProgramFiles.h"
#include "common/modGlobal.h"
#include "controls/ButtonEx.h"
#include "controls/LumenButton.h"
#include "controls/ucSlider.h"
#include "dialogs/frmPlayURL.h"
#include "dialogs/frmSettings.h"
#include "dialogs/wfmVolume.h"
#include "platform/BrowseForFolder.h"
#include "platform/KeyedListView.h"
#include "player/PlayerStatusBar.h"
#include "player/frmPlayer.h"
#include "services/SysTray.h"
#include "stream/MediaPlayer.h"

#include <QCheckBox>
#include <QFileDialog>
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
    QTest::keySequence(dialog.focusWidget(), QKeySequence(name));
}

} // namespace

class TestDialogWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporaryProgramFolder> m_folder;
    std::unique_ptr<frmPlayer> m_window;
    QString m_fav;

    QString ini() const { return m_folder->file(QStringLiteral("skytuner.ini")); }
    QLabel* volumePanel() const { return m_window->statusBar()->panel(QStringLiteral("volume")); }

    // A menu item ("mnuSK_About") or keys ("Ctrl+O") of the main window.
    void trigger(const QString& how)
    {
        if (how.startsWith(u"mnu"))
            m_window->menuItem(how)->trigger();
        else
            QTest::keySequence(m_window->lstStations(), QKeySequence(how));
    }

    // The keys in the main window, then act inside the dialog's modal loop;
    // false when it did not open or was still open afterwards.
    template <class Dialog> bool run(const char* keys, const std::function<void(Dialog&)>& act)
    {
        return ModalDialog::run([&] { trigger(QString::fromLatin1(keys)); },
                                [&](QDialog&) { act(Dialog::instance()); });
    }

    wfmVolume* openPopup()
    {
        QTest::mouseClick(volumePanel(), Qt::LeftButton);
        auto* popup = m_window->findChild<wfmVolume*>();
        return popup && QTest::qWaitForWindowActive(popup) ? popup : nullptr;
    }

private Q_SLOTS:
    void init()
    {
        ResetGlobalState();
        m_folder = std::make_unique<TemporaryProgramFolder>();
        m_fav = ProgramFiles::writeList(*m_folder, u"Oblíbené.tlist"_s, {{u"A"_s, Before}});
        QVERIFY(ProgramFiles::writeSettings(
            *m_folder, {u"systray=true"_s, u"volume=1"_s, u"balance=-60"_s, u"fav="_s + m_fav}));
        m_window = std::make_unique<frmPlayer>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        CurrentURL = Before;
        m_window->WMP().setURL(Before);
    }

    void cleanup()
    {
        m_window.reset(); // the dialogs go with it
        m_folder.reset();
        QLocale::setDefault(QLocale::c());
        ResetGlobalState();
    }

    // The texts (the titles: the end-to-end screen reader case), the focus and
    // the selection.
    void textsAndFocus()
    {
        QVERIFY(run<frmPlayURL>("Ctrl+O", [](frmPlayURL& dialog) {
            QCOMPARE(dialog.parentWidget(), frmPlayer::instance());
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
        QVERIFY(run<frmPlayURL>("Ctrl+O", [](frmPlayURL& dialog) {
            QVERIFY(dialog.txtStationURL()->text().isEmpty());
            key(dialog, u"Esc"_s);
        }));
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
        QTest::newRow("not an address") << u"radio"_s << "gbOK" << u"radio"_s;
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
        QVERIFY(run<frmPlayURL>("Ctrl+O", [&](frmPlayURL& dialog) {
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

    // OK stores the choices and the window follows without a restart.
    void settingsSaved()
    {
        QVERIFY(run<frmSettings>("Ctrl+S", [&](frmSettings& dialog) {
            QCOMPARE(dialog.txtFav()->text(), m_fav);
            QVERIFY(!dialog.chkMinTray()->isChecked()); // "true" is not "1"
            QTest::keyClick(dialog.chkMinTray(), Qt::Key_Space);
            QTest::keyClick(dialog.chkAnim(), Qt::Key_Space);
            QTest::mouseClick(dialog.btnFavNo(), Qt::LeftButton);
            QTest::mouseClick(dialog.gbOK(), Qt::LeftButton);
        }));
        QCOMPARE(std::tuple(TrayFlag, AnimFlag, FavListFile), std::tuple(true, true, QString()));
        QVERIFY(m_window->cTray()->TrayFormStyle() != 0);
        QVERIFY(!m_window->toolButton(QStringLiteral("tb_fav"))->isEnabled());
    }

    // "Zavřít" writes nothing; a cancelled file dialog keeps the list. (Escape:
    // the end-to-end test.)
    void settingsCancelled()
    {
        const QByteArray before = TestFolders::readBytes(ini());
        QVERIFY(run<frmSettings>("Ctrl+S", [&](frmSettings& dialog) {
            QTimer::singleShot(0, dialog.cmdDialog(), &QDialog::reject);
            QTest::mouseClick(dialog.btnFavOpen(), Qt::LeftButton);
            QCOMPARE(dialog.txtFav()->text(), m_fav);
            QTest::keyClick(dialog.chkAutostart(), Qt::Key_Space);
            QTest::mouseClick(dialog.gbCancel(), Qt::LeftButton);
        }));
        QCOMPARE(TestFolders::readBytes(ini()), before);
    }

    // The sliders, the keys and the centre button act on the player and the
    // texts (in the user's locale); Escape stores both values.
    void popupKeys()
    {
        QLocale::setDefault(QLocale(QStringLiteral("cs_CZ")));
        wfmVolume* popup = openPopup();
        QVERIFY(popup);
        // The decorations stay inside and clear of what the user clicks.
        const QWidget* controls[] = {popup->ucVolume(), popup->ucBalance(), popup->btnCenter(),
                                     popup->lblPerc()};
        for (const char* name : {"imgLeft", "imgRight", "Line1", "Line2", "Line3"}) {
            const auto* item = popup->findChild<QWidget*>(QLatin1String(name));
            QVERIFY2(item && popup->rect().contains(item->geometry()), name);
            for (const QWidget* control : controls)
                QVERIFY2(!item->geometry().intersects(control->geometry()), name);
        }
        const QImage centre = popup->btnCenter()->grab().toImage();
        bool dark = false;
        for (int y = 0; y < centre.height(); ++y)
            for (int x = 0; x < centre.width(); ++x)
                dark = dark || centre.pixelColor(x, y).lightness() < 80;
        QVERIFY2(dark, "btnCenter shows its mark");
        QCOMPARE(volumePanel()->text() + popup->lblPerc()->text(), QStringLiteral("-66,43 dB1%"));
        QTest::keyClick(popup->ucVolume(), Qt::Key_End);
        QCOMPARE(volumePanel()->text() + popup->lblPerc()->text(), QStringLiteral("0,00 dB100%"));
        QTest::keyClick(popup->ucVolume(), Qt::Key_PageDown);
        QTest::mouseClick(popup->btnCenter(), Qt::LeftButton);
        QCOMPARE(
            std::pair(m_window->WMP().settings().volume(), m_window->WMP().settings().balance()),
            std::pair(90, 0));
        QTest::keyClick(popup->ucVolume(), Qt::Key_Escape);
        QTRY_VERIFY(!m_window->findChild<wfmVolume*>());
        QVERIFY(TestFolders::readBytes(ini()).contains("volume=90\r\nbalance=0\r\n"));
    }

    // Losing activation stores the values though no slider moved; the wheel over
    // the panel steps the volume, which the shut-down stores.
    void popupDeactivatedAndWheel()
    {
        QVERIFY(openPopup());
        TestFolders::writeBytes(ini(), "[PLAYER]\r\n");
        m_window->activateWindow();
        QTRY_VERIFY(!m_window->findChild<wfmVolume*>());
        QCOMPARE(TestFolders::readBytes(ini()), "[PLAYER]\r\nvolume=1\r\nbalance=-60\r\n");
        for (const int delta : {120, 60, 60, -120}) { // a notch, two half ones, back one
            QWheelEvent wheel({}, {}, {}, QPoint(0, delta), {}, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(volumePanel(), &wheel);
        }
        QCOMPARE(volumePanel()->text(), QStringLiteral("-40.58 dB")); // volume 6
        m_window->close();
        QVERIFY(TestFolders::readBytes(ini()).contains("volume=6\r\n"));
    }

    // Each dialog's access keys ("&Nová") are its own, and Alt with one clicks
    // its button or box, or focuses the field its label names (one key per opening).
    void accessKeysAct_data()
    {
        QTest::addColumn<QString>("open");
        for (const char* open : {"Ctrl+O", "Ctrl+S", "Ctrl+E", "F12", "mnuSK_About"})
            QTest::newRow(open) << QString::fromLatin1(open);
    }

    void accessKeysAct()
    {
        QFETCH(QString, open);
        const BrowseHandler browse = setBrowseHandler([](QWidget*) { return QString(); });
        QList<QPointer<QWidget>> keyed;
        const auto caption = [](const QWidget* w) {
            if (const auto* b = qobject_cast<const ButtonEx*>(w))
                return b->Caption();
            if (const auto* b = qobject_cast<const LumenButton*>(w))
                return b->Caption();
            if (const auto* b = qobject_cast<const QAbstractButton*>(w))
                return b->text();
            const auto* l = qobject_cast<const QLabel*>(w);
            return l && l->buddy() ? l->text() : QString();
        };
        const auto discover = [&](QDialog& dialog) {
            QSet<int> keys;
            for (QWidget* w : dialog.findChildren<QWidget*>()) {
                const QKeySequence key = QKeySequence::mnemonic(caption(w));
                if (key.isEmpty() || w->window() != &dialog) // not its file dialog's
                    continue;
                QVERIFY2(!keys.contains(key[0].key()), qPrintable(w->objectName()));
                keys << key[0].key();
                if (w->isEnabled())
                    keyed << w;
            }
        };
        const auto press = [&](QDialog& dialog, QWidget* w) {
            QObject guard;
            bool acted = false;
            if (auto* b = qobject_cast<ButtonEx*>(w))
                connect(b, &ButtonEx::Click, &guard, [&] { acted = true; });
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                connect(b, &QAbstractButton::clicked, &guard, [&] { acted = true; });
            const auto* label = qobject_cast<QLabel*>(w);
            QTest::keyClick(dialog.focusWidget(), QKeySequence::mnemonic(caption(w))[0].key(),
                            Qt::AltModifier);
            QTRY_VERIFY2(acted || (label && label->buddy()->hasFocus()),
                         qPrintable(w->objectName()));
        };
        const auto opener = [&] {
            trigger(open);
        };
        ModalDialog::run(opener, discover);
        QVERIFY(!keyed.isEmpty());
        for (const QPointer<QWidget>& w : std::as_const(keyed))
            if (w && !QTest::currentTestFailed())
                ModalDialog::run(opener, [&](QDialog& dialog) { press(dialog, w); });
        setBrowseHandler(browse);
    }
};

QTEST_MAIN(TestDialogWindows)
#include "tst_dialogwindows.moc"
