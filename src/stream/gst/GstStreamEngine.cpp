#include "stream/gst/GstStreamEngine.h"

#include "common/Logging.h"
#include "stream/ConnectProbe.h"
#include "stream/OwnerRelay.h"
#include "stream/StreamAddress.h"
#include "stream/gst/AudioProgress.h"
#include "stream/gst/GstAudioOutput.h"
#include "stream/gst/GstSupport.h"
#include "stream/gst/PlaylistFetcher.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QUrl>

#include <gst/pbutils/pbutils.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

constexpr int ProbeTimeoutMs = 3000;
// Audio only; our output bin converts, so playbin adds no converters of its own.
constexpr guint PlayFlags = 0x02 | 0x20;

qint64 nowMs()
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

// What the streaming threads of one pipeline share with the engine.
struct Session
{
    std::shared_ptr<OwnerRelay> relay;
    void* owner = nullptr; // the engine's private part; used only on the owner's thread
    quint64 generation = 0;
    std::atomic<qint64> firstDataMs{-1}; // from the source
    std::atomic<qint64> lastDataMs{0};
    std::shared_ptr<AudioProgress> audio = std::make_shared<AudioProgress>();
    std::atomic<bool> playing{false}; // buffering levels no longer matter
};

// Only what the engine acts on crosses to the owner's thread: every message
// handed over wakes it, and a playing pipeline posts many it does not need.
bool wanted(GstMessage* message, const Session& s)
{
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_BUFFERING:
        return !s.playing;
    case GST_MESSAGE_STATE_CHANGED:
        return GST_OBJECT_PARENT(GST_MESSAGE_SRC(message)) == nullptr;
    case GST_MESSAGE_ERROR:
    case GST_MESSAGE_WARNING:
    case GST_MESSAGE_EOS:
    case GST_MESSAGE_ASYNC_DONE:
    case GST_MESSAGE_CLOCK_LOST:
    case GST_MESSAGE_LATENCY:
    case GST_MESSAGE_ELEMENT:
        return true;
    case GST_MESSAGE_TAG: {
        // Parsers repeat bitrate tags all the time; only names and titles matter.
        GstTagList* tags = nullptr;
        gst_message_parse_tag(message, &tags);
        const bool named = gst_tag_list_get_tag_size(tags, GST_TAG_TITLE) > 0 ||
                           gst_tag_list_get_tag_size(tags, GST_TAG_ORGANIZATION) > 0;
        gst_tag_list_unref(tags);
        return named;
    }
    default:
        return false;
    }
}
using SessionPtr = std::shared_ptr<Session>;

void deleteSession(gpointer data)
{
    delete static_cast<SessionPtr*>(data);
}

gpointer newSessionRef(const SessionPtr& s)
{
    return new SessionPtr(s);
}

Session& sessionOf(gpointer data)
{
    return **static_cast<SessionPtr*>(data);
}

GstPadProbeReturn noteData(GstPad*, GstPadProbeInfo*, gpointer data)
{
    Session& s = sessionOf(data);
    s.lastDataMs = nowMs();
    if (s.firstDataMs < 0)
        s.firstDataMs = s.lastDataMs.load();
    return GST_PAD_PROBE_OK;
}

// Every buffer leaving the pad shows the server is there; whether it keeps up
// is for the decoded audio to tell.
void watchData(GstPad* pad, const SessionPtr& session)
{
    gst_pad_add_probe(pad,
                      GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_BUFFER_LIST),
                      noteData, newSessionRef(session), deleteSession);
}

QString headerValue(const GstStructure* headers, const char* wanted)
{
    QString result;
    struct Search
    {
        const char* name;
        QString* value;
    } search{wanted, &result};
    gst_structure_foreach(
        headers,
        [](GQuark field, const GValue* value, gpointer data) -> gboolean {
            auto* s = static_cast<Search*>(data);
            if (g_ascii_strcasecmp(g_quark_to_string(field), s->name) == 0 &&
                G_VALUE_HOLDS_STRING(value)) {
                *s->value = GstSupport::toQString(g_value_get_string(value));
                return FALSE;
            }
            return TRUE;
        },
        &search);
    return result;
}

} // namespace

struct GstStreamEngine::Private
{
    GstStreamEngine* q = nullptr;
    std::shared_ptr<OwnerRelay> relay;
    std::shared_ptr<ChannelGains> gains = std::make_shared<ChannelGains>();
    SessionPtr session;
    quint64 generation = 0;

    GstElement* pipeline = nullptr;
    GstElement* audioSink = nullptr; // owned by the pipeline
    QString uri;
    bool detectPlaylist = false;
    bool playing = false;
    bool failed = false;
    bool sawBuffering = false;
    bool gotHeaders = false;
    bool outputWarned = false;
    int bufferPercent = 0;
    QString missingDecoder;
    QString title;
    QString stationName;
    qint64 openedMs = 0;
    qint64 starveLimitMs = GstSupport::IoTimeoutSeconds * 1000;
    QTimer watchdog;
    PlaylistFetcher fetcher;

    void post(auto&& handler)
    {
        relay->post([this, gen = generation, h = std::forward<decltype(handler)>(handler)] {
            if (gen == generation && pipeline)
                h();
        });
    }
    void fail(const StreamError& error);
    void failLater(const StreamError& error);
    void onBusMessage(GstMessage* message);
    void onError(GstMessage* message);
    void onElementMessage(GstMessage* message);
    void onTags(GstMessage* message);
    static GstBusSyncReply syncHandler(GstBus*, GstMessage* message, gpointer data);
    static void sourceSetup(GstElement*, GstElement* source, gpointer data);
    void checkStall();
    void checkOutput();
    void setPlaying();
};

void GstStreamEngine::Private::checkOutput()
{
    if (!GST_IS_BIN(audioSink) || failed)
        return;
    bool fake = false;
    GstIterator* it = gst_bin_iterate_sinks(GST_BIN(audioSink));
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
        GstElementFactory* f = gst_element_get_factory(GST_ELEMENT(g_value_get_object(&item)));
        fake = fake || (f && g_strcmp0(GST_OBJECT_NAME(f), "fakesink") == 0);
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(it);
    if (fake)
        fail(StreamError::make(StreamError::NoAudioOutput));
}

void GstStreamEngine::Private::fail(const StreamError& error)
{
    if (failed)
        return;
    failed = true;
    watchdog.stop();
    Q_EMIT q->failed(error);
}

void GstStreamEngine::Private::failLater(const StreamError& error)
{
    post([this, error] { fail(error); });
}

void GstStreamEngine::Private::setPlaying()
{
    GstSupport::changeState(pipeline, GST_STATE_PLAYING);
}

// A server that sends nothing times out; one whose data cannot keep the audio
// going for the limit is as good as lost. Before playing the output holds back
// everything upstream, so there the measure is whether it gets to play at all.
void GstStreamEngine::Private::checkStall()
{
    if (!pipeline || failed)
        return;
    const qint64 now = nowMs();
    const qint64 quiet = now - std::max<qint64>(session->lastDataMs, openedMs);
    const qint64 quietLimit = GstSupport::IoTimeoutSeconds * 1000;
    if (quiet >= quietLimit) {
        fail(StreamError::make(StreamError::Timeout));
        return;
    }
    qint64 next = std::min(quietLimit - quiet, starveLimitMs);
    if (const qint64 first = session->firstDataMs; first >= 0) {
        const qint64 lag = playing ? session->audio->lagMs(pipeline) : now - first;
        if (lag >= starveLimitMs) {
            fail(StreamError::make(StreamError::Starved));
            return;
        }
        next = std::min(quietLimit - quiet, starveLimitMs - lag);
    }
    watchdog.start(int(next) + 50);
}

// Runs on a streaming thread; the message is handled on the owner's thread, and a
// message of a pipeline closed meanwhile is dropped there. A handler that drops a
// message owns it: one left unreferenced keeps its element, and so the whole
// pipeline with its HTTP session, thread and sockets, alive for ever.
GstBusSyncReply GstStreamEngine::Private::syncHandler(GstBus*, GstMessage* message, gpointer data)
{
    Session& s = sessionOf(data);
    if (!wanted(message, s)) {
        gst_message_unref(message);
        return GST_BUS_DROP;
    }
    std::shared_ptr<GstMessage> held(message, gst_message_unref);
    auto* owner = static_cast<Private*>(s.owner);
    s.relay->post([owner, held, gen = s.generation] {
        if (gen == owner->generation && owner->pipeline)
            owner->onBusMessage(held.get());
    });
    return GST_BUS_DROP;
}

void GstStreamEngine::Private::sourceSetup(GstElement*, GstElement* source, gpointer data)
{
    GstSupport::configureSource(source, true);
    const SessionPtr& session = *static_cast<SessionPtr*>(data);
    if (GstPad* pad = gst_element_get_static_pad(source, "src")) {
        watchData(pad, session);
        gst_object_unref(pad);
        return;
    }
    // Sources with dynamic pads (RTSP) add one per stream once its first packet
    // arrives: watched as they come, so one that never delivers times out too.
    g_signal_connect_data(
        source, "pad-added", G_CALLBACK(+[](GstElement*, GstPad* pad, gpointer ref) {
            if (GST_PAD_IS_SRC(pad))
                watchData(pad, *static_cast<SessionPtr*>(ref));
        }),
        newSessionRef(session),
        GClosureNotify(+[](gpointer ref, GClosure*) { deleteSession(ref); }), GConnectFlags(0));
}

void GstStreamEngine::Private::onBusMessage(GstMessage* message)
{
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR:
        onError(message);
        break;
    case GST_MESSAGE_WARNING:
        // With no usable output the automatic sink warns and falls back to a silent
        // fake one, which it may add only after the warning: look now and later.
        if (audioSink && GST_MESSAGE_SRC(message) == GST_OBJECT(audioSink)) {
            outputWarned = true;
            checkOutput();
        }
        break;
    case GST_MESSAGE_EOS:
        watchdog.stop();
        Q_EMIT q->ended();
        break;
    case GST_MESSAGE_BUFFERING: {
        gint percent = 0;
        gst_message_parse_buffering(message, &percent);
        sawBuffering = true;
        bufferPercent = percent;
        if (!playing) {
            Q_EMIT q->buffering(percent);
            if (percent >= 100)
                setPlaying();
        }
        break;
    }
    case GST_MESSAGE_ASYNC_DONE:
        // Prerolled; files and other non-buffering sources start here.
        if (!playing && (!sawBuffering || bufferPercent >= 100))
            setPlaying();
        break;
    case GST_MESSAGE_STATE_CHANGED:
        if (GST_MESSAGE_SRC(message) == GST_OBJECT(pipeline)) {
            if (outputWarned)
                checkOutput();
            GstState state;
            gst_message_parse_state_changed(message, nullptr, &state, nullptr);
            // A live source (RTSP) does not preroll: no ASYNC_DONE comes, so it
            // starts as soon as the pipeline is paused.
            if (state == GST_STATE_PAUSED && !playing && !failed &&
                gst_element_get_state(pipeline, nullptr, nullptr, 0) == GST_STATE_CHANGE_NO_PREROLL)
                setPlaying();
            if (state == GST_STATE_PLAYING && !playing && !failed) {
                playing = true;
                session->playing = true;
                Q_EMIT q->audioStarted();
            }
        }
        break;
    case GST_MESSAGE_CLOCK_LOST:
        GstSupport::changeState(pipeline, GST_STATE_PAUSED);
        setPlaying();
        break;
    case GST_MESSAGE_LATENCY:
        gst_bin_recalculate_latency(GST_BIN(pipeline));
        break;
    case GST_MESSAGE_TAG:
        onTags(message);
        break;
    case GST_MESSAGE_ELEMENT:
        onElementMessage(message);
        break;
    default:
        break;
    }
}

void GstStreamEngine::Private::onError(GstMessage* message)
{
    if (failed)
        return;
    bool needsProbe = false;
    StreamError error = GstSupport::classifyError(message, audioSink, missingDecoder, needsProbe);
    const QUrl url(uri);
    if (!needsProbe || url.host().isEmpty()) {
        fail(error);
        return;
    }
    // Hold the first error; the probe says why the server could not be reached.
    failed = true;
    watchdog.stop();
    const StreamAddress address = StreamAddress::parse(uri);
    ConnectProbe::diagnose(address.host, address.port, ProbeTimeoutMs, relay,
                           [this, gen = generation](StreamError e) {
                               if (gen != generation || !pipeline)
                                   return;
                               // Reachable, yet no HTTP answer came: garbage or endless headers.
                               if (e.kind == StreamError::ConnectionLost && !gotHeaders &&
                                   uri.startsWith(QLatin1String("http")))
                                   e.kind = StreamError::BadResponse;
                               Q_EMIT q->failed(e);
                           });
}

void GstStreamEngine::Private::onElementMessage(GstMessage* message)
{
    if (gst_is_missing_plugin_message(message)) {
        gchar* description = gst_missing_plugin_message_get_description(message);
        missingDecoder = GstSupport::toQString(description);
        g_free(description);
        return;
    }
    const GstStructure* s = gst_message_get_structure(message);
    if (!s || !gst_structure_has_name(s, "http-headers"))
        return;
    const GstStructure* headers = nullptr;
    if (!gst_structure_get(s, "response-headers", GST_TYPE_STRUCTURE, &headers, nullptr))
        return;
    gotHeaders = gst_structure_n_fields(headers) > 0;
    GstSupport::serverAnswered();
    const QString type = headerValue(headers, "Content-Type");
    const QString name = headerValue(headers, "icy-name");
    gst_structure_free(const_cast<GstStructure*>(headers));
    if (detectPlaylist && StreamAddress::isPlaylistContentType(type)) {
        detectPlaylist = false;
        Q_EMIT q->playlistDetected();
        return;
    }
    if (!name.isEmpty() && name != stationName) {
        stationName = name;
        Q_EMIT q->stationNameChanged(name);
    }
}

void GstStreamEngine::Private::onTags(GstMessage* message)
{
    GstTagList* tags = nullptr;
    gst_message_parse_tag(message, &tags);
    auto tagText = [tags](const char* tag) {
        gchar* value = nullptr;
        QString text;
        if (gst_tag_list_get_string(tags, tag, &value))
            text = GstSupport::toQString(value).trimmed();
        g_free(value);
        return text;
    };
    const QString t = tagText(GST_TAG_TITLE);
    const QString artist = tagText(GST_TAG_ARTIST);
    const QString organization = tagText(GST_TAG_ORGANIZATION);
    gst_tag_list_unref(tags);

    if (!t.isEmpty()) {
        const QString full = artist.isEmpty() ? t : artist + QStringLiteral(" - ") + t;
        if (full != title) {
            title = full;
            Q_EMIT q->titleChanged(full);
        }
    }
    if (!organization.isEmpty() && organization != stationName) {
        stationName = organization;
        Q_EMIT q->stationNameChanged(organization);
    }
}

GstStreamEngine::GstStreamEngine(QObject* parent)
    : StreamEngine(parent), d(std::make_unique<Private>())
{
    connect(&d->fetcher, &PlaylistFetcher::fetched, this, &StreamEngine::playlistFetched);
    connect(&d->fetcher, &PlaylistFetcher::failed, this, &StreamEngine::playlistFetchFailed);
    d->q = this;
    d->relay = OwnerRelay::create(this);
    d->watchdog.setSingleShot(true);
    connect(&d->watchdog, &QTimer::timeout, this, [this] { d->checkStall(); });
    GstSupport::prewarm();
}

GstStreamEngine::~GstStreamEngine()
{
    close();
    d->relay->detach();
}

void GstStreamEngine::open(const QString& uri, bool detectPlaylist)
{
    close();
    d->uri = uri;
    d->detectPlaylist = detectPlaylist;
    d->session = std::make_shared<Session>();
    d->session->relay = d->relay;
    d->session->owner = d.get();
    d->session->generation = d->generation;
    d->openedMs = nowMs();

    if (!GstSupport::ensureInit() ||
        !(d->pipeline = gst_element_factory_make("playbin", nullptr))) {
        d->pipeline = nullptr;
        d->relay->post([this, gen = d->generation] {
            if (gen == d->generation)
                Q_EMIT failed(StreamError::make(StreamError::UnsupportedFormat, {},
                                                QStringLiteral("playbin")));
        });
        return;
    }
    gst_object_ref_sink(d->pipeline);

    const QByteArray sinkDescription = qgetenv("SKYTUNER_AUDIO_SINK");
    GError* error = nullptr;
    d->audioSink = sinkDescription.isEmpty()
                       ? gst_element_factory_make("autoaudiosink", nullptr)
                       : gst_parse_bin_from_description(sinkDescription.constData(), TRUE, &error);
    if (!d->audioSink) {
        d->failLater(StreamError::make(StreamError::NoAudioOutput, {},
                                       GstSupport::toQString(error ? error->message : nullptr)));
        g_clear_error(&error);
        return;
    }
    GstElement* output = GstAudioOutput::wrap(d->audioSink, d->gains);
    if (!output) {
        d->audioSink = nullptr;
        d->failLater(
            StreamError::make(StreamError::UnsupportedFormat, {}, QStringLiteral("audioconvert")));
        return;
    }
    if (GstPad* pad = gst_element_get_static_pad(output, "sink")) {
        AudioProgress::watch(pad, d->session->audio);
        gst_object_unref(pad);
    }
    const QByteArray encoded = uri.toUtf8();
    g_object_set(d->pipeline, "uri", encoded.constData(), "flags", PlayFlags, "audio-sink", output,
                 nullptr);
    g_signal_connect_data(
        d->pipeline, "source-setup", G_CALLBACK(Private::sourceSetup), newSessionRef(d->session),
        GClosureNotify(+[](gpointer data, GClosure*) { deleteSession(data); }), GConnectFlags(0));
    GstBus* bus = gst_element_get_bus(d->pipeline);
    gst_bus_set_sync_handler(bus, Private::syncHandler, newSessionRef(d->session), deleteSession);
    gst_object_unref(bus);

    d->checkStall();
    GstSupport::changeState(d->pipeline, GST_STATE_PAUSED);
}

void GstStreamEngine::close()
{
    ++d->generation;
    d->watchdog.stop();
    d->playing = false;
    d->failed = false;
    d->sawBuffering = false;
    d->gotHeaders = false;
    d->outputWarned = false;
    d->bufferPercent = 0;
    d->missingDecoder.clear();
    d->title.clear();
    d->stationName.clear();
    d->audioSink = nullptr;
    if (!d->pipeline)
        return;
    GstBus* bus = gst_element_get_bus(d->pipeline);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    g_signal_handlers_disconnect_matched(d->pipeline, G_SIGNAL_MATCH_FUNC, 0, 0, nullptr,
                                         reinterpret_cast<gpointer>(Private::sourceSetup), nullptr);
    // Stopping joins the streaming threads, which may sit in a network read: never here.
    GstSupport::dispose(d->pipeline);
    d->pipeline = nullptr;
}

void GstStreamEngine::setStarveLimitMs(int ms)
{
    d->starveLimitMs = ms;
}

void GstStreamEngine::setGains(double left, double right)
{
    d->gains->left = float(std::clamp(left, 0.0, 1.0));
    d->gains->right = float(std::clamp(right, 0.0, 1.0));
}

std::unique_ptr<StreamEngine> GstStreamEngine::create()
{
    return std::make_unique<GstStreamEngine>();
}

void GstStreamEngine::fetchPlaylist(const QString& uri)
{
    d->fetcher.fetch(uri);
}

void GstStreamEngine::cancelFetch()
{
    d->fetcher.cancel();
}

QString GstStreamEngine::versionInfo() const
{
    return gstreamerVersion();
}

QString GstStreamEngine::gstreamerVersion()
{
    GstSupport::ensureInit();
    gchar* text = gst_version_string();
    const QString version = GstSupport::toQString(text);
    g_free(text);
    return version;
}
