#include "PlayerWait.h"

#include "stream/MediaPlayer.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QElapsedTimer>
#include <QTest>

namespace PlayerWait {

bool forState(MediaPlayer& player, int state, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (player.playState() != state && !deadline.hasExpired())
        QTest::qWait(20);
    if (player.playState() != state)
        qWarning() << "state" << player.playState() << "status" << player.status();
    return player.playState() == state;
}

bool returnsAtOnce(const std::function<void()>& call)
{
    QElapsedTimer elapsed;
    elapsed.start();
    call();
    return elapsed.elapsed() < 1000;
}

} // namespace PlayerWait
