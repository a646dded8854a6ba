#include "common/clsFunctionLib.h"

#include "platform/AnsiCodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool hasWildcard(const QString& name)
{
    return name.contains(u'*') || name.contains(u'?');
}

} // namespace

QString clsFunctionLib::FNC_GetFileContent(const QString& iFilePath) const
{
    if (iFilePath.isEmpty() || !QFileInfo(iFilePath).isFile())
        return {};
    QFile file(iFilePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return AnsiCodePage::decode(file.readAll());
}

bool clsFunctionLib::FNC_FileExist(const QString& iFilePath) const
{
    if (iFilePath.isEmpty())
        return false;
    const QFileInfo info(iFilePath);
    const QString name = info.fileName();
    if (hasWildcard(name)) {
        const QDir folder = info.dir();
        return !folder.entryList({name}, QDir::Files | QDir::CaseSensitive).isEmpty();
    }
    return info.isFile() && !name.startsWith(u'.');
}

bool clsFunctionLib::FNC_FolderExist(const QString& iFolderPath) const
{
    if (iFolderPath.isEmpty())
        return false;
    const QFileInfo info(iFolderPath);
    return info.isDir() && info.isExecutable();
}

bool clsFunctionLib::FNC_SaveDataContent(const QString& iContent, const QString& iFilePath) const
{
    if (iFilePath.isEmpty())
        return true;
    QSaveFile file(iFilePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes = AnsiCodePage::encode(iContent);
    bytes.append("\r\n");
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString clsFunctionLib::FNC_AddPathSlashes(const QString& iPath) const
{
    if (iPath.isEmpty() || iPath.endsWith(u'/') || iPath.endsWith(u'\\'))
        return iPath;
    return iPath + QDir::separator();
}
