// The ORX conversion dialog in-process: its texts and heights, and OK converting
// with both buttons disabled and the progress area uncovered (Cancel: in the
// end-to-end test).
#include "TestFolders.h"
#include "common/ModuleError.h"
#include "common/modGlobal.h"
#include "controls/ButtonEx.h"
#include "controls/Container3D.h"
#include "dialogs/frmConvertFile.h"
#include "platform/Twips.h"

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

// Height in twips, whether the progress area is inside the form, the buttons'
// enabled states, the progress text and bar.
QString state()
{
    const QWidget* area = child<Container3D>("Container3D1");
    return QString("%1 %2 %3%4 %5 %6/%7")
        .arg(Twips::fromPixels(frmConvertFile::instance().height()))
        .arg(area->geometry().bottom() < area->parentWidget()->height())
        .arg(child<ButtonEx>("gbOK")->isEnabled())
        .arg(child<ButtonEx>("gbCancel")->isEnabled())
        .arg(child<QLabel>("Label2")->text())
        .arg(child<QProgressBar>("ProgressBar1")->value())
        .arg(child<QProgressBar>("ProgressBar1")->maximum());
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
        QCOMPARE(frmConvertFile::instance().windowTitle(), QString("Převod formátu"));
        QCOMPARE(child<QLabel>("Label1")->text(),
                 QString("Byly nalezeny seznamy stanic ve sterém formátu skyTuner. Chcete tyto "
                         "soubory převést na nový formát?"));
        QCOMPARE(child<QCheckBox>("Check1")->text(), QString("&Již nezobrazovat"));
        QCOMPARE(child<QCheckBox>("Check1")->toolTip(),
                 QString("Nezobrazí tento dialog při novém nálezu souboru ve starém formátu"));
        QCOMPARE(state(), QString("1710 0 11 Probíhá převod... -1/100"));
    }

    // A failed conversion's message comes during the run: the test looks then.
    void okConvertsAndDeletesTheConvertedSources()
    {
        QString during;
        modGlobal::ShowErrorsFlag = true;
        ModuleError::setPresenter([&](const QString&) { during = state(); });
        QTimer::singleShot(0, [] { QTest::mouseClick(child<ButtonEx>("gbOK"), Qt::LeftButton); });
        frmConvertFile::instance().exec();
        ModuleError::setPresenter({});
        QCOMPARE(during, QString("2430 1 00 Probíhá převod... 1/2"));
        QCOMPARE(QDir(m_home->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"a.tlist", "b.orx", "b.tlist"}));
    }
};

QTEST_MAIN(TestFrmConvertFile)
#include "tst_frmconvertfile.moc"
