// The station list that ships with the program (stanice.tlist: Czech public radio
// and a few international stations).
#pragma once

#include <QString>

namespace DefaultStationList {

inline constexpr const char* FileName = "stanice.tlist";

// Where the list is (or goes) in the folder.
QString Path(const QString& folder);

// Copies the list (the data folder's, else the built-in one) into the folder
// when the folder holds no file of that name;
// a user's file is never replaced. True when the folder has the file afterwards.
bool Install(const QString& folder);

} // namespace DefaultStationList
