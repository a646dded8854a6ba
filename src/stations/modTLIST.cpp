#include "stations/modTLIST.h"

#include "common/Logging.h"
#include "common/clsFunctionLib.h"
#include "stations/StationListFormat.h"

bool TLIST_LoadFile(const QString& path)
{
    colStations.clear();
    return TLIST_LoadFileToColl(path, colStations);
}

bool TLIST_LoadFileToColl(const QString& path, QStringList& coll)
{
    const clsFunctionLib fnc;
    if (path.isEmpty() || !fnc.FNC_FileExist(path))
        return true;
    // Only the lines the format looks at are read, however large the file is.
    const QString text =
        fnc.FNC_GetFileHead(path, StationListFormat::MaxLines, StationListFormat::MaxReadBytes);
    const QStringList entries = StationListFormat::parseEntries(text);
    qCDebug(lcStations) << entries.size() << "stations read from" << path;
    coll.append(entries);
    return true;
}
