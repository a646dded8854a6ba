// Station list files (*.tlist): one "[STATION:]name|url|colour|back|bold|visible"
// line per station, Windows-1250 or UTF-8 (common/TextFileEncoding.h), CR LF.
#pragma once

#include <QString>
#include <QStringList>

// The main window's station entries ("name|url|colour|back|bold|visible"), in file order.
inline QStringList colStations;

// Empties colStations and reads the file into it. True whenever it completes,
// also for a missing or empty file.
bool TLIST_LoadFile(const QString& path);

// Reads the file like TLIST_LoadFile, appending to coll without emptying it.
bool TLIST_LoadFileToColl(const QString& path, QStringList& coll);

// The number of ORX files (*.orx in any letter case) in the folder: regular
// files only, hidden ones and folders do not count. 0 for an empty path.
qint16 TLIST_SearchORX(const QString& folder);

// The names of those files, in no particular order.
QStringList TLIST_ORXFileNames(const QString& folder);

// Converts the ORX file at source into a station list at target. True only when
// the target was written with every record the source holds. A missing source
// fails silently; an unreadable source or a failed write fails with the module's
// error message. The target is replaced atomically: on failure an old target
// stays as it was, and the source is never changed.
bool TLIST_ConvertORX(const QString& source, const QString& target);

// Reads the five value tags of one record; an absent tag pair leaves its result
// unchanged (see OrxFormat::parseStation).
void TLIST_ParseORXStation(const QString& record, QString& name, QString& url, QString& colour,
                           qint16& bold, qint16& visible);

// The fills of the main window's and the editor's lists, and saving the editor's
// list, are in stations/view/modTLISTView.h.
