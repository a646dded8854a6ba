// The settings dialog and the volume pop-up in-process, opened through the main
// window: what they show, each way out, what reaches the player, the flags and
// skytuner.ini, and the main window following at once.
#include "TestFolders.h"
#include "common/AnsiCodePage.h"
#include "common/modGlobal.h"
#include "controls/ButtonEx.h"
#include "controls/LumenButton.h"
#include "controls/ucSlider.h"
#include "dialogs/frmSettings.h"
#include "dialogs/wfmVolume.h"
#include "platform/BrowseForFolder.h"
#include "platform/KeyedListView.h"
#include "platform/Twips.h"
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

class TestSettingsWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporaryProgramFolder> m_folder;
    std::unique_ptr<frmPlayer> m_window;
    QString m_fav;

    QString ini() const { return m_folder->file(QStringLiteral("skytuner.ini")); }
    QLabel* volumePanel() const { return m_window->statusBar()->panel(QStringLiteral("volume")); }

    // Ctrl+S, then act inside the dialog's modal loop; false when it did not open.
    bool settings(const std::function<void(frmSettings&)>& act)
    {
        bool opened = false;
        QTimer::singleShot(0, this, [&] {
            frmSettings& dialog = frmSettings::instance();
            if ((opened = QTest::qWaitForWindowActive(&dialog)))
                act(dialog);
            dialog.reject();
        });
        QTest::keyClick(m_window->lstStations(), Qt::Key_S, Qt::ControlModifier);
        return opened;
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
        m_fav = m_folder->file(QStringLiteral("Oblíbené.tlist"));
        QVERIFY(TestFolders::writeBytes(m_fav, "[STATION:]A|http://127.0.0.1:9/|0|0|-1|1\r\n"));
        QVERIFY(TestFolders::writeBytes(
            ini(),
            AnsiCodePage::encode(
                QStringLiteral("[PLAYER]\r\nsystray=true\r\nvolume=1\r\nbalance=-60\r\nfav=%1\r\n")
                    .arg(m_fav))));
        m_window = std::make_unique<frmPlayer>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_folder.reset();
        QLocale::setDefault(QLocale::c());
        ResetGlobalState();
    }

    // OK stores the choices and the window follows without a restart.
    void settingsSaved()
    {
        QVERIFY(settings([&](frmSettings& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Nastavení"));
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
        QVERIFY(AnsiCodePage::decode(TestFolders::readBytes(ini()))
                    .endsWith("systray=1\r\nvolume=1\r\nbalance=-60\r\nfav=\r\nanim=1\r\n"
                              "autostart=0\r\nlang=cs\r\n"));
    }

    // Escape and "Zavřít" write nothing; a cancelled file dialog keeps the list.
    void settingsCancelled()
    {
        const QByteArray before = TestFolders::readBytes(ini());
        for (const bool escape : {true, false})
            QVERIFY(settings([&](frmSettings& dialog) {
                QTimer::singleShot(0, dialog.cmdDialog(), &QDialog::reject);
                QTest::mouseClick(dialog.btnFavOpen(), Qt::LeftButton);
                QCOMPARE(dialog.txtFav()->text(), m_fav);
                QTest::keyClick(dialog.chkAutostart(), Qt::Key_Space);
                if (escape)
                    QTest::keyClick(dialog.chkAutostart(), Qt::Key_Escape);
                else
                    QTest::mouseClick(dialog.gbCancel(), Qt::LeftButton);
                QVERIFY(!dialog.isVisible());
            }));
        QCOMPARE(TestFolders::readBytes(ini()), before);
    }

    // Above the panel; the sliders, the keys and the centre button act on the
    // player and the texts (in the user's locale); Escape stores both values.
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
        const auto dark = [&] {
            for (int y = 0; y < centre.height(); ++y)
                for (int x = 0; x < centre.width(); ++x)
                    if (centre.pixelColor(x, y).lightness() < 80)
                        return true;
            return false;
        };
        QVERIFY2(dark(), "btnCenter shows its mark");
        const QRect frame = m_window->frameGeometry();
        QCOMPARE(popup->x(), frame.x() + volumePanel()->x());
        QCOMPARE(popup->frameGeometry().bottom() + 1,
                 m_window->statusBar()->mapToGlobal(QPoint()).y() - Twips::toPixels(50));
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
            QVERIFY(!keyed.isEmpty());
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
        for (int round = 0; round <= keyed.size() && !QTest::currentTestFailed(); ++round) {
            QTimer::singleShot(0, this, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog || !QTest::qWaitForWindowActive(dialog))
                    return;
                if (round == 0)
                    discover(*dialog);
                else if (keyed[round - 1])
                    press(*dialog, keyed[round - 1]);
                dialog->reject();
            });
            if (open.startsWith(u"mnu"))
                m_window->menuItem(open)->trigger();
            else
                QTest::keyClick(m_window->lstStations(), QKeySequence(open)[0].key(),
                                QKeySequence(open)[0].keyboardModifiers());
        }
        setBrowseHandler(browse);
    }
};

QTEST_MAIN(TestSettingsWindows)
#include "tst_settingswindows.moc"
