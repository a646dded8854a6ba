// The program folder: where skytuner.ini, station lists and the sounds live.
#pragma once

#include <QString>

namespace ProgramFolder {

// The folder named by SKYTUNER_HOME when set; else the executable's folder when
// it can be written; else $XDG_DATA_HOME/skytuner (created on first use).
// Always without a trailing separator.
QString path();

// A path inside the program folder; relative paths resolve against it.
QString resolve(const QString& relativePath);

} // namespace ProgramFolder
