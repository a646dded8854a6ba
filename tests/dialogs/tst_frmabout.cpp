// The about box in-process, opened from the product menu: the versions, the
// pictures and information lines, and closing it.
#include "TestFolders.h"
#include "common/Version.h"
#include "controls/ButtonEx.h"
#include "dialogs/frmAbout.h"
#include "player/frmPlayer.h"
#include "stream/MediaPlayer.h"

#include <QAction>
#include <QLabel>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestFrmAbout : public QObject
{
    Q_OBJECT

    TemporaryProgramFolder m_folder;

    // Opens the box from the menu, acts, and tells whether it closed.
    static bool run(frmPlayer& window, const std::function<void(frmAbout&)>& act)
    {
        bool closed = false;
        QTimer::singleShot(0, [&] {
            frmAbout& about = frmAbout::instance();
            if (QTest::qWaitForWindowActive(&about))
                act(about);
            closed = !about.isVisible();
            about.reject();
        });
        window.menuItem("mnuSK_About")->trigger();
        return closed;
    }

private Q_SLOTS:
    void textsAndWaysOut()
    {
        QCOMPARE(Version::numberText(1, 10, 7), u"1.10.7"_s);
        frmPlayer window;
        window.show();
        QVERIFY(run(window, [&](frmAbout& about) {
            QCOMPARE(about.lblVerApp()->text(), QLatin1String(Version::Number));
            QCOMPARE(about.lblVerWMP()->text(), window.WMP().versionInfo());
            QVERIFY(about.lblVerWMP()->text().startsWith(u"GStreamer 1."_s));
            QCOMPARE(about.findChild<QLabel*>("Label1")->text(), u"Verze skyTuner:"_s);
            QCOMPARE(about.findChild<QLabel*>("Label3")->text(), u"Verze WMP:"_s);
            QVERIFY(about.findChild<QLabel*>("lblLicence")->text().contains(u"GNU GPL"_s));
            QVERIFY(about.findChild<QLabel*>("lblWeb")->text().contains(Version::ProjectAddress));
            QVERIFY(!about.findChild<QLabel*>("pctSplash")->pixmap().isNull());
            QCOMPARE(about.focusWidget(), about.gbClose());
            QTest::mouseClick(about.gbClose(), Qt::LeftButton);
        }));
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return})
            QVERIFY(run(window, [key](frmAbout& about) { QTest::keyClick(&about, key); }));
    }
};

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
