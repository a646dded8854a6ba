#include "stream/gst/GstAudioOutput.h"

#include <gst/audio/audio.h>

#include <cmath>
#include <type_traits>

namespace {

void deleteGains(gpointer data)
{
    delete static_cast<std::shared_ptr<ChannelGains>*>(data);
}

template <typename T> void scale(GstMapInfo& map, float left, float right)
{
    T* samples = reinterpret_cast<T*>(map.data);
    const gsize frames = map.size / (2 * sizeof(T));
    for (gsize i = 0; i < frames; ++i) {
        if constexpr (std::is_floating_point_v<T>) {
            samples[2 * i] *= left;
            samples[2 * i + 1] *= right;
        } else {
            samples[2 * i] = T(std::lrint(samples[2 * i] * left));
            samples[2 * i + 1] = T(std::lrint(samples[2 * i + 1] * right));
        }
    }
}

// Volume and balance in one pass over interleaved stereo; nothing at all at full gain.
GstPadProbeReturn applyGains(GstPad*, GstPadProbeInfo* info, gpointer data)
{
    ChannelGains& gains = *static_cast<std::shared_ptr<ChannelGains>*>(data)->get();
    if (info->type & GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM) {
        GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
        if (GST_EVENT_TYPE(event) == GST_EVENT_CAPS) {
            GstCaps* caps = nullptr;
            gst_event_parse_caps(event, &caps);
            GstAudioInfo ai;
            if (gst_audio_info_from_caps(&ai, caps))
                gains.isFloat = GST_AUDIO_INFO_IS_FLOAT(&ai);
        }
        return GST_PAD_PROBE_OK;
    }
    const float left = gains.left;
    const float right = gains.right;
    if (left == 1.0f && right == 1.0f)
        return GST_PAD_PROBE_OK;
    GstBuffer* buffer = gst_buffer_make_writable(GST_PAD_PROBE_INFO_BUFFER(info));
    GST_PAD_PROBE_INFO_DATA(info) = buffer;
    GstMapInfo map;
    if (gst_buffer_map(buffer, &map, GST_MAP_READWRITE)) {
        if (gains.isFloat)
            scale<float>(map, left, right);
        else
            scale<gint16>(map, left, right);
        gst_buffer_unmap(buffer, &map);
    }
    return GST_PAD_PROBE_OK;
}

// A radio needs no low latency: a 200 ms ring buffer filled in 50 ms periods
// wakes the sound server's and our threads a quarter as often as the defaults.
constexpr gint64 SinkBufferUs = 200000;
constexpr gint64 SinkPeriodUs = 50000;

void relaxSink(GstElement* element)
{
    if (GST_IS_AUDIO_BASE_SINK(element))
        g_object_set(element, "buffer-time", SinkBufferUs, "latency-time", SinkPeriodUs, nullptr);
}

void release(GstElement* element)
{
    if (element)
        gst_object_unref(gst_object_ref_sink(element));
}

} // namespace

GstElement* GstAudioOutput::wrap(GstElement* output, const std::shared_ptr<ChannelGains>& gains)
{
    GstElement* bin = gst_bin_new("skytuner-output");
    GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
    GstElement* resample = gst_element_factory_make("audioresample", nullptr);
    GstElement* filter = gst_element_factory_make("capsfilter", nullptr);
    if (!convert || !resample || !filter) {
        for (GstElement* e : {convert, resample, filter, bin, output})
            release(e);
        return nullptr;
    }
    GstCaps* caps = gst_caps_from_string(
        "audio/x-raw,format=(string){F32LE,S16LE},layout=interleaved,channels=2");
    g_object_set(filter, "caps", caps, nullptr);
    gst_caps_unref(caps);
    relaxSink(output);
    // The automatic sink makes its real sink only when it starts.
    g_signal_connect(bin, "deep-element-added",
                     G_CALLBACK(+[](GstBin*, GstBin*, GstElement* element) { relaxSink(element); }),
                     nullptr);
    gst_bin_add_many(GST_BIN(bin), convert, resample, filter, output, nullptr);
    // Decoders hand over one frame (about 26 ms of MP3) at a time and the sink
    // waits for its clock once per buffer: it gets 100 ms at a time. Optional:
    // without the element the frames go to the sink as they come.
    if (GstElement* split = gst_element_factory_make("audiobuffersplit", nullptr)) {
        g_object_set(split, "output-buffer-duration", 1, 10, nullptr);
        gst_bin_add(GST_BIN(bin), split);
        gst_element_link_many(convert, resample, filter, split, output, nullptr);
    } else {
        gst_element_link_many(convert, resample, filter, output, nullptr);
    }
    GstPad* in = gst_element_get_static_pad(convert, "sink");
    GstPad* out = gst_element_get_static_pad(filter, "src");
    gst_pad_add_probe(
        out, GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM),
        applyGains, new std::shared_ptr<ChannelGains>(gains), deleteGains);
    gst_element_add_pad(bin, gst_ghost_pad_new("sink", in));
    gst_object_unref(in);
    gst_object_unref(out);
    return bin;
}
