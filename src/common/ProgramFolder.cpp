#include "common/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString stripSeparator(QString path)
{
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return path;
}

QString executableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

QString computeDefault()
{
    const QString exeDir = executableFolder();
    if (!exeDir.isEmpty() && QFileInfo(exeDir).isWritable())
        return exeDir;
    // A system-wide install: keep the user's files in the user's data folder.
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    const QString folder = dataHome + QStringLiteral("/skytuner");
    QDir().mkpath(folder);
    return folder;
}

} // namespace

namespace ProgramFolder {

QString path()
{
    const QString home = qEnvironmentVariable("SKYTUNER_HOME");
    if (!home.isEmpty())
        return stripSeparator(home);
    static const QString folder = stripSeparator(computeDefault());
    return folder;
}

QString resolve(const QString& relativePath)
{
    QString normalised = relativePath;
    normalised.replace(u'\\', u'/');
    if (QDir::isAbsolutePath(normalised))
        return normalised;
    return path() + u'/' + normalised;
}

} // namespace ProgramFolder
