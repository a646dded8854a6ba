#include "common/clsFunctionLib.h"

#include "common/TextFileEncoding.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <unistd.h>

namespace {

constexpr qint64 ChunkBytes = 64 * 1024;

bool hasWildcard(const QString& name)
{
    return name.contains(u'*') || name.contains(u'?');
}

// How the file about to be replaced reads, so that a UTF-8 file stays UTF-8. Read
// in pieces for bounded memory, and only until a byte rules UTF-8 out.
TextFileEncoding::Encoding existingEncoding(const QString& path)
{
    TextFileEncoding::Detector detector;
    QFile file(path);
    if (QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly)) {
        while (!detector.ruledOut()) {
            const QByteArray chunk = file.read(ChunkBytes);
            if (chunk.isEmpty())
                break;
            detector.add(chunk);
        }
    }
    return detector.encoding();
}

} // namespace

QString clsFunctionLib::FNC_GetFileContent(const QString& iFilePath) const
{
    return FNC_ReadFileText(iFilePath).value_or(QString());
}

std::optional<QString> clsFunctionLib::FNC_ReadFileText(const QString& iFilePath,
                                                        qint64 iMaxBytes) const
{
    // Only regular files: a FIFO or a device would block or never end.
    if (iFilePath.isEmpty() || !QFileInfo(iFilePath).isFile())
        return std::nullopt;
    QFile file(iFilePath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > iMaxBytes)
        return std::nullopt;
    // Read one byte past the limit: some files (in /proc) report no size.
    const QByteArray bytes = file.read(iMaxBytes + 1);
    if (bytes.size() > iMaxBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return TextFileEncoding::decode(bytes);
}

QString clsFunctionLib::FNC_GetFileHead(const QString& iFilePath, int iMaxLines,
                                        qint64 iMaxBytes) const
{
    if (iFilePath.isEmpty() || iMaxLines <= 0 || !QFileInfo(iFilePath).isFile())
        return {};
    QFile file(iFilePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes;
    int lines = 0;
    while (lines < iMaxLines && bytes.size() < iMaxBytes) {
        const QByteArray chunk = file.read(qMin(ChunkBytes, iMaxBytes - bytes.size()));
        if (chunk.isEmpty())
            return TextFileEncoding::decode(bytes); // the end of the file
        qsizetype from = 0;
        while (lines < iMaxLines) {
            const qsizetype lineFeed = chunk.indexOf('\n', from);
            if (lineFeed < 0)
                break;
            ++lines;
            from = lineFeed + 1;
        }
        bytes.append(lines < iMaxLines ? chunk : chunk.left(from));
    }
    if (lines < iMaxLines && !file.atEnd()) {
        // The byte limit cut the last line: leave it out rather than read half of it.
        // A line feed never sits inside a UTF-8 sequence, so no cut sequence is left
        // to turn a UTF-8 file into Windows-1250.
        bytes.truncate(bytes.lastIndexOf('\n') + 1);
    }
    return TextFileEncoding::decode(bytes);
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
    if (const QFileInfo target(iFilePath);
        (target.exists() || target.isSymLink()) && !target.isFile())
        return false;
    QByteArray bytes = TextFileEncoding::encode(iContent, existingEncoding(iFilePath));
    bytes.append("\r\n");
    QSaveFile file(iFilePath);
    // Unbuffered: Qt 6.4's commit() ignores an error while flushing its buffer,
    // so a full disk would rename a truncated file over the old one. Written
    // directly, a short write shows in the count below.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

int clsFunctionLib::FNC_RemoveStaleTemporaries(const QString& iFilePath) const
{
    const QFileInfo target(iFilePath);
    // QSaveFile's temporaries: the name, a dot and six letters or digits.
    const QRegularExpression temporary(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(target.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDateTime stale = QDateTime::currentDateTime().addSecs(-60);
    int removed = 0;
    for (const QFileInfo& file :
         target.dir().entryInfoList({target.fileName() + QStringLiteral(".*")},
                                    QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
        if (temporary.match(file.fileName()).hasMatch() && file.ownerId() == getuid() &&
            file.lastModified() < stale && QFile::remove(file.filePath()))
            ++removed;
    }
    return removed;
}

QString clsFunctionLib::FNC_AddPathSlashes(const QString& iPath) const
{
    if (iPath.isEmpty() || iPath.endsWith(u'/') || iPath.endsWith(u'\\'))
        return iPath;
    return iPath + QDir::separator();
}
