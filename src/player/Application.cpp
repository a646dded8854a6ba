#include "player/Application.h"

#include "common/Version.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QTranslator>

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

    QMainWindow window;
    window.setWindowTitle(Version::caption());
    window.show();
    return app.exec();
}

} // namespace Application
