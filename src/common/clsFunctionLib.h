// Stateless file operations; every failure is reported only through the result.
#pragma once

#include <QString>

#include <optional>

class clsFunctionLib
{
public:
    // The largest file FNC_GetFileContent reads; larger ones count as a failure.
    static constexpr qint64 MaxContentBytes = 64 * 1024 * 1024;

    // The whole file decoded (UTF-8 or Windows-1250, common/TextFileEncoding.h),
    // or empty text on any failure (missing, unreadable, not a regular file, over
    // MaxContentBytes).
    QString FNC_GetFileContent(const QString& iFilePath) const;

    // As FNC_GetFileContent, but tells a failure (nothing) from an empty file.
    std::optional<QString> FNC_ReadFileText(const QString& iFilePath,
                                            qint64 iMaxBytes = MaxContentBytes) const;

    // The first iMaxLines lines of the file (a line ends at LF; its CR stays),
    // decoded, reading at most iMaxBytes bytes: a line cut by that limit is left
    // out. Memory stays bounded however large the file is. Empty text on failure.
    QString FNC_GetFileHead(const QString& iFilePath, int iMaxLines, qint64 iMaxBytes) const;

    // True when the path names a normal file: a regular file whose name does not
    // start with "."; "*" and "?" in the last component match as wildcards.
    bool FNC_FileExist(const QString& iFilePath) const;

    // True when the path names a folder the process could change into.
    bool FNC_FolderExist(const QString& iFolderPath) const;

    // Writes the text followed by one CR LF, as Windows-1250 unless the file it
    // replaces reads as UTF-8 or the text holds a character Windows-1250 cannot
    // represent; then as UTF-8 (common/TextFileEncoding.h). The old file is
    // replaced atomically: on failure it stays exactly as it was. An empty path
    // writes nothing and succeeds. Only a regular file (or a link to one) is
    // replaced: a folder, a FIFO, a device or a broken or looping link at the
    // path stays as it is, and the write fails.
    bool FNC_SaveDataContent(const QString& iContent, const QString& iFilePath) const;

    // Removes what an atomic replace of the file killed half-way left beside it
    // (where the file system has no unnamed files): regular files of this user
    // named "<file name>.XXXXXX", unchanged for a minute, so that a save running
    // now is never touched. Returns how many were removed.
    int FNC_RemoveStaleTemporaries(const QString& iFilePath) const;

    // The path with a separator appended unless it already ends in "/" or "\".
    QString FNC_AddPathSlashes(const QString& iPath) const;
};
