// Shared helpers and the program-wide state.
#pragma once

#include <QString>

namespace modGlobal {

// Program-wide state; lives as long as the program.
inline QString CurrentListFile; // full path of the current station list ("list")
inline QString FavListFile;     // full path of the favourite list ("fav"), or empty
inline QString CurrentURL;      // stream address last handed to the main player
inline bool OnTopFlag = false;
inline bool TrayFlag = false;
inline bool AnimFlag = false;
inline bool ShowErrorsFlag = false;

// Puts every global back to its start value (tests start each case clean).
void ResetGlobalState();

// 100 * ln(volume / 100) / ln(1025) with two decimals and the user's decimal
// separator; volume 0 gives -100. Callers append " dB".
QString VolumeToDecibelText(int volume);

// The decibel value itself (-100 for volume 0); the player applies exactly this gain.
double VolumeToDecibels(int volume);

// True when the path names a normal file (see clsFunctionLib::FNC_FileExist).
bool FileExists(const QString& path);

// The path with the native separator appended unless it already ends in one.
QString AddPathSlash(const QString& path);

} // namespace modGlobal
