#include "dialogs/frmPlayURL.h"

#include "common/modGlobal.h"
#include "controls/ButtonEx.h"
#include "dialogs/DialogHost.h"
#include "dialogs/DialogParts.h"
#include "dialogs/logic/PlayURLLogic.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

frmPlayURL& frmPlayURL::instance()
{
    return DialogParts::single<frmPlayURL>([](QWidget* parent) { return new frmPlayURL(parent); });
}

frmPlayURL::frmPlayURL(QWidget* parent) : KeyPreviewDialog(parent)
{
    setObjectName(QStringLiteral("frmPlayURL"));
    setWindowTitle(QStringLiteral("Přehrát URL stanice"));

    m_label = new QLabel(QStringLiteral("&Adresa stanice:"), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_url = new QLineEdit(this);
    m_url->setObjectName(QStringLiteral("txtStationURL"));
    m_url->setMinimumWidth(360);
    m_label->setBuddy(m_url);
    m_ok = DialogParts::button(this, "gbOK", QStringLiteral("&OK"));
    m_cancel = DialogParts::button(this, "gbCancel", QStringLiteral("&Storno"));
    connect(m_ok, &ButtonEx::Click, this, &frmPlayURL::gbOK_Click);
    connect(m_cancel, &ButtonEx::Click, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_url);
    layout->addLayout(buttons);
    setDefaultButton(m_ok); // Enter in the address plays it
    setTabOrder(m_url, m_ok);
    setTabOrder(m_ok, m_cancel);
}

int frmPlayURL::exec()
{
    m_url->clear();
    m_url->setFocus();
    return KeyPreviewDialog::exec();
}

bool frmPlayURL::eventFilter(QObject* watched, QEvent* event)
{
    // Selected on every focus, so that typing replaces the address; after the
    // press that gave the focus, which would place the caret. (The key preview
    // filter sees the events of every object.)
    if (watched == m_url && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_url, &QLineEdit::selectAll);
    return KeyPreviewDialog::eventFilter(watched, event);
}

void frmPlayURL::gbOK_Click()
{
    if (DialogHost* host = DialogHost::current())
        PlayURLLogic(host->WMP(), modGlobal::CurrentURL).accept(m_url->text());
    accept();
}
