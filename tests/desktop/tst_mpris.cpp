// The desktop's media controls: the main window publishes MPRIS 2 on a private
// session bus started here, and a QtDBus client on a connection of its own
// reads every property of both interfaces, calls each method, hears state,
// volume and a title change from the Icecast server, raises the window out of
// the tray, sees a second skyTuner run on without the name or without a bus,
// and quits the window.
#include "ChildProcess.h"
#include "IcecastServer.h"
#include "ProgramFiles.h"
#include "desktop/MprisRules.h"
#include "player/frmPlayer.h"
#include "stream/MediaPlayer.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString Name = u"org.mpris.MediaPlayer2.skytuner"_s, Path = u"/org/mpris/MediaPlayer2"_s,
              Root = u"org.mpris.MediaPlayer2"_s, Player = Root + u".Player"_s,
              Properties = u"org.freedesktop.DBus.Properties"_s;

// A value off the bus as text: lists joined by ",", maps as "key=value;...".
QString text(const QVariant& v)
{
    const QMetaType type = v.metaType();
    if (type == QMetaType::fromType<QDBusVariant>())
        return text(v.value<QDBusVariant>().variant());
    if (type == QMetaType::fromType<QDBusObjectPath>())
        return v.value<QDBusObjectPath>().path();
    if (type == QMetaType::fromType<QStringList>())
        return v.toStringList().join(u',');
    if (type != QMetaType::fromType<QDBusArgument>() && type != QMetaType::fromType<QVariantMap>())
        return v.toString();
    QStringList items;
    const QVariantMap map = qdbus_cast<QVariantMap>(v);
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        items << it.key() + u'=' + text(it.value());
    return items.join(u';');
}

// Per interface, its properties before anything plays. (Its methods: each is
// called below.)
const struct
{
    QString interface, properties;
} Interfaces[] = {
    {Root,
     u"CanQuit=true;CanRaise=true;DesktopEntry=skytuner;HasTrackList=false;Identity=skyTuner;"
     "SupportedMimeTypes=audio/mpeg,audio/aac,audio/ogg,audio/opus,audio/x-ms-wma,audio/x-mpegurl,"
     "audio/x-scpls,application/vnd.apple.mpegurl,video/x-ms-asf,application/xspf+xml;"
     "SupportedUriSchemes=http,https,rtsp,mms,mmsh,file"_s},
    {Player,
     u"CanControl=true;CanGoNext=true;CanGoPrevious=true;CanPause=true;CanPlay=true;CanSeek=false;"
     "MaximumRate=1;Metadata=mpris:trackid=/org/mpris/MediaPlayer2/TrackList/NoTrack;MinimumRate=1;"
     "PlaybackStatus=Stopped;Position=0;Rate=1;Volume=0.5"_s},
};

} // namespace

class TestMpris : public QObject
{
    Q_OBJECT

    IcecastServer m_server;
    TemporaryProgramFolder m_folder;
    QProcess m_bus;
    std::unique_ptr<frmPlayer> m_window;
    QVariantMap m_heard; // the latest value of each player property, as changes said

    static QDBusConnection client() { return QDBusConnection(u"client"_s); }

    // The reply's first argument, or the error's name (bounded).
    QVariant call(const QString& interface, const QString& method, const QVariantList& args = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(Name, Path, interface, method);
        message.setArguments(args);
        const QDBusPendingCall pending = client().asyncCall(message, 5000);
        if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 6000))
            return u"no reply"_s;
        const QDBusMessage reply = pending.reply();
        return reply.type() == QDBusMessage::ErrorMessage ? reply.errorName()
                                                          : reply.arguments().value(0);
    }
    QString playbackStatus()
    {
        return text(call(Properties, u"Get"_s, {Player, u"PlaybackStatus"_s}));
    }
    QString lastHeard(const QString& name) const { return text(m_heard.value(name)); }

public Q_SLOTS:
    void changed(const QString& interface, const QVariantMap& values)
    {
        if (interface == Player)
            m_heard.insert(values);
    }

private Q_SLOTS:
    void initTestCase()
    {
        ChildProcess::killWithTest(&m_bus);
        m_bus.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address"_s});
        QVERIFY(m_bus.waitForReadyRead(5000));
        const QByteArray address = m_bus.readLine().trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        QVERIFY(
            QDBusConnection::connectToBus(QString::fromLatin1(address), u"client"_s).isConnected());
        QVERIFY(client().connect({}, Path, Properties, u"PropertiesChanged"_s, this,
                                 SLOT(changed(QString, QVariantMap))));
        // A notification area host, so that minimising hides the window in the tray.
        QVERIFY(client().registerService(u"org.kde.StatusNotifierWatcher"_s));
        QVERIFY2(m_server.start(), qPrintable(m_server.errorString()));
        const QString list = ProgramFiles::writeList(
            m_folder, u"mpris.tlist"_s,
            {{u"Beta"_s, m_server.oggUrl()}, {u"Alfa"_s, m_server.mp3Url()}});
        QVERIFY(ProgramFiles::writeSettings(m_folder, {u"systray=1"_s, u"list="_s + list}));
        m_window = std::make_unique<frmPlayer>();
        m_window->show();
        QTRY_VERIFY(client().interface()->isServiceRegistered(Name));
    }

    void cleanupTestCase()
    {
        m_window.reset();
        ChildProcess::stop(&m_bus);
    }

    void propertiesAsPublished()
    {
        for (const auto& [name, properties] : Interfaces)
            QCOMPARE(text(call(Properties, u"GetAll"_s, {name})), properties);
    }

    // Each row: calls in order, then the status and address read and last heard.
    void eachMethodActs_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("url");
        for (const auto& [calls, status, mount] :
             {std::tuple{"OpenUri:mp3 Pause", "Stopped", "mp3"},
              {"OpenUri:mp3 Stop Play", "Playing", "mp3"},
              {"OpenUri:mp3 PlayPause", "Stopped", "mp3"},
              {"OpenUri:mp3 Stop PlayPause", "Playing", "mp3"},
              {"OpenUri:mp3 Next", "Playing", "ogg"},
              {"OpenUri:mp3 Next Next", "Playing", "mp3"},
              {"OpenUri:mp3 Previous", "Playing", "ogg"},
              {"OpenUri:ogg Seek SetPosition", "Playing", "ogg"},
              {"OpenUri:ogg Stop", "Stopped", "ogg"}})
            QTest::newRow(calls) << status
                                 << (mount == "mp3"_L1 ? m_server.mp3Url() : m_server.oggUrl());
    }

    void eachMethodActs()
    {
        QFETCH(QString, status);
        QFETCH(QString, url);
        const QVariant noTrack = QVariant::fromValue(QDBusObjectPath(MprisRules::NoTrack));
        const QMap<QString, QVariantList> args{{u"OpenUri:mp3"_s, {m_server.mp3Url()}},
                                               {u"OpenUri:ogg"_s, {m_server.oggUrl()}},
                                               {u"Seek"_s, {5000000LL}},
                                               {u"SetPosition"_s, {noTrack, 0LL}}};
        // A listener knows the status it read plus the changes it heard: calls
        // that end where they began may send nothing.
        m_heard.insert(u"PlaybackStatus"_s, playbackStatus());
        for (const QString& c : QString::fromLatin1(QTest::currentDataTag()).split(u' '))
            QCOMPARE(call(Player, c.section(u':', 0, 0), args.value(c)), QVariant());
        QCOMPARE(playbackStatus(), status);
        QTRY_COMPARE(lastHeard(u"PlaybackStatus"_s), status);
        QTRY_VERIFY(lastHeard(u"Metadata"_s).contains(u"xesam:url="_s + url));
    }

    void volumeIsThePlayersVolume()
    {
        QCOMPARE(call(Properties, u"Set"_s,
                      {Player, u"Volume"_s, QVariant::fromValue(QDBusVariant(0.3))}),
                 QVariant());
        QCOMPARE(m_window->WMP().settings().volume(), 30);
        QTRY_COMPARE(lastHeard(u"Volume"_s), u"0.3"_s);
        QTest::keyClick(m_window.get(), Qt::Key_Right, Qt::ControlModifier);
        QTRY_COMPARE(lastHeard(u"Volume"_s), u"0.35"_s);
    }

    void titleFromTheStreamIsHeard()
    {
        call(Player, u"OpenUri"_s, {m_server.mp3Url()});
        const QString title = u"xesam:artist=Alfa;xesam:title="_s;
        QTRY_VERIFY_WITH_TIMEOUT(
            lastHeard(u"Metadata"_s).contains(title + QLatin1String(IcecastServer::Mp3Title)),
            15000);
        QVERIFY(
            m_server.setTitle(QLatin1String(IcecastServer::Mp3Mount), u"New Artist - New Song"_s));
        QTRY_VERIFY_WITH_TIMEOUT(
            lastHeard(u"Metadata"_s).contains(title + u"New Artist - New Song"_s), 15000);
        QCOMPARE(playbackStatus(), u"Playing"_s);
    }

    void raiseBringsTheWindowBackFromTheTray()
    {
        QTest::keyClick(m_window.get(), Qt::Key_Escape, Qt::ShiftModifier);
        QTRY_VERIFY(m_window->isHidden());
        QCOMPARE(call(Root, u"Raise"_s), QVariant());
        QTRY_VERIFY(m_window->isVisible() && !m_window->isMinimized());
    }

    // The name is taken, or there is no bus: a second program says so once and runs on.
    void secondProgramRunsWithoutTheName_data()
    {
        QTest::addColumn<QString>("bus");
        QTest::addColumn<QByteArray>("said");
        QTest::newRow("name taken")
            << qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS") << QByteArray("is taken");
        QTest::newRow("no session bus") << u"disabled:"_s << QByteArray("no session bus");
    }

    void secondProgramRunsWithoutTheName()
    {
        QFETCH(QString, bus);
        QFETCH(QByteArray, said);
        QTemporaryDir home;
        QProcess second;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"SKYTUNER_HOME"_s, home.path());
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, bus);
        second.setProcessEnvironment(environment);
        ChildProcess::killWithTest(&second);
        second.start(QStringLiteral(SKYTUNER_BINARY_DIR "/skytuner"), {});
        QByteArray log;
        QTRY_VERIFY_WITH_TIMEOUT((log += second.readAllStandardError()).contains(said), 15000);
        QVERIFY(!second.waitForFinished(1500));
        QCOMPARE(QByteArray(log + second.readAllStandardError()).count("(MPRIS)"), 1);
        QCOMPARE(client().interface()->serviceOwner(Name).value(),
                 QDBusConnection::sessionBus().baseService());
        ChildProcess::stop(&second);
    }

    void quitClosesAsZavritDoes()
    {
        QSignalSpy unloaded(m_window.get(), &frmPlayer::Unloaded);
        QCOMPARE(call(Root, u"Quit"_s), QVariant());
        QTRY_COMPARE(unloaded.count(), 1);
        QVERIFY(TestFolders::readBytes(m_folder.file("skytuner.ini"))
                    .contains(QByteArray("lasturl=" + m_server.mp3Url().toUtf8() + "\r\n")));
    }
};

QTEST_MAIN(TestMpris)
#include "tst_mpris.moc"
