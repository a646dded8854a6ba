#include "dialogs/logic/PlayURLLogic.h"

#include "common/Logging.h"
#include "stream/MediaPlayer.h"

bool PlayURLLogic::accept(const QString& text)
{
    if (text.isEmpty())
        return false;
    m_currentURL = text;
    m_player.setURL(m_currentURL);
    m_player.controls().play();
    qCInfo(lcDialogs) << "play" << m_currentURL;
    return true;
}
