#include "stream/gst/Sound.h"

#include "common/Logging.h"
#include "common/ProgramFolder.h"
#include "stream/gst/GstSupport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

#include <gst/gst.h>

#include <atomic>

namespace {

Sound::Handler& installedHandler()
{
    static Sound::Handler handler;
    return handler;
}

struct Playing
{
    quint64 id = 0;
    GstElement* pipeline = nullptr;
    std::atomic<bool> stopping{false}; // set before the application stops it
};

// The sounds still playing, by id; used on the application's thread only.
QHash<quint64, Playing*>& active()
{
    static QHash<quint64, Playing*> playing;
    return playing;
}

void finish(quint64 id)
{
    Playing* playing = active().take(id);
    if (!playing)
        return;
    gst_element_set_state(playing->pipeline, GST_STATE_NULL);
    GstBus* bus = gst_element_get_bus(playing->pipeline);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(playing->pipeline);
    delete playing;
}

// At exit, sounds still playing are stopped before the application goes.
void stopAll()
{
    for (const quint64 id : active().keys()) {
        active().value(id)->stopping = true;
        finish(id);
    }
}

// Runs on streaming threads: the pipeline is torn down on the application's
// thread, since it must not change its own state from inside.
GstBusSyncReply onBusMessage(GstBus*, GstMessage* message, gpointer data)
{
    const GstMessageType type = GST_MESSAGE_TYPE(message);
    // The entry lives until finish(), which stops these threads first; an
    // error and EOS may both arrive, and finish() runs only once per id.
    const auto* playing = static_cast<const Playing*>(data);
    if ((type == GST_MESSAGE_EOS || type == GST_MESSAGE_ERROR) && !playing->stopping) {
        const quint64 id = playing->id;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [id] { finish(id); }, Qt::QueuedConnection);
    }
    gst_message_unref(message); // a dropped message is the handler's to release
    return GST_BUS_DROP;
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
    if (!GstSupport::ensureInit())
        return false;
    GstElement* pipeline = gst_element_factory_make("playbin", nullptr);
    if (!pipeline)
        return false;
    gchar* uri = gst_filename_to_uri(QFile::encodeName(file).constData(), nullptr);
    g_object_set(pipeline, "uri", uri, nullptr);
    g_free(uri);
    if (GstElement* sink = makeSink())
        g_object_set(pipeline, "audio-sink", sink, nullptr);
    static quint64 lastId = 0;
    static const bool stopAtExit = (qAddPostRoutine(stopAll), true);
    Q_UNUSED(stopAtExit)
    auto* playing = new Playing;
    playing->id = ++lastId;
    playing->pipeline = pipeline;
    active().insert(playing->id, playing);
    GstBus* bus = gst_element_get_bus(pipeline);
    gst_bus_set_sync_handler(bus, onBusMessage, playing, nullptr);
    gst_object_unref(bus);
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        playing->stopping = true;
        finish(playing->id);
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
    const QString file = ProgramFolder::resolveData(path);
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
    return int(active().size());
}

Handler setHandler(Handler handler)
{
    Handler previous = std::move(installedHandler());
    installedHandler() = std::move(handler);
    return previous;
}

} // namespace Sound
