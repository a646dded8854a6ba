// The program folder: where skytuner.ini and station lists live; and the data
// folder: where the files that ship with the program (button sounds, the
// default station list) are found.
#pragma once

#include <QString>

namespace ProgramFolder {

// The folder named by SKYTUNER_HOME when set; else, for an installed program
// (see dataPath()) or one whose folder cannot be written, $XDG_DATA_HOME/skytuner
// (created on first use); else the executable's folder. Without a trailing
// separator.
QString path();

// A path inside the program folder; relative paths resolve against it.
QString resolve(const QString& relativePath);

// <prefix>/share/skytuner for a program installed as <prefix>/bin/skytuner
// (the folder exists); else the executable's folder, as in a build tree.
QString dataPath();

// A shipped file by its relative path: the program folder's file when there is
// one (the user's own), else the data folder's. Absolute paths stay as they are.
QString resolveData(const QString& relativePath);

} // namespace ProgramFolder
