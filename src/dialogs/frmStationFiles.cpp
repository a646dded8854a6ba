#include "dialogs/frmStationFiles.h"

#include "common/Logging.h"
#include "common/ProgramFolder.h"
#include "controls/ButtonEx.h"
#include "controls/Container3D.h"
#include "dialogs/DialogHost.h"
#include "dialogs/DialogParts.h"
#include "platform/BrowseForFolder.h"
#include "platform/KeyedListView.h"
#include "platform/VirtualKeys.h"
#include "platform/WaitCursor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

using DialogParts::button;

namespace {

constexpr int WaitFrames = 8;

QIcon waitFrame(int frame)
{
    return QIcon(QStringLiteral(":/images/wait%1.svg").arg(frame + 1, 2, 10, QLatin1Char('0')));
}

} // namespace

frmStationFiles& frmStationFiles::instance()
{
    return DialogParts::single<frmStationFiles>(
        [](QWidget* parent) { return new frmStationFiles(parent); });
}

frmStationFiles::frmStationFiles(QWidget* parent) : KeyPreviewDialog(parent)
{
    setObjectName(QStringLiteral("frmStationFiles"));
    setWindowTitle(QStringLiteral("Výběr seznamu stanic"));
    resize(560, 360);

    m_list = new KeyedListView(this);
    m_list->setObjectName(QStringLiteral("lstStations"));
    m_list->setAccessibleName(QStringLiteral("Seznamy stanic"));
    m_list->setColumns({QStringLiteral("Název souboru"), QStringLiteral("Velikost"),
                        QStringLiteral("Datum a čas")});
    m_list->setColumnWidthPixels(0, 260);
    m_list->setColumnWidthPixels(1, 100);
    m_list->setSmallIcons({QIcon(QStringLiteral(":/images/list_file.svg"))});
    m_ok = button(this, "gbOK", QStringLiteral("&OK"));
    m_folder = button(this, "gbFolder", QStringLiteral("&Jiný adresář..."));
    m_cancel = button(this, "gbCancel", QStringLiteral("&Storno"));

    // Shown over the list while a folder is read.
    m_wait = new Container3D(this);
    m_wait->setObjectName(QStringLiteral("cntWait"));
    m_wait->setAccessibleName(QStringLiteral("Prosím čekejte..."));
    m_wait->setCtrlEffect(3);
    m_wait->resize(200, 48);
    m_waitImage = new QLabel(m_wait);
    m_waitImage->setObjectName(QStringLiteral("Image1"));
    m_waitImage->setGeometry(12, 8, 32, 32);
    m_waitImage->setPixmap(waitFrame(0).pixmap(32, 32));
    auto* waitText = new QLabel(QStringLiteral("Prosím čekejte..."), m_wait);
    waitText->setObjectName(QStringLiteral("Label1"));
    waitText->setGeometry(56, 8, 136, 32);
    m_wait->hide();
    m_waitTimer.setInterval(100);
    connect(&m_waitTimer, &QTimer::timeout, this, [this] {
        m_waitFrame = (m_waitFrame + 1) % WaitFrames;
        m_waitImage->setPixmap(waitFrame(m_waitFrame).pixmap(32, 32));
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_folder);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    setTabOrder(m_list, m_ok);
    setTabOrder(m_ok, m_folder);
    setTabOrder(m_folder, m_cancel);

    connect(&m_logic, &StationFilesLogic::RowsFound, this, &frmStationFiles::AddRows);
    connect(&m_logic, &StationFilesLogic::Finished, this, [this] {
        // The rows are all there from here on: what a user types now finds them.
        qCInfo(lcDialogs) << "station list files listed:" << m_list->rowCount();
        ListingDone();
    });
    connect(m_list, &KeyedListView::MouseDown, this, [this] {
        m_logic.MouseDown();
        m_ok->setEnabled(false);
    });
    connect(m_list, &KeyedListView::ItemClick, this, [this](int row) {
        m_logic.ItemClick(m_list->rowKey(row));
        m_ok->setEnabled(true);
    });
    connect(m_list, &KeyedListView::DblClick, this, &frmStationFiles::Confirm);
    connect(m_list, &KeyedListView::KeyDown, this, [this](int keyCode) {
        if (keyCode == VirtualKeys::Return)
            Confirm();
    });
    connect(m_list, &KeyedListView::ColumnClick, this, [this](int column) {
        m_sort = StationFilesLogic::ColumnClick(m_sort, column);
        m_list->setSorted(m_sort.column, m_sort.order);
    });
    connect(m_ok, &ButtonEx::Click, this, &frmStationFiles::Confirm);
    connect(m_folder, &ButtonEx::Click, this, &frmStationFiles::gbFolder_Click);
    connect(m_cancel, &ButtonEx::Click, this, &QDialog::reject);
}

frmStationFiles::~frmStationFiles() = default;

int frmStationFiles::exec()
{
    m_logic.MouseDown(); // nothing picked yet
    m_ok->setEnabled(false);
    m_sort = {};
    m_list->setUnsorted();
    const QString folder = ProgramFolder::path();
    setWindowTitle(StationFilesLogic::Caption(folder));
    ReadDirectory(folder);
    m_list->setFocus();
    return KeyPreviewDialog::exec();
}

void frmStationFiles::done(int result)
{
    ListingDone(); // the pointer comes back even if a listing still runs
    KeyPreviewDialog::done(result);
}

void frmStationFiles::resizeEvent(QResizeEvent* event)
{
    KeyPreviewDialog::resizeEvent(event);
    CentreWait();
}

void frmStationFiles::ReadDirectory(const QString& folder)
{
    if (!m_waitCursor)
        m_waitCursor.emplace();
    m_list->removeAllRows();
    CentreWait();
    m_wait->show();
    m_wait->raise();
    m_waitTimer.start();
    m_logic.ReadDirectory(folder);
}

void frmStationFiles::AddRows(const QList<StationFilesLogic::Row>& rows)
{
    m_list->beginUpdate();
    for (const StationFilesLogic::Row& file : rows) {
        const int row = m_list->addRow(file.key, file.name, 1);
        if (row < 0)
            continue;
        m_list->setSubItem(row, 1, file.size);
        m_list->setSubItem(row, 2, file.date);
    }
    m_list->endUpdate();
}

void frmStationFiles::ListingDone()
{
    m_waitTimer.stop();
    m_wait->hide();
    m_waitCursor.reset();
}

void frmStationFiles::CentreWait()
{
    const QRect list = m_list->geometry();
    m_wait->move(width() / 2 - m_wait->width() / 2,
                 list.top() + (list.height() - m_wait->height()) / 2);
}

void frmStationFiles::Confirm()
{
    const QString path = m_logic.SelectedPath();
    if (path.isEmpty())
        return;
    if (DialogHost* host = DialogHost::current())
        host->LoadStationList(path);
    accept();
}

void frmStationFiles::gbFolder_Click()
{
    const QString folder = modGlobal::BrowseForFolder(this);
    if (folder.isEmpty())
        return;
    setWindowTitle(StationFilesLogic::Caption(folder));
    ReadDirectory(folder);
}
