#include "platform/WaitCursor.h"

#include <QApplication>

WaitCursor::WaitCursor()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_shown = true;
    }
}

WaitCursor::~WaitCursor()
{
    if (m_shown && qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::restoreOverrideCursor();
}
