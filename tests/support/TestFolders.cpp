#include "TestFolders.h"

#include <QFile>

namespace TestFolders {

QString dataFile(const QString& name)
{
    return QStringLiteral(SKYTUNER_TEST_DATA "/") + name;
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace TestFolders
