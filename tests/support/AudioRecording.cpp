#include "AudioRecording.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace AudioRecording {

QByteArray sinkInto(const QString& file)
{
    return "audioconvert ! audioresample ! audio/x-raw,format=S16LE,channels=2,rate=44100 ! "
           "filesink sync=true buffer-mode=unbuffered location=" +
           file.toUtf8();
}

Levels measure(const QByteArray& raw, qint64 from, qint64 to)
{
    from -= from % 4;
    to = std::min<qint64>(to - to % 4, raw.size());
    Levels l;
    double sl = 0, sr = 0;
    qint64 frames = 0;
    const auto* s = reinterpret_cast<const qint16*>(raw.constData());
    for (qint64 i = from / 2; i + 1 < to / 2; i += 2, ++frames) {
        sl += double(s[i]) * s[i];
        sr += double(s[i + 1]) * s[i + 1];
        l.peak = std::max({l.peak, std::abs(int(s[i])), std::abs(int(s[i + 1]))});
    }
    if (frames > 0) {
        l.left = std::sqrt(sl / frames);
        l.right = std::sqrt(sr / frames);
    }
    return l;
}

double decibels(double value, double reference)
{
    return 20.0 * std::log10(value / reference);
}

} // namespace AudioRecording
