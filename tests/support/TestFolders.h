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

// A fresh program folder for the lifetime of the object: SKYTUNER_HOME points at
// it, and the previous value comes back on destruction.
class TemporaryProgramFolder
{
public:
    TemporaryProgramFolder();
    ~TemporaryProgramFolder();
    TemporaryProgramFolder(const TemporaryProgramFolder&) = delete;
    TemporaryProgramFolder& operator=(const TemporaryProgramFolder&) = delete;

    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious;
};
