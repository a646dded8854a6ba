#include "player/DefaultStationList.h"

#include "common/Logging.h"
#include "common/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace DefaultStationList {

QString Path(const QString& folder)
{
    return QDir(folder).filePath(QLatin1String(FileName));
}

bool Install(const QString& folder)
{
    const QString target = Path(folder);
    if (QFileInfo::exists(target))
        return true;
    // The installed data folder's copy (a packager may ship another list), else
    // the one built into the program.
    const QString shipped = QDir(ProgramFolder::dataPath()).filePath(QLatin1String(FileName));
    QFile source(QFileInfo::exists(shipped) ? shipped
                                            : QStringLiteral(":/") + QLatin1String(FileName));
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    // NewOnly: a file that appears meanwhile is not overwritten either.
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        file.write(bytes) != bytes.size()) {
        qCWarning(lcPlayer) << "could not write the default station list" << target;
        if (file.isOpen()) {
            file.close();
            file.remove();
        }
        return false;
    }
    return true;
}

} // namespace DefaultStationList
