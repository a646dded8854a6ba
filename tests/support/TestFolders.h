// Fixture paths and a temporary program folder for tests.
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace TestFolders {

// A file under tests/data.
QString dataFile(const QString& name);

// The bytes of a file (empty when missing).
QByteArray readBytes(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);

} // namespace TestFolders

// Sets an environment variable for the life of the object; the previous value,
// or its absence, comes back on destruction.
struct EnvironmentOverride
{
    EnvironmentOverride(const char* name, const QByteArray& value)
        : name(name), old(qgetenv(name)), wasSet(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~EnvironmentOverride() { wasSet ? qputenv(name, old) : qunsetenv(name); }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;
    const char* name;
    QByteArray old;
    bool wasSet;
};

// A fresh program folder for the lifetime of the object: SKYTUNER_HOME points at it.
class TemporaryProgramFolder
{
public:
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    EnvironmentOverride m_home{"SKYTUNER_HOME", m_dir.path().toLocal8Bit()};
};
