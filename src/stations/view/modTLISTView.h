// The station list module's operations on list views: filling the main window's
// and the editor's lists from station entries, and writing the editor's list.
#pragma once

#include "stations/modTLIST.h"

#include <QString>
#include <QStringList>

class KeyedListView;

// Registers the main window's station list, the one TLIST_FillStationListMain fills.
void TLIST_SetMainStationList(KeyedListView* list);

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
