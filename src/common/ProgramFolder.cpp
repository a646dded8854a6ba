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

QString normalise(QString path)
{
    return path.replace(u'\\', u'/');
}

QString executableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

// The data folder of an installed program, found from the executable's folder
// by the install layout's relative path; empty when it is not there.
QString installedDataFolder()
{
    const QString folder =
        QDir::cleanPath(executableFolder() + QStringLiteral("/" SKYTUNER_DATA_FROM_BIN));
    return QFileInfo(folder).isDir() ? folder : QString();
}

QString computeDefault()
{
    const QString exeDir = executableFolder();
    if (installedDataFolder().isEmpty() && !exeDir.isEmpty() && QFileInfo(exeDir).isWritable())
        return exeDir;
    // An installed program: keep the user's files in the user's data folder.
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
    const QString normalised = normalise(relativePath);
    if (QDir::isAbsolutePath(normalised))
        return normalised;
    return path() + u'/' + normalised;
}

QString dataPath()
{
    static const QString folder = [] {
        const QString installed = installedDataFolder();
        return installed.isEmpty() ? executableFolder() : installed;
    }();
    return folder;
}

QString resolveData(const QString& relativePath)
{
    const QString own = resolve(relativePath);
    if (QDir::isAbsolutePath(normalise(relativePath)) || QFileInfo::exists(own))
        return own;
    return QDir::cleanPath(dataPath() + u'/' + normalise(relativePath));
}

} // namespace ProgramFolder
