#include "platform/BrowseForFolder.h"

#include <QDir>
#include <QFileDialog>

#include <utility>

namespace modGlobal {

namespace {
BrowseHandler g_handler;
}

QString BrowseForFolder(QWidget* owner)
{
    if (g_handler)
        return g_handler(owner);
    const QString folder = QFileDialog::getExistingDirectory(
        owner, QStringLiteral("Vyberte adresář"), QString(), QFileDialog::ShowDirsOnly);
    return QDir::toNativeSeparators(folder);
}

BrowseHandler setBrowseHandler(BrowseHandler handler)
{
    return std::exchange(g_handler, std::move(handler));
}

} // namespace modGlobal
