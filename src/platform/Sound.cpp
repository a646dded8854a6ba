#include "platform/Sound.h"

#include "common/Logging.h"
#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <gst/gst.h>

#include <atomic>

namespace {

std::atomic<int> g_playing{0};

Sound::Handler& installedHandler()
{
    static Sound::Handler handler;
    return handler;
}

void finish(GstElement* pipeline)
{
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    --g_playing;
}

struct Playing
{
    GstElement* pipeline;
    std::atomic<bool> done{false};
};

// Runs on streaming threads: the pipeline is torn down on the application's
// thread, since it must not change its own state from inside.
GstBusSyncReply onBusMessage(GstBus*, GstMessage* message, gpointer data)
{
    const GstMessageType type = GST_MESSAGE_TYPE(message);
    if (type == GST_MESSAGE_EOS || type == GST_MESSAGE_ERROR) {
        auto* playing = static_cast<Playing*>(data);
        // Both an error and EOS can arrive; tear down only once.
        if (!playing->done.exchange(true)) {
            GstElement* pipeline = playing->pipeline;
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [pipeline] { finish(pipeline); },
                Qt::QueuedConnection);
        }
    }
    return GST_BUS_DROP;
}

void deletePlaying(gpointer data)
{
    delete static_cast<Playing*>(data);
}

GstElement* makeSink()
{
    const QByteArray description = qgetenv("SKYTUNER_AUDIO_SINK");
    if (description.isEmpty())
        return nullptr; // playbin picks the desktop's sink
    GError* error = nullptr;
    GstElement* sink = gst_parse_bin_from_description(description.constData(), TRUE, &error);
    if (error) {
        qCWarning(lcPlatform) << "bad SKYTUNER_AUDIO_SINK:" << error->message;
        g_error_free(error);
    }
    return sink;
}

bool startPipeline(const QString& file)
{
    if (!gst_is_initialized() && !gst_init_check(nullptr, nullptr, nullptr))
        return false;
    GstElement* pipeline = gst_element_factory_make("playbin", nullptr);
    if (!pipeline)
        return false;
    gchar* uri = gst_filename_to_uri(QFile::encodeName(file).constData(), nullptr);
    g_object_set(pipeline, "uri", uri, nullptr);
    g_free(uri);
    if (GstElement* sink = makeSink())
        g_object_set(pipeline, "audio-sink", sink, nullptr);
    GstBus* bus = gst_element_get_bus(pipeline);
    auto* playing = new Playing{pipeline};
    gst_bus_set_sync_handler(bus, onBusMessage, playing, deletePlaying);
    gst_object_unref(bus);
    ++g_playing;
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        if (!playing->done.exchange(true))
            finish(pipeline);
        return false;
    }
    return true;
}

} // namespace

namespace Sound {

bool play(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QString file = ProgramFolder::resolve(path);
    if (!QFileInfo(file).isFile())
        return false;
    if (const Handler& handler = installedHandler()) {
        handler(file);
        return true;
    }
    if (!QCoreApplication::instance())
        return false;
    return startPipeline(file);
}

int playingCount()
{
    return g_playing.load();
}

Handler setHandler(Handler handler)
{
    Handler previous = std::move(installedHandler());
    installedHandler() = std::move(handler);
    return previous;
}

} // namespace Sound
