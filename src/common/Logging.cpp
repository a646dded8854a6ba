#include "common/Logging.h"

Q_LOGGING_CATEGORY(lcCommon, "skytuner.common", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPlatform, "skytuner.platform", QtWarningMsg)
Q_LOGGING_CATEGORY(lcStations, "skytuner.stations", QtWarningMsg)
Q_LOGGING_CATEGORY(lcControls, "skytuner.controls", QtWarningMsg)
Q_LOGGING_CATEGORY(lcServices, "skytuner.services", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDesktop, "skytuner.desktop", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDialogs, "skytuner.dialogs", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPlayer, "skytuner.player", QtWarningMsg)
