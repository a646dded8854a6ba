// A live sine tone over RTSP for the player's tests: rtsp://127.0.0.1:PORT/tone,
// MP3 in RTP (the payload a radio would use), shared by all clients. At
// /udp-lost the same tone's RTP over UDP goes to ports nobody listens on, as
// when a firewall drops it; RTP inside the RTSP connection (TCP) still works.
// Runs until killed; the test harness kills it with the test.
//   rtsp_tone_server PORT
#include <gst/gst.h>
#include <gst/rtsp-server/rtsp-server.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* UdpLostPath = "/udp-lost";

gboolean (*defaultConfigureTransport)(GstRTSPClient*, GstRTSPContext*, GstRTSPTransport*);

gboolean configureTransport(GstRTSPClient* client, GstRTSPContext* ctx, GstRTSPTransport* ct)
{
    if (!defaultConfigureTransport(client, ctx, ct))
        return FALSE;
    if (ct->lower_transport == GST_RTSP_LOWER_TRANS_UDP && ctx->uri &&
        g_str_has_prefix(ctx->uri->abspath, UdpLostPath)) {
        ct->client_port.min = 9; // discard: nothing reads it
        ct->client_port.max = 10;
    }
    return TRUE;
}

GstRTSPMediaFactory* toneFactory()
{
    GstRTSPMediaFactory* factory = gst_rtsp_media_factory_new();
    gst_rtsp_media_factory_set_launch(
        factory, "( audiotestsrc is-live=true wave=sine freq=440 volume=0.5 ! audioconvert "
                 "! audioresample ! audio/x-raw,rate=44100,channels=2 "
                 "! lamemp3enc target=bitrate bitrate=128 cbr=true ! rtpmpapay name=pay0 pt=96 )");
    gst_rtsp_media_factory_set_shared(factory, TRUE);
    return factory;
}

} // namespace

int main(int argc, char** argv)
{
    gst_init(&argc, &argv);
    if (argc != 2 || std::atoi(argv[1]) <= 0) {
        std::fprintf(stderr, "usage: rtsp_tone_server PORT\n");
        return 2;
    }
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    GstRTSPServer* server = gst_rtsp_server_new();
    g_object_set(server, "address", "127.0.0.1", "service", argv[1], nullptr);

    auto* clientClass = static_cast<GstRTSPClientClass*>(g_type_class_ref(GST_TYPE_RTSP_CLIENT));
    defaultConfigureTransport = clientClass->configure_client_transport;
    clientClass->configure_client_transport = configureTransport;

    GstRTSPMountPoints* mounts = gst_rtsp_server_get_mount_points(server);
    gst_rtsp_mount_points_add_factory(mounts, "/tone", toneFactory());
    gst_rtsp_mount_points_add_factory(mounts, UdpLostPath, toneFactory());
    g_object_unref(mounts);

    if (gst_rtsp_server_attach(server, nullptr) == 0) {
        std::fprintf(stderr, "rtsp_tone_server: cannot listen on port %s\n", argv[1]);
        return 1;
    }
    g_main_loop_run(loop);
    return 0;
}
