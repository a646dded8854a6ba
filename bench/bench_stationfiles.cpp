// Listing a folder of 1,000 station lists as the chooser does: every row with
// its size and date text, from the call until the last row has arrived on the
// calling thread. Prints the median of 20 runs.
#include "MedianTime.h"
#include "dialogs/logic/StationFilesLogic.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {
constexpr int Lists = 1000;
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QByteArray list = "[STATION:]Stanice|http://127.0.0.1:8000/stream.mp3|0|0|0|1\r\n\r\n";
    for (int n = 0; n < Lists; ++n) {
        QFile file(dir.filePath(QStringLiteral("seznam%1.tlist").arg(n)));
        if (!file.open(QIODevice::WriteOnly) || file.write(list) != list.size())
            return 1;
    }

    StationFilesLogic logic;
    qsizetype rows = 0;
    QObject::connect(&logic, &StationFilesLogic::RowsFound, &app,
                     [&](const QList<StationFilesLogic::Row>& batch) { rows += batch.size(); });
    bool complete = true;
    const double listing = Bench::medianMs([&] {
        rows = 0;
        QEventLoop loop;
        QObject::connect(&logic, &StationFilesLogic::Finished, &loop, &QEventLoop::quit);
        logic.ReadDirectory(dir.path());
        loop.exec();
        complete = complete && rows == Lists;
    });
    if (!complete) {
        std::fprintf(stderr, "the listing lost rows\n");
        return 1;
    }
    std::printf("Station list chooser, a folder of %d lists, median of %d runs:\n", Lists,
                Bench::Runs);
    std::printf("  ReadDirectory until the last row:  %.2f ms (target < 50 ms)\n", listing);
    return 0;
}
