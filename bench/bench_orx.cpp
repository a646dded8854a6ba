// Converting an ORX file of 10,000 records (Windows-1250, CR LF, as the older
// program wrote them) into a station list. Prints the median of 20 runs beside
// reading the resulting station list, and the record scan alone.
#include "MedianTime.h"
#include "common/AnsiCodePage.h"
#include "common/clsFunctionLib.h"
#include "stations/OrxFormat.h"
#include "stations/modTLIST.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Records = 10000;

QByteArray orxFile()
{
    QString text =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<RADIOLIST>\r\n");
    for (int i = 0; i < Records; ++i) {
        text +=
            QString::fromUtf8("<RADIOSTATION>\r\n"
                              "  <STATIONNAME>Příliš žluťoučký kůň %1</STATIONNAME>\r\n"
                              "  <STATIONURL>http://127.0.0.1:8000/stream%1.mp3</STATIONURL>\r\n"
                              "  <STATIONCOLOR>%2</STATIONCOLOR>\r\n"
                              "  <VISIBLE>1</VISIBLE>\r\n"
                              "  <BOLD>%3</BOLD>\r\n"
                              "</RADIOSTATION>\r\n")
                .arg(i)
                .arg(i * 65)
                .arg(i % 3 == 0 ? 1 : 0);
    }
    text += QStringLiteral("</RADIOLIST>\r\n");
    return AnsiCodePage::encode(text);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString source = dir.filePath("stanice.orx");
    const QString target = dir.filePath("stanice.tlist");
    const QByteArray bytes = orxFile();
    {
        QFile file(source);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 1;
    }

    bool converted = true;
    const double convert =
        Bench::medianMs([&] { converted = converted && TLIST_ConvertORX(source, target); });
    // One line per record and the final empty line.
    const qsizetype lineEnds = clsFunctionLib().FNC_GetFileContent(target).count(u'\n');
    if (!converted || lineEnds != Records + 1) {
        std::fprintf(stderr, "conversion failed or lost stations\n");
        return 1;
    }
    const QString text = clsFunctionLib().FNC_GetFileContent(source);
    const double scan = Bench::medianMs([&] { OrxFormat::convert(text); });
    const double load = Bench::medianMs([&] { TLIST_LoadFile(target); });

    std::printf("ORX conversion, %d records (%.1f MB), median of %d runs:\n", Records,
                bytes.size() / 1e6, Bench::Runs);
    std::printf("  TLIST_ConvertORX (read + scan + write):   %.2f ms (target < 100 ms)\n", convert);
    std::printf("  reference: record scan alone (in memory):  %.2f ms\n", scan);
    std::printf("  reference: TLIST_LoadFile of the result:   %.2f ms (%d stations read)\n", load,
                int(colStations.size()));
    return 0;
}
