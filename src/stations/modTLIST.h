// Station list files (*.tlist): one "[STATION:]name|url|colour|back|bold|visible"
// line per station, Windows-1250, CR LF.
#pragma once

#include <QString>
#include <QStringList>

class KeyedListView;

// The main window's station entries ("name|url|colour|back|bold|visible"), in file order.
inline QStringList colStations;

// Registers the main window's station list, the one TLIST_FillStationListMain fills.
void TLIST_SetMainStationList(KeyedListView* list);

// Empties colStations and reads the file into it. True whenever it completes,
// also for a missing or empty file.
bool TLIST_LoadFile(const QString& path);

// Reads the file like TLIST_LoadFile, appending to coll without emptying it.
bool TLIST_LoadFileToColl(const QString& path, QStringList& coll);

// Fills the registered main list (or the given one) with the shown stations of
// colStations: key = URL, text = name, icon 1.
void TLIST_FillStationListMain();
void TLIST_FillStationListMain(KeyedListView& list);

// Fills the editor's list with every station of coll: key = URL in lower case,
// second column = URL, icon = visible + 1.
void TLIST_FillListViewEdit(const QStringList& coll, KeyedListView& listView);

// Writes the rows of the editor's list, in order, to path, replacing the file
// atomically. False when the file could not be written; the old file is then
// left untouched.
bool TLIST_SaveFile(const QString& path, const KeyedListView& listView);
