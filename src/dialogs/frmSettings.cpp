#include "dialogs/frmSettings.h"

#include "common/modGlobal.h"
#include "controls/ButtonEx.h"
#include "controls/LumenButton.h"
#include "controls/z3DLine.h"
#include "dialogs/DialogHost.h"
#include "dialogs/DialogParts.h"
#include "dialogs/logic/SettingsLogic.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// imglLang's first image: the Czech flag.
QIcon czechFlag()
{
    QPixmap flag(24, 16);
    QPainter painter(&flag);
    painter.fillRect(0, 0, 24, 8, Qt::white);
    painter.fillRect(0, 8, 24, 8, QColor(0xd7, 0x14, 0x1a));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x11, 0x45, 0x7e));
    const QPoint wedge[] = {{0, 0}, {12, 8}, {0, 16}};
    painter.drawPolygon(wedge, 3);
    return QIcon(flag);
}

// A picture push button for the favourite list's row.
LumenButton* pictureButton(QWidget* parent, const char* name, QStyle::StandardPixmap picture,
                           const QString& accessibleName)
{
    auto* button = new LumenButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setMaskColor(0xFF00FF); // the default mask, black, would cut out the outlines
    button->setPicture(parent->style()->standardIcon(picture).pixmap(16, 16));
    button->setAccessibleName(accessibleName);
    button->setToolTip(accessibleName);
    button->setFixedSize(24, 22);
    return button;
}

} // namespace

frmSettings& frmSettings::instance()
{
    return DialogParts::single<frmSettings>(
        [](QWidget* parent) { return new frmSettings(parent); });
}

frmSettings::frmSettings(QWidget* parent) : KeyPreviewDialog(parent)
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Nastavení"));

    auto* frame = new QGroupBox(QStringLiteral("Hlavní"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    m_anim = new QCheckBox(QStringLiteral("&Animovat ikonu během přehrávání"), frame);
    m_anim->setObjectName(QStringLiteral("chkAnim"));
    m_minTray =
        new QCheckBox(QStringLiteral("&Minimalizovat program do oznamovací oblasti"), frame);
    m_minTray->setObjectName(QStringLiteral("chkMinTray"));
    m_autoStart =
        new QCheckBox(QStringLiteral("&Spustit při startu poslední přehrávané rádio"), frame);
    m_autoStart->setObjectName(QStringLiteral("chkAutostart"));
    auto* checks = new QVBoxLayout(frame);
    for (QCheckBox* check : {m_anim, m_minTray, m_autoStart})
        checks->addWidget(check);

    auto* favCaption = new QLabel(QStringLiteral("&Oblíbený seznam stanic:"), this);
    favCaption->setObjectName(QStringLiteral("lblCaptFav"));
    m_fav = new QLineEdit(this);
    m_fav->setObjectName(QStringLiteral("txtFav"));
    favCaption->setBuddy(m_fav);
    m_favOpen = pictureButton(this, "btnFavOpen", QStyle::SP_DialogOpenButton,
                              QStringLiteral("Vybrat oblíbený seznam stanic"));
    m_favNo = pictureButton(this, "btnFavNo", QStyle::SP_DialogDiscardButton,
                            QStringLiteral("Bez oblíbeného seznamu stanic"));
    connect(m_favOpen, &LumenButton::Click, this, &frmSettings::btnFavOpen_Click);
    connect(m_favNo, &LumenButton::Click, m_fav, &QLineEdit::clear);

    auto* langCaption = new QLabel(QStringLiteral("&Jazyk aplikace:"), this);
    langCaption->setObjectName(QStringLiteral("Label1"));
    m_lang = new QComboBox(this);
    m_lang->setObjectName(QStringLiteral("imgcLang"));
    m_lang->setIconSize(QSize(24, 16));
    m_lang->addItem(czechFlag(), SettingsLogic::languageText(), SettingsLogic::languageKey());
    langCaption->setBuddy(m_lang);
    m_lang->view()->setAccessibleName(QStringLiteral("Jazyky aplikace")); // its drop-down list

    m_fileDialog = new QFileDialog(this, QStringLiteral("Vyberte oblíbený seznam stanic"));
    m_fileDialog->setObjectName(QStringLiteral("cmdDialog"));
    m_fileDialog->setFileMode(QFileDialog::ExistingFile);
    m_fileDialog->setNameFilter(QStringLiteral("Seznamy stanic skyTuner (*.tlist)"));
    m_fileDialog->setOption(QFileDialog::DontUseNativeDialog); // the same dialog everywhere

    m_ok = DialogParts::button(this, "gbOK", QStringLiteral("&Uložit a zavřít"));
    m_ok->setFixedSize(110, 24); // wider than the control's own size: its caption is long
    m_cancel = DialogParts::button(this, "gbCancel", QStringLiteral("&Zavřít"));
    setDefaultButton(m_ok);
    connect(m_ok, &ButtonEx::Click, this, &frmSettings::gbOK_Click);
    connect(m_cancel, &ButtonEx::Click, this, &QDialog::reject);

    auto* favRow = new QHBoxLayout;
    favRow->addWidget(m_fav);
    favRow->addWidget(m_favOpen);
    favRow->addWidget(m_favNo);
    auto* langRow = new QHBoxLayout;
    langRow->addWidget(langCaption);
    langRow->addWidget(m_lang, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(new z3DLine(this));
    layout->addWidget(favCaption);
    layout->addLayout(favRow);
    layout->addWidget(new z3DLine(this));
    layout->addLayout(langRow);
    layout->addLayout(buttons);
    resize(317, 245); // 4755 x 3675 twips, or what the texts need

    QWidget* order[] = {m_anim,  m_minTray, m_autoStart, m_fav,   m_favOpen,
                        m_favNo, m_lang,    m_ok,        m_cancel};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

int frmSettings::exec()
{
    const SettingsLogic::Choices stored = SettingsLogic::load();
    m_anim->setChecked(stored.anim);
    m_minTray->setChecked(stored.minTray);
    m_autoStart->setChecked(stored.autoStart);
    m_fav->setText(stored.fav);
    m_lang->setCurrentIndex(0); // the stored "lang" is not read
    m_anim->setFocus();
    return KeyPreviewDialog::exec();
}

void frmSettings::btnFavOpen_Click()
{
    m_fileDialog->selectFile(QString());
    if (m_fileDialog->exec() != QDialog::Accepted)
        return; // cancelled: the text stays
    const QStringList chosen = m_fileDialog->selectedFiles();
    if (!chosen.isEmpty() && !chosen.first().isEmpty())
        m_fav->setText(chosen.first());
}

void frmSettings::gbOK_Click()
{
    SettingsLogic(modGlobal::AnimFlag, modGlobal::TrayFlag, modGlobal::FavListFile)
        .accept(
            {m_anim->isChecked(), m_minTray->isChecked(), m_autoStart->isChecked(), m_fav->text()});
    accept();
}
