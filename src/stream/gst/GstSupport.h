// GStreamer helpers shared by the stream engine and the playlist reader.
// Implementation files only: no public header includes GStreamer.
#pragma once

#include "stream/StreamError.h"

#include <QString>

#include <gst/gst.h>

namespace GstSupport {

// Initialises GStreamer once per process; false when it cannot run at all.
bool ensureInit();

// Loads the plugins a radio stream needs on a background thread, once, so that
// the first station starts without waiting for the plugin loader.
void prewarm();
// A server answered: the rest of the preloading may now take the CPU.
void serverAnswered();

// State changes join streaming threads and open devices, so they never run on
// the caller's thread: one control thread does them in the order asked, which
// keeps a pipeline's start, play and teardown in sequence. A failed change is
// posted as an error on the element's bus.
void changeState(GstElement* element, GstState state);
// Sets the element to NULL there and drops the caller's reference.
void dispose(GstElement* element);

// User agent, I/O time-out and no silent internal retries on a source element
// (HTTP and RTSP sources have different property types; absent ones are skipped).
void configureSource(GstElement* source, bool radioMetadata);

// Seconds a connection may deliver nothing before it counts as timed out.
inline constexpr int IoTimeoutSeconds = 10;

// What went wrong, from an ERROR message. needsProbe: the engine only knows the
// network source failed; ConnectProbe can tell refused from unreachable.
StreamError classifyError(GstMessage* message, GstElement* audioSink, const QString& missingDecoder,
                          bool& needsProbe);

QString toQString(const gchar* text);

} // namespace GstSupport
