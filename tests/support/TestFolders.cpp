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
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace TestFolders

TemporaryProgramFolder::TemporaryProgramFolder()
    : m_previous(qgetenv("SKYTUNER_HOME")),
      m_hadPrevious(qEnvironmentVariableIsSet("SKYTUNER_HOME"))
{
    qputenv("SKYTUNER_HOME", m_dir.path().toLocal8Bit());
}

TemporaryProgramFolder::~TemporaryProgramFolder()
{
    if (m_hadPrevious)
        qputenv("SKYTUNER_HOME", m_previous);
    else
        qunsetenv("SKYTUNER_HOME");
}
