// Short sounds played from WAV files without waiting for them (PlaySound with
// SND_ASYNC | SND_NODEFAULT on Windows): a missing file plays nothing.
#pragma once

#include <QString>

#include <functional>

namespace Sound {

// Starts playing the file and returns at once; relative paths (also with "\"
// separators, as ".\resources\over.wav") resolve against the program folder,
// or the data folder when the program folder has no such file.
// Returns false, playing nothing, when the file is missing or cannot start.
// Plays through SKYTUNER_AUDIO_SINK (a GStreamer bin description) when set.
bool play(const QString& path);

// The number of sounds started and not yet finished.
int playingCount();

// Receives the resolved path of every existing file instead of playing it (for
// tests); an empty handler restores playing. Returns the previous handler.
using Handler = std::function<void(const QString& resolvedPath)>;
Handler setHandler(Handler handler);

} // namespace Sound
