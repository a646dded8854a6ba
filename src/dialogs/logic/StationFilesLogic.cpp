#include "dialogs/logic/StationFilesLogic.h"

#include "common/clsFunctionLib.h"

#include <QDateTime>
#include <QDirIterator>
#include <QPromise>
#include <QThreadPool>

#include <memory>

namespace {

// Rows reach the window in batches: few enough events for a fast disk, and the
// first rows at once on a slow one.
constexpr int BatchSize = 200;

// One batch: the results are reported together once the promise's lock is
// released (Qt 6.4 has no addResults for a list).
void addBatch(QPromise<StationFilesLogic::Row>& promise, QList<StationFilesLogic::Row>& batch)
{
    for (StationFilesLogic::Row& row : batch)
        promise.addResult(std::move(row));
    batch.clear();
}

void listFolder(QPromise<StationFilesLogic::Row>& promise, const QString& folder,
                const QLocale& locale)
{
    QList<StationFilesLogic::Row> batch;
    // Files only (no folders), hidden and system entries (sockets, broken
    // links) left out; the name filter ignores letter case.
    QDirIterator entries(folder, {QStringLiteral("*.tlist")}, QDir::Files);
    while (entries.hasNext() && !promise.isCanceled()) {
        const QFileInfo file = entries.nextFileInfo();
        const QDateTime modified = file.lastModified();
        if (!modified.isValid())
            break; // gone since the folder was read: the listing ends here
        batch.append({folder + file.fileName(), file.fileName(),
                      StationFilesLogic::SizeText(file.size(), locale),
                      StationFilesLogic::DateText(modified)});
        if (batch.size() == BatchSize)
            addBatch(promise, batch);
    }
    addBatch(promise, batch);
}

} // namespace

StationFilesLogic::StationFilesLogic(QObject* parent) : QObject(parent)
{
    connect(&m_watcher, &QFutureWatcherBase::resultsReadyAt, this, [this](int begin, int end) {
        QList<Row> rows;
        for (int index = begin; index < end; ++index)
            rows.append(m_watcher.resultAt(index));
        Q_EMIT RowsFound(rows);
    });
    connect(&m_watcher, &QFutureWatcherBase::finished, this, [this] {
        if (m_watcher.isCanceled())
            return;
        m_listing = false;
        Q_EMIT Finished();
    });
}

StationFilesLogic::~StationFilesLogic()
{
    m_watcher.cancel();
    m_watcher.waitForFinished();
}

QString StationFilesLogic::Caption(const QString& folder)
{
    return QStringLiteral("Seznamy stanice [") + folder + u']';
}

QString StationFilesLogic::SizeText(qint64 bytes, const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(double(bytes) / 1000, 'f', 3) + QStringLiteral(" kB");
}

QString StationFilesLogic::DateText(const QDateTime& modified)
{
    return modified.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

void StationFilesLogic::ReadDirectory(const QString& folder)
{
    // A listing still running is dropped: its rows would belong to another folder.
    if (m_watcher.isRunning()) {
        m_watcher.cancel();
        m_watcher.waitForFinished();
    }
    auto promise = std::make_shared<QPromise<Row>>();
    const QString path = clsFunctionLib().FNC_AddPathSlashes(folder);
    const QLocale locale; // the user's, read on this thread
    m_watcher.setFuture(promise->future());
    m_listing = true;
    Q_EMIT Started();
    QThreadPool::globalInstance()->start([promise, path, locale] {
        promise->start();
        listFolder(*promise, path, locale);
        promise->finish();
    });
}

StationFilesLogic::Sort StationFilesLogic::ColumnClick(Sort current, int clicked)
{
    if (current.column == clicked)
        current.order =
            current.order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    current.column = clicked;
    return current;
}
