// A live sine tone over RTSP for the player's tests: rtsp://127.0.0.1:PORT/tone,
// MP3 in RTP (the payload a radio would use), shared by all clients. Runs until
// killed; the test harness kills it with the test.
//   rtsp_tone_server PORT
#include <gst/gst.h>
#include <gst/rtsp-server/rtsp-server.h>

#include <cstdio>
#include <cstdlib>

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

    GstRTSPMediaFactory* factory = gst_rtsp_media_factory_new();
    gst_rtsp_media_factory_set_launch(
        factory, "( audiotestsrc is-live=true wave=sine freq=440 volume=0.5 ! audioconvert "
                 "! audioresample ! audio/x-raw,rate=44100,channels=2 "
                 "! lamemp3enc target=bitrate bitrate=128 cbr=true ! rtpmpapay name=pay0 pt=96 )");
    gst_rtsp_media_factory_set_shared(factory, TRUE);
    GstRTSPMountPoints* mounts = gst_rtsp_server_get_mount_points(server);
    gst_rtsp_mount_points_add_factory(mounts, "/tone", factory);
    g_object_unref(mounts);

    if (gst_rtsp_server_attach(server, nullptr) == 0) {
        std::fprintf(stderr, "rtsp_tone_server: cannot listen on port %s\n", argv[1]);
        return 1;
    }
    g_main_loop_run(loop);
    return 0;
}
