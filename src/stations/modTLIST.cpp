#include "stations/modTLIST.h"

#include "common/Logging.h"
#include "common/ModuleError.h"
#include "common/clsFunctionLib.h"
#include "stations/OrxFormat.h"
#include "stations/StationListFormat.h"

#include <QDir>

#include <limits>

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

qint16 TLIST_SearchORX(const QString& folder)
{
    const qsizetype count = TLIST_ORXFileNames(folder).size();
    return qint16(qMin<qsizetype>(count, std::numeric_limits<qint16>::max()));
}

QStringList TLIST_ORXFileNames(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    // Name filters match without regard to case; without QDir::Hidden no dot files.
    return QDir(folder).entryList({QStringLiteral("*.orx")}, QDir::Files, QDir::Unsorted);
}

bool TLIST_ConvertORX(const QString& source, const QString& target)
{
    const QString module = QStringLiteral("modTLIST");
    const QString operation = QStringLiteral("TLIST_ConvertORX");
    const clsFunctionLib fnc;
    if (!fnc.FNC_FileExist(source))
        return false;
    // An unreadable source must not pass for an empty one: its stations would
    // be lost once the converted source is deleted.
    const std::optional<QString> text = fnc.FNC_ReadFileText(source);
    if (!text) {
        ModuleError::report(
            module, operation, 9998,
            QStringLiteral("Can not read ORX file [FunctionLibrary.GetFileContent]!"));
        return false;
    }
    const QString lines = OrxFormat::convert(*text);
    // An empty target path would "succeed" without writing anything.
    if (target.isEmpty() || !fnc.FNC_SaveDataContent(lines, target)) {
        ModuleError::report(
            module, operation, 9999,
            QStringLiteral(
                "Can not save ORX converting result [FunctionLibrary.SaveDataContent]!"));
        return false;
    }
    qCDebug(lcStations) << "converted" << source << "to" << target;
    return true;
}

void TLIST_ParseORXStation(const QString& record, QString& name, QString& url, QString& colour,
                           qint16& bold, qint16& visible)
{
    OrxFormat::Station station{name, url, colour, bold, visible};
    OrxFormat::parseStation(record, station);
    name = station.name;
    url = station.url;
    colour = station.colour;
    bold = station.bold;
    visible = station.visible;
}
