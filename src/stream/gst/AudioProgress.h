// Whether a stream keeps up, judged by the decoded audio it yields: how far
// that audio reaches in the pipeline's running time against how far the clock
// has gone. Bytes or buffers say nothing here: a server sending one byte a
// second delivers a buffer every second. Implementation files only.
#pragma once

#include <QtGlobal>

#include <gst/gst.h>

#include <atomic>
#include <memory>

class AudioProgress
{
public:
    AudioProgress() { gst_segment_init(&m_segment, GST_FORMAT_TIME); }

    // Follows the decoded audio passing pad (the output's sink pad).
    static void watch(GstPad* pad, const std::shared_ptr<AudioProgress>& progress);

    // Milliseconds the audio lags behind the clock of a playing pipeline: about
    // zero or less while the stream keeps up, growing while the output starves.
    qint64 lagMs(GstElement* pipeline) const;

private:
    static GstPadProbeReturn note(GstPad*, GstPadProbeInfo* info, gpointer data);

    std::atomic<qint64> m_untilNs{0};   // running time where the decoded audio ends
    std::atomic<bool> m_untimed{false}; // audio without timestamps: cannot be judged
    GstSegment m_segment;               // the streaming thread's only
};
