#include "common/modGlobal.h"

#include "common/clsFunctionLib.h"

#include <QLocale>

#include <cmath>

namespace modGlobal {

void ResetGlobalState()
{
    CurrentListFile.clear();
    FavListFile.clear();
    CurrentURL.clear();
    OnTopFlag = false;
    TrayFlag = false;
    AnimFlag = false;
    ShowErrorsFlag = false;
}

double VolumeToDecibels(int volume)
{
    if (volume <= 0)
        return -100.0;
    return 100.0 * std::log(volume / 100.0) / std::log(1025.0);
}

QString VolumeToDecibelText(int volume)
{
    return QLocale().toString(VolumeToDecibels(volume), 'f', 2);
}

bool FileExists(const QString& path)
{
    return clsFunctionLib().FNC_FileExist(path);
}

QString AddPathSlash(const QString& path)
{
    return clsFunctionLib().FNC_AddPathSlashes(path);
}

} // namespace modGlobal
