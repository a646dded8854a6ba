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

// The fills of the main window's and the editor's lists, and saving the editor's
// list, are in stations/view/modTLISTView.h.
