#include "player/Application.h"

#include "common/Version.h"
#include "player/TerminationSignals.h"
#include "player/frmPlayer.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace Application {

void installTranslations()
{
    auto* translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral("qtbase_cs"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

int run(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(Version::ProductName));
    QApplication::setApplicationVersion(QLatin1String(Version::Number));
    installTranslations();
    TerminationSignals termination;

    // The main window's load handler brings the program up (and starts the last
    // stream with "autostart"); the program lives as long as the window.
    const auto window = std::make_unique<frmPlayer>();
    QObject::connect(
        window.get(), &frmPlayer::Unloaded, &app, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);

    // Every way of ending runs the same shut-down, once: the close box and the
    // close commands close the window themselves; SIGTERM, SIGINT and SIGHUP close
    // it here. The desktop session saves itself first (a checkpoint or a logout,
    // which another program may still cancel): the settings are written and the
    // program goes on; when the session really ends, the session manager's Die
    // quits the application, which closes the window.
    const auto shutDown = [w = window.get()] {
        w->close();
    };
    QObject::connect(&termination, &TerminationSignals::Requested, window.get(), shutDown);
    QObject::connect(
        &app, &QGuiApplication::commitDataRequest, window.get(),
        [w = window.get()] { w->CommitSettings(); }, Qt::DirectConnection);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, window.get(), shutDown);

    window->show();
    return app.exec();
}

} // namespace Application
