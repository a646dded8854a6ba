#include "services/frmInternal.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

frmInternal::frmInternal(QWidget* parent)
    : QWidget(parent), Timer1(new QTimer(this)),
      cmdOk(new QPushButton(QStringLiteral("&Ok"), this)), Label1(new QLabel(this)),
      mPopup(new QMenu(QStringLiteral("Popup"), this)),
      mAbout(mPopup->addAction(QStringLiteral("About")))
{
    setObjectName(QStringLiteral("frmInternal"));
    setWindowTitle(QStringLiteral("About SystrayDll"));
    setWindowIcon(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon));
    mPopup->setObjectName(QStringLiteral("mPopup"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(cmdOk, 0, Qt::AlignHCenter);
    // An "Ok" button that leaves its window open would strand the user there.
    connect(cmdOk, &QPushButton::clicked, this, &QWidget::close);

    Timer1->setInterval(1000);
    Timer1->start();
}
