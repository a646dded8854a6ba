#include "stream/gst/GstSupport.h"

#include "common/Logging.h"
#include "common/Version.h"

#include <QThreadPool>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace GstSupport {

QString toQString(const gchar* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

namespace {

// Typefinding runs every typefinder until one is certain, and MP3 and AAC streams
// are never certain, so libav's typefinders would load libav and the whole FFmpeg
// stack it links (codecs, filters, speech synthesis, SVG: ~30 MiB resident, 70 ms
// and more on the streaming thread) for every station. They recognise game and
// video containers only; every audio format a station sends has a typefinder in
// typefindfunctions. libav's decoders stay, loaded when a stream needs one (AAC).
void dropLibavTypefinders()
{
    GstRegistry* registry = gst_registry_get();
    GList* typefinders = gst_registry_get_feature_list(registry, GST_TYPE_TYPE_FIND_FACTORY);
    for (GList* l = typefinders; l; l = l->next) {
        auto* feature = GST_PLUGIN_FEATURE(l->data);
        if (g_strcmp0(gst_plugin_feature_get_plugin_name(feature), "libav") == 0)
            gst_registry_remove_feature(registry, feature);
    }
    gst_plugin_feature_list_free(typefinders);
}

} // namespace

bool ensureInit()
{
    static bool ok = [] {
        // A radio title that is not UTF-8 reaches us byte for byte (ISO-8859-1
        // maps every byte), and the player tells Windows-1250 from Latin-1.
        // GStreamer's own fallback, Windows-1252, drops a title holding a byte
        // that code page leaves undefined, as Czech "ť" (0x9D) is.
        g_setenv("GST_ICY_TAG_ENCODING", "ISO-8859-1", FALSE);
        GError* error = nullptr;
        const bool result = gst_init_check(nullptr, nullptr, &error);
        if (!result) {
            qCWarning(lcPlatform) << "GStreamer cannot start:" << (error ? error->message : "");
            g_clear_error(&error);
            return false;
        }
        dropLibavTypefinders();
        // libmpg123 decodes MP3 with about half the CPU of libav's decoder and loads
        // in a fraction of the time; both have the same rank, and libav's name sorts first.
        if (GstPluginFeature* mpg123 =
                gst_registry_lookup_feature(gst_registry_get(), "mpg123audiodec")) {
            gst_plugin_feature_set_rank(mpg123, GST_RANK_PRIMARY);
            gst_object_unref(mpg123);
        }
        return true;
    }();
    return ok;
}

namespace {

std::mutex heavyMutex;
std::condition_variable heavyWanted;
bool connected = false;
bool exiting = false;

bool isExiting()
{
    std::lock_guard lock(heavyMutex);
    return exiting;
}

void load(std::initializer_list<const char*> plugins)
{
    for (const char* name : plugins) {
        if (isExiting())
            return;
        if (GstPlugin* plugin = gst_plugin_load_by_name(name))
            gst_object_unref(plugin);
    }
}

// The loading thread is joined when the process exits: a plugin still being
// loaded while the libraries shut down would re-run GObject's start-up and abort
// the process after a clean shut-down. Constructed after the mutex above, so it
// is destroyed before it.
struct PrewarmThread
{
    std::thread thread;
    ~PrewarmThread()
    {
        {
            std::lock_guard lock(heavyMutex);
            exiting = true;
        }
        heavyWanted.notify_all();
        if (thread.joinable())
            thread.join();
    }
};

} // namespace

void prewarm()
{
    static PrewarmThread prewarmer;
    static std::once_flag once;
    std::call_once(once, [] {
        if (!ensureInit())
            return;
        // The plugins of a typical station, in the order a pipeline needs them,
        // loaded while the window comes up or while the first connection is being
        // made rather than on the streaming thread. Those of Ogg stations and the
        // subtitle typefinder (which typefinding consults for every stream) wait
        // until the first server has answered or the program is idle, so that they
        // never compete with making the connection.
        prewarmer.thread = std::thread([] {
            load({"playback", "coreelements", "soup", "icydemux", "typefindfunctions",
                  "audioparsers", "mpg123", "audioconvert", "audioresample", "autodetect"});
            {
                std::unique_lock lock(heavyMutex);
                heavyWanted.wait_for(lock, std::chrono::milliseconds(300),
                                     [] { return connected || exiting; });
            }
            load({"subparse", "ogg", "vorbis"});
        });
    });
}

void serverAnswered()
{
    {
        std::lock_guard lock(heavyMutex);
        connected = true;
    }
    heavyWanted.notify_all();
}

namespace {

// At exit the pipelines being stopped get a moment to finish: a streaming thread
// still loading a decoder while the libraries shut down would abort the process.
// The pool itself is never destroyed, so a pipeline stuck in a network read
// cannot hold up the exit for longer than that moment.
struct ControlThread
{
    QThreadPool* pool = new QThreadPool;
    ControlThread() { pool->setMaxThreadCount(1); }
    ~ControlThread() { pool->waitForDone(ExitWaitMs); }
    static constexpr int ExitWaitMs = 2000;
};

QThreadPool& controlThread()
{
    static ControlThread control;
    return *control.pool;
}

} // namespace

void changeState(GstElement* element, GstState state)
{
    gst_object_ref(element);
    controlThread().start([element, state] {
        if (gst_element_set_state(element, state) == GST_STATE_CHANGE_FAILURE) {
            GError* error = g_error_new_literal(GST_CORE_ERROR, GST_CORE_ERROR_STATE_CHANGE,
                                                "the pipeline cannot start");
            gst_element_post_message(element,
                                     gst_message_new_error(GST_OBJECT(element), error, nullptr));
            g_error_free(error);
        }
        gst_object_unref(element);
    });
}

void dispose(GstElement* element)
{
    controlThread().start([element] {
        gst_element_set_state(element, GST_STATE_NULL);
        gst_object_unref(element);
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
            // How long RTP over UDP may stay away before rtspsrc falls back to
            // RTP inside the TCP connection (UDP blocked by a firewall): well
            // within the engine's watch, or the fallback would never be tried.
            g_object_set(source, "timeout", guint64(IoTimeoutSeconds / 2) * 1000000, nullptr);
    });
    // rtspsrc: requests on the control connection give up a little after the
    // engine's watch too, rather than after the default 20 s.
    setIfPresent(source, "tcp-timeout", [&](GParamSpec* spec) {
        if (spec->value_type == G_TYPE_UINT64)
            g_object_set(source, "tcp-timeout", guint64(seconds) * 1000000, nullptr);
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
        // No source element for the address's scheme, or no element for its content.
        const bool source = text.contains(QLatin1String("URI handler"));
        result = StreamError::make(source ? StreamError::UnsupportedProtocol
                                          : StreamError::UnsupportedFormat,
                                   {}, missingDecoder);
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
