#include "platform/GstSupport.h"

#include "common/Logging.h"
#include "common/Version.h"

#include <QThreadPool>

#include <mutex>

namespace GstSupport {

QString toQString(const gchar* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

bool ensureInit()
{
    static bool ok = [] {
        GError* error = nullptr;
        const bool result = gst_init_check(nullptr, nullptr, &error);
        if (!result) {
            qCWarning(lcPlatform) << "GStreamer cannot start:" << (error ? error->message : "");
            g_clear_error(&error);
        }
        return result;
    }();
    return ok;
}

void prewarm()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (!ensureInit())
            return;
        QThreadPool::globalInstance()->start([] {
            static const char* const features[] = {
                "playbin",       "souphttpsrc", "icydemux",       "typefind",
                "queue2",        "decodebin",   "mpegaudioparse", "mpg123audiodec",
                "vorbisdec",     "oggdemux",    "audioconvert",   "audioresample",
                "autoaudiosink", "capsfilter",  "fakesink",       "aacparse"};
            for (const char* name : features) {
                if (GstElementFactory* f = gst_element_factory_find(name)) {
                    if (GstPluginFeature* loaded = gst_plugin_feature_load(GST_PLUGIN_FEATURE(f)))
                        gst_object_unref(loaded);
                    gst_object_unref(f);
                }
            }
        });
    });
}

namespace {

void setIfPresent(GstElement* element, const char* name, auto setter)
{
    if (GParamSpec* spec = g_object_class_find_property(G_OBJECT_GET_CLASS(element), name))
        setter(spec);
}

bool isInside(GstObject* object, GstElement* ancestor)
{
    for (GstObject* o = object; o; o = GST_OBJECT_PARENT(o))
        if (o == GST_OBJECT(ancestor))
            return true;
    return false;
}

bool isSource(GstObject* object)
{
    return GST_IS_URI_HANDLER(object) &&
           gst_uri_handler_get_uri_type(GST_URI_HANDLER(object)) == GST_URI_SRC;
}

bool isFileSource(GstObject* object)
{
    GstElementFactory* f =
        GST_IS_ELEMENT(object) ? gst_element_get_factory(GST_ELEMENT(object)) : nullptr;
    return f && g_strcmp0(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(f)), "filesrc") == 0;
}

} // namespace

void configureSource(GstElement* source, bool radioMetadata)
{
    const QByteArray agent = Version::userAgent().toUtf8();
    setIfPresent(source, "user-agent", [&](GParamSpec* spec) {
        if (spec->value_type == G_TYPE_STRING)
            g_object_set(source, "user-agent", agent.constData(), nullptr);
    });
    // A little longer than the engine's own watch, which names the time-out as such.
    const guint seconds = IoTimeoutSeconds + 5;
    setIfPresent(source, "timeout", [&](GParamSpec* spec) {
        if (spec->value_type == G_TYPE_UINT)
            g_object_set(source, "timeout", seconds, nullptr);
        else if (spec->value_type == G_TYPE_UINT64) // rtspsrc: microseconds
            g_object_set(source, "timeout", guint64(seconds) * 1000000, nullptr);
    });
    setIfPresent(source, "retries", [&](GParamSpec* spec) {
        if (spec->value_type == G_TYPE_INT)
            g_object_set(source, "retries", 0, nullptr);
    });
    setIfPresent(source, "iradio-mode", [&](GParamSpec* spec) {
        if (spec->value_type == G_TYPE_BOOLEAN)
            g_object_set(source, "iradio-mode", gboolean(radioMetadata), nullptr);
    });
}

StreamError classifyError(GstMessage* message, GstElement* audioSink, const QString& missingDecoder,
                          bool& needsProbe)
{
    needsProbe = false;
    GError* error = nullptr;
    gchar* debug = nullptr;
    gst_message_parse_error(message, &error, &debug);
    const QString text = toQString(error ? error->message : nullptr);
    const QString details = toQString(debug);
    GstObject* src = GST_MESSAGE_SRC(message);
    StreamError result = StreamError::make(StreamError::Other, {}, text);

    if (audioSink && isInside(src, audioSink)) {
        result = StreamError::make(StreamError::NoAudioOutput, {}, text);
    } else if (const int status = StreamError::httpStatusFromDebug(details)) {
        result.kind = StreamError::HttpStatus;
        result.httpStatus = status;
    } else if (isFileSource(src)) {
        result.kind = StreamError::FileNotFound;
    } else if (error->domain == GST_STREAM_ERROR &&
               (error->code == GST_STREAM_ERROR_CODEC_NOT_FOUND || !missingDecoder.isEmpty())) {
        result = StreamError::make(StreamError::UnsupportedFormat, {}, missingDecoder);
    } else if (error->domain == GST_CORE_ERROR && error->code == GST_CORE_ERROR_MISSING_PLUGIN) {
        result = StreamError::make(StreamError::UnsupportedFormat, {}, missingDecoder);
    } else if (isSource(src)) {
        // Network sources often report only "internal data stream error".
        needsProbe = true;
        result.kind = StreamError::ConnectionLost;
    } else if (error->domain == GST_STREAM_ERROR &&
               (error->code == GST_STREAM_ERROR_TYPE_NOT_FOUND ||
                error->code == GST_STREAM_ERROR_WRONG_TYPE ||
                error->code == GST_STREAM_ERROR_DEMUX || error->code == GST_STREAM_ERROR_DECODE ||
                error->code == GST_STREAM_ERROR_FORMAT)) {
        result.kind = StreamError::NotAudio;
    }
    qCInfo(lcPlatform) << "engine error:" << text << details;
    g_clear_error(&error);
    g_free(debug);
    return result;
}

} // namespace GstSupport
