#include "dialogs/frmAbout.h"

#include "common/Version.h"
#include "controls/ButtonEx.h"
#include "dialogs/DialogHost.h"
#include "dialogs/DialogParts.h"
#include "platform/ShellOpen.h"
#include "stream/MediaPlayer.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>

using DialogParts::label;

namespace {

QLabel* picture(QWidget* parent, const char* name, const QString& file, QSize size)
{
    QLabel* picture = label(parent, name);
    picture->setPixmap(QIcon(file).pixmap(size));
    return picture;
}

} // namespace

frmAbout& frmAbout::instance()
{
    return DialogParts::single<frmAbout>([](QWidget* parent) { return new frmAbout(parent); });
}

frmAbout::frmAbout(QWidget* parent) : KeyPreviewDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("O programu"));

    QLabel* splash = picture(this, "pctSplash", QStringLiteral(":/images/splash.svg"), {200, 150});
    splash->setAccessibleName(QStringLiteral("skyTuner"));
    QLabel* logo = picture(this, "Picture1", QStringLiteral(":/images/about_logo.svg"), {32, 32});
    QLabel* title = label(this, "lblTitle", QStringLiteral("<b>skyTuner</b>"));
    QLabel* appCaption = label(this, "Label1", QStringLiteral("Verze skyTuner:"));
    m_verApp = label(this, "lblVerApp");
    appCaption->setBuddy(m_verApp);
    QLabel* playerCaption = label(this, "Label3", QStringLiteral("Verze WMP:"));
    m_verWMP = label(this, "lblVerWMP");
    playerCaption->setBuddy(m_verWMP);
    QLabel* licence = label(this, "lblLicence",
                            QStringLiteral("Svobodný program šířený pod licencí GNU GPL "
                                           "verze 3 nebo pozdější (soubor LICENSE)."));
    licence->setWordWrap(true);
    const QString address = QLatin1String(Version::ProjectAddress);
    QLabel* web =
        label(this, "lblWeb", QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()));
    web->setAccessibleName(address);
    web->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(web, &QLabel::linkActivated, this,
            [](const QString& link) { ShellOpen::openAddress(link); });
    QLabel* owner = label(this, "lblOwner", QStringLiteral("© Autoři programu skyTuner"));

    m_close = DialogParts::button(this, "gbClose", QStringLiteral("&Zavřít"));
    connect(m_close, &ButtonEx::Click, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(splash, 0, 0, 7, 1, Qt::AlignTop);
    layout->addWidget(logo, 0, 1);
    layout->addWidget(title, 0, 2);
    layout->addWidget(appCaption, 1, 1);
    layout->addWidget(m_verApp, 1, 2);
    layout->addWidget(playerCaption, 2, 1);
    layout->addWidget(m_verWMP, 2, 2);
    layout->addWidget(licence, 3, 1, 1, 2);
    layout->addWidget(web, 4, 1, 1, 2);
    layout->addWidget(owner, 5, 1, 1, 2);
    layout->addWidget(m_close, 6, 2, Qt::AlignRight | Qt::AlignBottom);
    layout->setColumnStretch(2, 1);
    setTabOrder(m_close, web);
}

int frmAbout::exec()
{
    m_verApp->setText(Version::text());
    DialogHost* host = DialogHost::current();
    m_verWMP->setText(host ? host->WMP().versionInfo() : QString());
    m_close->setFocus();
    return KeyPreviewDialog::exec();
}
