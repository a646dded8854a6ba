#include "platform/BrowseForFolder.h"

#include <QDir>
#include <QFileDialog>

namespace modGlobal {

QString BrowseForFolder(QWidget* owner)
{
    const QString folder = QFileDialog::getExistingDirectory(
        owner, QStringLiteral("Vyberte adresář"), QString(), QFileDialog::ShowDirsOnly);
    return QDir::toNativeSeparators(folder);
}

} // namespace modGlobal
