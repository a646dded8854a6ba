#include "stream/gst/AudioProgress.h"

using ProgressPtr = std::shared_ptr<AudioProgress>;

GstPadProbeReturn AudioProgress::note(GstPad*, GstPadProbeInfo* info, gpointer data)
{
    AudioProgress& p = **static_cast<ProgressPtr*>(data);
    if (info->type & GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM) {
        GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
        if (GST_EVENT_TYPE(event) == GST_EVENT_SEGMENT)
            gst_event_copy_segment(event, &p.m_segment);
        return GST_PAD_PROBE_OK;
    }
    GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    if (!GST_BUFFER_PTS_IS_VALID(buffer) || p.m_segment.format != GST_FORMAT_TIME) {
        p.m_untimed = true;
        return GST_PAD_PROBE_OK;
    }
    const GstClockTime end =
        GST_BUFFER_PTS(buffer) +
        (GST_BUFFER_DURATION_IS_VALID(buffer) ? GST_BUFFER_DURATION(buffer) : 0);
    const guint64 until = gst_segment_to_running_time(&p.m_segment, GST_FORMAT_TIME, end);
    if (until != GST_CLOCK_TIME_NONE)
        p.m_untilNs = qint64(until);
    return GST_PAD_PROBE_OK;
}

void AudioProgress::watch(GstPad* pad, const ProgressPtr& progress)
{
    gst_pad_add_probe(
        pad, GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM), note,
        new ProgressPtr(progress), [](gpointer data) { delete static_cast<ProgressPtr*>(data); });
}

qint64 AudioProgress::lagMs(GstElement* pipeline) const
{
    // Paused (a lost clock being replaced), the running time stands still.
    if (m_untimed || GST_STATE(pipeline) != GST_STATE_PLAYING)
        return 0;
    GstClock* clock = gst_element_get_clock(pipeline);
    if (!clock)
        return 0;
    const GstClockTime now = gst_clock_get_time(clock);
    gst_object_unref(clock);
    const GstClockTime base = gst_element_get_base_time(pipeline);
    return now > base ? (qint64(now - base) - m_untilNs) / qint64(GST_MSECOND) : 0;
}
