#include "stream/gst/PlaylistFetcher.h"

#include "stream/ConnectProbe.h"
#include "stream/OwnerRelay.h"
#include "stream/StreamAddress.h"
#include "stream/gst/GstSupport.h"

#include <QTimer>

#include <mutex>

namespace {

// Shared with the streaming thread of one download.
struct Download
{
    std::shared_ptr<OwnerRelay> relay;
    std::function<void(bool complete)> finished; // these two run on the owner's thread
    std::function<void(const std::shared_ptr<GstMessage>&)> errored;
    std::mutex mutex;
    QByteArray data;
    bool done = false;
};
using DownloadPtr = std::shared_ptr<Download>;

void finish(Download& d, bool complete)
{
    {
        std::lock_guard lock(d.mutex);
        if (d.done)
            return;
        d.done = true;
    }
    d.relay->post([f = d.finished, complete] { f(complete); });
}

void onHandoff(GstElement*, GstBuffer* buffer, GstPad*, gpointer data)
{
    Download& d = **static_cast<DownloadPtr*>(data);
    bool full = false;
    GstMapInfo map;
    if (gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        std::lock_guard lock(d.mutex);
        if (!d.done)
            d.data.append(reinterpret_cast<const char*>(map.data), qsizetype(map.size));
        full = d.data.size() > PlaylistParser::MaxSize;
        gst_buffer_unmap(buffer, &map);
    }
    if (full)
        finish(d, false);
}

void deleteDownload(gpointer data)
{
    delete static_cast<DownloadPtr*>(data);
}

} // namespace

struct PlaylistFetcher::Private
{
    PlaylistFetcher* q = nullptr;
    std::shared_ptr<OwnerRelay> relay;
    GstElement* pipeline = nullptr;
    DownloadPtr download;
    QString uri;
    quint64 generation = 0;
    QTimer timeout;
    bool errorSeen = false;

    void complete(bool ok);
    void error(GstMessage* message);
};

void PlaylistFetcher::Private::complete(bool ok)
{
    timeout.stop();
    QByteArray data;
    {
        std::lock_guard lock(download->mutex);
        data = download->data;
    }
    const QString base = uri;
    q->cancel();
    if (!ok)
        Q_EMIT q->failed(StreamError::make(StreamError::PlaylistTooLarge));
    else
        Q_EMIT q->fetched(PlaylistParser::parse(data, base));
}

void PlaylistFetcher::Private::error(GstMessage* message)
{
    if (errorSeen)
        return;
    errorSeen = true;
    timeout.stop();
    bool needsProbe = false;
    const StreamError e = GstSupport::classifyError(message, nullptr, {}, needsProbe);
    const StreamAddress address = StreamAddress::parse(uri);
    if (!needsProbe || address.kind != StreamAddress::Network) {
        q->cancel();
        Q_EMIT q->failed(e);
        return;
    }
    ConnectProbe::diagnose(address.host, address.port, 3000, relay,
                           [this, gen = generation](StreamError probed) {
                               if (gen != generation)
                                   return;
                               q->cancel();
                               Q_EMIT q->failed(probed);
                           });
}

PlaylistFetcher::PlaylistFetcher(QObject* parent) : QObject(parent), d(std::make_unique<Private>())
{
    d->q = this;
    d->relay = OwnerRelay::create(this);
    d->timeout.setSingleShot(true);
    connect(&d->timeout, &QTimer::timeout, this, [this] {
        cancel();
        Q_EMIT failed(StreamError::make(StreamError::Timeout, StreamAddress::parse(d->uri).host));
    });
}

PlaylistFetcher::~PlaylistFetcher()
{
    cancel();
    d->relay->detach();
}

void PlaylistFetcher::fetch(const QString& uri)
{
    cancel();
    d->uri = uri;
    d->errorSeen = false;
    const quint64 gen = d->generation;
    d->download = std::make_shared<Download>();
    d->download->relay = d->relay;
    d->download->finished = [this, gen](bool ok) {
        if (gen == d->generation)
            d->complete(ok);
    };
    d->download->errored = [this, gen](const std::shared_ptr<GstMessage>& message) {
        if (gen == d->generation)
            d->error(message.get());
    };

    GError* error = nullptr;
    GstElement* source =
        GstSupport::ensureInit()
            ? gst_element_make_from_uri(GST_URI_SRC, uri.toUtf8().constData(), nullptr, &error)
            : nullptr;
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    if (!source || !sink) {
        g_clear_error(&error);
        gst_clear_object(&source);
        gst_clear_object(&sink);
        d->relay->post([this, gen] {
            if (gen == d->generation)
                Q_EMIT failed(StreamError::make(StreamError::UnsupportedFormat));
        });
        return;
    }
    GstSupport::configureSource(source, false);
    g_object_set(sink, "sync", FALSE, "signal-handoffs", TRUE, nullptr);
    g_signal_connect_data(sink, "handoff", G_CALLBACK(onHandoff), new DownloadPtr(d->download),
                          GClosureNotify(+[](gpointer data, GClosure*) { deleteDownload(data); }),
                          GConnectFlags(0));

    d->pipeline = GST_ELEMENT(gst_object_ref_sink(gst_pipeline_new(nullptr)));
    gst_bin_add_many(GST_BIN(d->pipeline), source, sink, nullptr);
    gst_element_link(source, sink);
    GstBus* bus = gst_element_get_bus(d->pipeline);
    gst_bus_set_sync_handler(
        bus,
        [](GstBus*, GstMessage* message, gpointer data) {
            Download& dl = **static_cast<DownloadPtr*>(data);
            // Dropped messages are ours to release (see GstStreamEngine's handler).
            std::shared_ptr<GstMessage> held(message, gst_message_unref);
            if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS)
                finish(dl, true);
            else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR)
                dl.relay->post([f = dl.errored, held] { f(held); });
            return GST_BUS_DROP;
        },
        new DownloadPtr(d->download), deleteDownload);
    gst_object_unref(bus);
    d->timeout.start(GstSupport::IoTimeoutSeconds * 1000);
    GstSupport::changeState(d->pipeline, GST_STATE_PLAYING);
}

void PlaylistFetcher::cancel()
{
    ++d->generation;
    d->timeout.stop();
    if (!d->pipeline)
        return;
    GstBus* bus = gst_element_get_bus(d->pipeline);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    GstSupport::dispose(d->pipeline);
    d->pipeline = nullptr;
}
