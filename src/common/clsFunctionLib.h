// Stateless file operations; every failure is reported only through the result.
#pragma once

#include <QString>

class clsFunctionLib
{
public:
    // The whole file decoded from Windows-1250, or empty text on any failure.
    QString FNC_GetFileContent(const QString& iFilePath) const;

    // True when the path names a normal file: a regular file whose name does not
    // start with "."; "*" and "?" in the last component match as wildcards.
    bool FNC_FileExist(const QString& iFilePath) const;

    // True when the path names a folder the process could change into.
    bool FNC_FolderExist(const QString& iFolderPath) const;

    // Writes the text as Windows-1250 followed by one CR LF. The old file is
    // replaced atomically: on failure it stays exactly as it was. An empty path
    // writes nothing and succeeds.
    bool FNC_SaveDataContent(const QString& iContent, const QString& iFilePath) const;

    // The path with a separator appended unless it already ends in "/" or "\".
    QString FNC_AddPathSlashes(const QString& iPath) const;
};
