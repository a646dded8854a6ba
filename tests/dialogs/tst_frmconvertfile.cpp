// The ORX conversion dialog in-process: its texts and heights, OK converting
// with both buttons disabled and the progress area uncovered, Cancel leaving
// every file.
#include "TestFolders.h"
#include "common/ModuleError.h"
#include "common/modGlobal.h"
#include "controls/ButtonEx.h"
#include "controls/Container3D.h"
#include "dialogs/frmConvertFile.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QtTest>

namespace {

template <typename T> T* child(const char* name)
{
    return frmConvertFile::instance().findChild<T*>(QLatin1String(name));
}

// Shows the dialog and clicks one of its buttons once it runs.
void execAndClick(const char* button)
{
    QTimer::singleShot(0, [button] { QTest::mouseClick(child<ButtonEx>(button), Qt::LeftButton); });
    frmConvertFile::instance().exec();
}

} // namespace

class TestFrmConvertFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporaryProgramFolder> m_home;

private Q_SLOTS:
    void init()
    {
        m_home.reset(); // gives SKYTUNER_HOME back before the next one takes it
        m_home = std::make_unique<TemporaryProgramFolder>();
        for (const char* name : {"a.orx", "b.orx"})
            QVERIFY(TestFolders::writeBytes(
                m_home->file(name), "<RADIOSTATION><STATIONNAME>A</STATIONNAME>"
                                    "<STATIONURL>http://127.0.0.1/a</STATIONURL></RADIOSTATION>"));
        QVERIFY(QDir(m_home->path()).mkdir("b.tlist")); // b.orx cannot be converted
    }

    void showsTheQuestion()
    {
        frmConvertFile& dialog = frmConvertFile::instance();
        QCOMPARE(dialog.windowTitle(), QString("Převod formátu"));
        QCOMPARE(child<QLabel>("Label1")->text(),
                 QString("Byly nalezeny seznamy stanic ve sterém formátu skyTuner. Chcete tyto "
                         "soubory převést na nový formát?"));
        QCOMPARE(child<QCheckBox>("Check1")->text(), QString("Již nezobrazovat"));
        QCOMPARE(child<QCheckBox>("Check1")->toolTip(),
                 QString("Nezobrazí tento dialog při novém nálezu souboru ve starém formátu"));
        QCOMPARE(dialog.height(), Twips::toPixels(1710));
        QVERIFY(child<Container3D>("Container3D1")->y() >= dialog.height());
        delete &dialog;
    }

    // A failed conversion's message comes during the run: the test looks then.
    void okConvertsAndDeletesTheConvertedSources()
    {
        QStringList during;
        modGlobal::ShowErrorsFlag = true;
        ModuleError::setPresenter([&](const QString&) {
            const QWidget* area = child<Container3D>("Container3D1");
            during << QString::number(frmConvertFile::instance().height())
                   << QString::number(area->geometry().bottom() < area->parentWidget()->height())
                   << QString::number(child<ButtonEx>("gbOK")->isEnabled())
                   << QString::number(child<ButtonEx>("gbCancel")->isEnabled())
                   << child<QLabel>("Label2")->text()
                   << QString::number(child<QProgressBar>("ProgressBar1")->value())
                   << QString::number(child<QProgressBar>("ProgressBar1")->maximum());
        });
        execAndClick("gbOK");
        ModuleError::setPresenter({});
        QCOMPARE(during, QStringList({QString::number(Twips::toPixels(2430)), "1", "0", "0",
                                      "Probíhá převod...", "1", "2"}));
        QVERIFY(QFile::exists(m_home->file("a.tlist")));
        QVERIFY(!QFile::exists(m_home->file("a.orx")));
        QVERIFY(QFile::exists(m_home->file("b.orx")));
    }

    void cancelLeavesEveryFile()
    {
        child<QCheckBox>("Check1")->setChecked(true);
        execAndClick("gbCancel");
        QCOMPARE(QDir(m_home->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"a.orx", "b.orx", "b.tlist"}));
        QVERIFY(!child<QCheckBox>("Check1")->isChecked()); // a new dialog; the tick is kept nowhere
    }
};

QTEST_MAIN(TestFrmConvertFile)
#include "tst_frmconvertfile.moc"
