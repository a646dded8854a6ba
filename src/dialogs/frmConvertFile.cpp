#include "dialogs/frmConvertFile.h"

#include "common/Logging.h"
#include "common/ProgramFolder.h"
#include "controls/ButtonEx.h"
#include "controls/Container3D.h"
#include "dialogs/DialogParts.h"
#include "dialogs/logic/ConvertFileLogic.h"
#include "platform/Twips.h"
#include "platform/WaitCursor.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>

#include <exception>

namespace {

constexpr int Width = 5640; // twips

int px(double twips)
{
    return Twips::toPixels(twips);
}

template <typename Widget> Widget* placed(Widget* widget, const char* name, QRect twips)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
    return widget;
}

} // namespace

frmConvertFile& frmConvertFile::instance()
{
    // It opens before the main window is shown, so it has no owner window.
    return DialogParts::single<frmConvertFile>([](QWidget*) { return new frmConvertFile; });
}

frmConvertFile::frmConvertFile(QWidget* parent) : KeyPreviewDialog(parent)
{
    setObjectName(QStringLiteral("frmConvertFile"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Převod formátu"));

    m_image1 = placed(new QLabel(this), "Image1", {120, 120, 480, 480});
    m_image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    m_label1 = placed(new QLabel(this), "Label1", {720, 120, 4800, 510});
    m_label1->setWordWrap(true);
    m_label1->setText(QStringLiteral("Byly nalezeny seznamy stanic ve sterém formátu skyTuner. "
                                     "Chcete tyto soubory převést na nový formát?"));
    // Its state is read nowhere: the dialog comes back at every start that finds
    // ORX files, whatever was ticked.
    m_check1 = placed(new QCheckBox(this), "Check1", {720, 720, 2700, 300});
    m_check1->setText(QStringLiteral("&Již nezobrazovat"));
    m_check1->setToolTip(
        QStringLiteral("Nezobrazí tento dialog při novém nálezu souboru ve starém formátu"));
    m_gbOK = placed(new ButtonEx(this), "gbOK", {3000, 1140, 1200, 375});
    m_gbOK->setCaption(QStringLiteral("&OK"));
    m_gbCancel = placed(new ButtonEx(this), "gbCancel", {4320, 1140, 1200, 375});
    m_gbCancel->setCaption(QStringLiteral("&Storno"));

    m_container3D1 = placed(new Container3D(this), "Container3D1", {120, 1800, 5400, 540});
    m_container3D1->setCtrlEffect(3);
    m_container3D1->setAccessibleName(QStringLiteral("Průběh převodu"));
    m_label2 = placed(new QLabel(m_container3D1), "Label2", {90, 45, 5220, 225});
    m_label2->setText(QStringLiteral("Probíhá převod..."));
    m_progressBar1 = placed(new QProgressBar(m_container3D1), "ProgressBar1", {90, 300, 5220, 180});
    m_progressBar1->setTextVisible(false);
    m_progressBar1->setAccessibleName(QStringLiteral("Převedené soubory"));

    setDefaultButton(m_gbOK);
    connect(m_gbOK, &ButtonEx::Click, this, &frmConvertFile::gbOK_Click);
    connect(m_gbCancel, &ButtonEx::Click, this, &QDialog::reject);
    Form_Load();
}

void frmConvertFile::Form_Load()
{
    setFixedSize(px(Width), px(QuestionHeight));
}

void frmConvertFile::gbOK_Click()
{
    setFixedHeight(px(ConvertingHeight));
    m_gbOK->setEnabled(false);
    m_gbCancel->setEnabled(false);
    {
        const WaitCursor wait;
        ConvertFileLogic logic(ProgramFolder::path());
        try {
            logic.run([&] {
                m_progressBar1->setMaximum(logic.maximum());
                m_progressBar1->setValue(logic.value());
                repaint();
            });
        } catch (const std::exception& error) {
            // The dialog still closes; sources not yet deleted stay.
            qCWarning(lcDialogs) << "ORX conversion stopped:" << error.what();
        }
        qCInfo(lcDialogs) << logic.converted().size() << "ORX files converted";
    }
    accept();
}
