// frmPlayer: construction, start-up (Form_Load), shut-down and layout.
#include "player/frmPlayer.h"

#include "common/Logging.h"
#include "common/ProgramFolder.h"
#include "common/Version.h"
#include "common/modGlobal.h"
#include "desktop/MprisService.h"
#include "dialogs/frmConvertFile.h"
#include "platform/KeyedListView.h"
#include "platform/MessageBox.h"
#include "platform/Twips.h"
#include "player/DefaultStationList.h"
#include "player/PlaybackRules.h"
#include "player/PlayerImages.h"
#include "player/PlayerStatusBar.h"
#include "player/WindowLayout.h"
#include "player/WindowPlace.h"
#include "player/WindowTopMost.h"
#include "services/QtMagneticWindows.h"
#include "services/SysTray.h"
#include "services/cMagneticWnd.h"
#include "settings/PlayerSettings.h"
#include "stations/view/modTLISTView.h"
#include "stream/MediaPlayer.h"
#include "stream/gst/GstStreamEngine.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QToolBar>

using namespace modGlobal;

namespace {

frmPlayer* g_instance = nullptr;

int px(double twips)
{
    return Twips::toPixels(twips);
}

} // namespace

frmPlayer::frmPlayer(QWidget* parent) : QWidget(parent)
{
    g_instance = this;
    DialogHost::setCurrent(this);
    MessageBox::presentModuleErrors();
    m_player = new MediaPlayer(GstStreamEngine::create(), this);
    connect(m_player, &MediaPlayer::StatusChange, this, &frmPlayer::WMP_StatusChange);
    Form_Load();
}

std::unique_ptr<MediaPlayer> frmPlayer::createPreviewPlayer()
{
    return std::make_unique<MediaPlayer>(GstStreamEngine::create());
}

frmPlayer::~frmPlayer()
{
    qApp->removeEventFilter(this);
    TLIST_SetMainStationList(nullptr);
    if (g_instance == this)
        g_instance = nullptr;
    if (DialogHost::current() == this)
        DialogHost::setCurrent(nullptr);
}

frmPlayer* frmPlayer::instance()
{
    return g_instance;
}

// The designed window: client area 6210 x 4425 twips; toolbar, list, status bar;
// the player (created first, in the constructor) and the mini player hidden.
void frmPlayer::CreateControls()
{
    setObjectName(QStringLiteral("frmPlayer"));
    resize(px(WindowLayout::DesignedClientWidth), px(WindowLayout::DesignedClientHeight));

    CreateToolBar();

    m_list = new KeyedListView(this);
    m_list->setObjectName(QStringLiteral("lstStations"));
    m_list->setAccessibleName(QStringLiteral("Seznam stanic"));
    m_list->setSmallIcons(PlayerImages::imglStations());
    m_list->setIconSize(QSize(16, 16));
    m_list->setRootIsDecorated(false);
    m_list->header()->setStretchLastSection(false); // the columns keep the widths laid out
    TLIST_SetMainStationList(m_list);
    ConnectStationList();

    m_statusBar = new PlayerStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("statusBar"));
    m_statusBar->panel(QStringLiteral("proxy"))->setToolTip(QStringLiteral("Proxy vypnuto"));
    m_statusBar->panel(QStringLiteral("icon"))->setToolTip(QStringLiteral("Stav přehrávání"));
    m_statusBar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_statusBar, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowProductMenu(m_statusBar->mapToGlobal(pos)); });
    connect(m_statusBar, &PlayerStatusBar::PanelClick, this, [this](const QString& key) {
        if (key == QLatin1String("volume"))
            ShowVolumePopup();
    });

    m_miniPlayer = new QWidget(this);
    m_miniPlayer->setObjectName(QStringLiteral("cntMiniPlayer"));
    m_miniPlayer->hide();
    m_miniBar = new QLabel(m_miniPlayer);
    m_miniBar->setObjectName(QStringLiteral("imgMiniBar"));
    m_miniBar->setGeometry(px(60), px(50), 16, 16);
    m_miniBar->installEventFilter(this);
    m_miniBar->setPixmap(PlayerImages::image(PlayerImages::imglAnim(), 1).pixmap(16, 16));
    m_miniBar->setProperty("imageNumber", 1);

    CreateMenus();

    m_animTimer.setInterval(PlaybackRules::AnimIntervalMs);
    connect(&m_animTimer, &QTimer::timeout, this, &frmPlayer::tmrAnim_Timer);

    // Key preview: the window sees every key before the focused control.
    qApp->installEventFilter(this);
}

void frmPlayer::Form_Load()
{
    // The tray component first: ApplySettings gives it its style.
    m_cTray = std::make_unique<SysTray>();
    setWindowTitle(Version::caption());
    setWindowIcon(PlayerImages::image(PlayerImages::imglAnim(), 1));
    // With "autostart" the stream starts connecting here, and the controls are
    // built while it does.
    LoadSettings();
    CreateControls();
    connect(m_player, &MediaPlayer::VolumeChange, this, &frmPlayer::ShowVolume);
    // Columns and panels, then the stored place and the flags, before the window
    // is shown.
    InitControls();
    LoadWindowPosition();
    ApplySettings();
    // The window snaps to the work area's edges.
    m_magnetic = std::make_unique<cMagneticWnd>();
    m_magnetic->AddWindow(QtMagneticWindows::handleOf(this));
    // Form first: a new form clears the popup menu. The tray icon follows every
    // window icon (the animation).
    m_cTray->setForm(this);
    m_cTray->setIcon(PlayerImages::image(PlayerImages::imglAnim(), 1));
    m_cTray->setTrayTip(windowTitle());
    m_cTray->setRestoreFromTrayOn(64);
    m_cTray->setPopupMenu(m_trayMenu);
    connect(this, &frmPlayer::IconChanged, m_cTray.get(), &SysTray::setIcon);
    // Converted ORX files may add station lists before the current one loads.
    CheckForORXFiles();
    if (!CurrentListFile.isEmpty())
        LoadStationList(CurrentListFile);
    // On the desktop's media controls once the list is there; they follow its fills.
    m_mpris = std::make_unique<MprisService>(*this);
    const QAbstractItemModel* rows = m_list->model();
    connect(rows, &QAbstractItemModel::rowsInserted, m_mpris.get(), &MprisService::Refresh);
    connect(rows, &QAbstractItemModel::rowsRemoved, m_mpris.get(), &MprisService::Refresh);
    connect(rows, &QAbstractItemModel::modelReset, m_mpris.get(), &MprisService::Refresh);
}

void frmPlayer::LoadSettings()
{
    qCInfo(lcPlayer).noquote() << "folders" << ProgramFolder::path() << "|"
                               << ProgramFolder::dataPath();
    PlayerSettings::RemoveStaleTemporaries();
    const bool firstStart = PlayerSettings::CreateIfMissing();
    // The default station list joins the program folder, never over a user's file.
    const bool shipped = DefaultStationList::Install(ProgramFolder::path());
    const PlayerSettings::Values stored = PlayerSettings::Read();
    OnTopFlag = stored.onTop;
    TrayFlag = stored.sysTray;
    AnimFlag = stored.anim;
    m_player->settings().setVolume(stored.volume);
    m_player->settings().setBalance(stored.balance);
    CurrentListFile = stored.list;
    // The very first start opens the shipped list, so that the first window
    // shows stations; later an empty "list" stays empty.
    if (firstStart && shipped)
        CurrentListFile = DefaultStationList::Path(ProgramFolder::path());
    FavListFile = stored.fav;
    ShowErrorsFlag = stored.showErrors;
    // The last stream starts now, while the window is still being built.
    if (stored.autoStart) {
        m_player->setURL(stored.lastUrl);
        CurrentURL = m_player->URL();
        m_player->controls().play();
        qCInfo(lcPlayer) << "autostart" << CurrentURL;
    }
}

void frmPlayer::InitControls()
{
    m_list->setColumns({QStringLiteral("Station name"), QStringLiteral("Status")});
    // The headers are hidden, but screen readers name the columns by them.
    m_list->headerItem()->setData(0, Qt::AccessibleTextRole, QStringLiteral("Název stanice"));
    m_list->headerItem()->setData(1, Qt::AccessibleTextRole, QStringLiteral("Stav"));
    m_list->setColumnWidthPixels(0, px(3000));
    m_list->setColumnWidthPixels(1, px(1000));
    m_list->setSorted(0, Qt::AscendingOrder);
    m_list->setHeadersVisible(false);

    ShowVolume();
    m_statusBar->setPanelText(QStringLiteral("status"), QStringLiteral("skyTuner je připraven"));
    m_statusBar->setPanelPicture(QStringLiteral("icon"),
                                 PlayerImages::image(PlayerImages::imglStatusIcon(), 1), 1);
    m_statusBar->setPanelPicture(QStringLiteral("proxy"),
                                 PlayerImages::image(PlayerImages::imglProxy(), 1), 1);

    m_animFrame = 0;
    Form_Resize();
    m_list->setFocus(); // keys start in the station list, not on a toolbar button
}

QSize frmPlayer::frameMargins() const
{
    return frameGeometry().size() - size();
}

void frmPlayer::LoadWindowPosition()
{
    const PlayerSettings::Place stored = PlayerSettings::Read().place;
    const QRect frame = frameGeometry();
    const QRectF designed(Twips::fromPixels(frame.x()), Twips::fromPixels(frame.y()),
                          Twips::fromPixels(frame.width()), Twips::fromPixels(frame.height()));
    // Kept on the screen with the size it will have, grown to the smallest.
    QRectF place = WindowPlace::Apply(stored, designed);
    place.setSize(WindowLayout::AtLeastMinimum(place.size()));

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        place = WindowPlace::KeepOnScreen(
            place, QRectF(Twips::fromPixels(s.x()), Twips::fromPixels(s.y()),
                          Twips::fromPixels(s.width()), Twips::fromPixels(s.height())));
    }
    const QSize outer(px(place.width()), px(place.height()));
    // Without a stored place the window manager places the window.
    if (stored.left || stored.top)
        move(px(place.left()), px(place.top()));
    resize(outer - frameMargins());
    // The window manager's frame is known only once the window is shown.
    if (stored.width || stored.height)
        m_restoredOuterSize = outer;
    // The state last: the place above stays the normal place to restore to.
    if (stored.state)
        setWindowState(*stored.state == PlayerSettings::Minimised   ? Qt::WindowMinimized
                       : *stored.state == PlayerSettings::Maximised ? Qt::WindowMaximized
                                                                    : Qt::WindowNoState);
}

void frmPlayer::ApplySettings()
{
    // With TrayFlag minimising hides the window to the tray icon.
    if (m_cTray)
        m_cTray->setTrayFormStyle(
            TrayFlag ? SysTray::HideWhenMinimized | SysTray::IconOnlyWhileHidden : 0);
    menuItem(QStringLiteral("mnuSK_OnTop"))->setChecked(OnTopFlag);
    SetWindowTopMost(OnTopFlag ? 1 : 0, this);
    // From the file, not the flag: after the settings dialog the file is newer.
    AnimFlag = PlayerSettings::Read().anim;
    toolButton(QStringLiteral("tb_fav"))
        ->setEnabled(!FavListFile.isEmpty() && FileExists(FavListFile));
}

DialogHost::VolumePanel frmPlayer::volumePanel()
{
    // The status bar's height counted from the outer lower edge, so the window
    // frame's lower border does not push the pop-up over the status bar.
    const QRect frame = frameGeometry();
    return {frame, frame.y() + frame.height() - m_statusBar->mapToGlobal(QPoint()).y(),
            m_statusBar->panel(QStringLiteral("volume"))->x()};
}

void frmPlayer::CheckForORXFiles()
{
    // Before the station list is loaded, so that a list converted now can be the
    // one loaded; the window is not shown yet.
    if (TLIST_SearchORX(ProgramFolder::path()) >= 1)
        frmConvertFile::instance().exec();
}

void frmPlayer::Form_Resize()
{
    if (isMinimized() || !m_statusBar)
        return;
    const QSize margins = frameMargins();
    const QSizeF outer(Twips::fromPixels(frameGeometry().width()),
                       Twips::fromPixels(frameGeometry().height()));
    const QSizeF least = WindowLayout::AtLeastMinimum(outer);
    setMinimumSize(QSize(px(WindowLayout::MinOuterWidth), px(WindowLayout::MinOuterHeight)) -
                   margins);
    if (least != outer && !isMaximized()) {
        resize(QSize(px(least.width()), px(least.height())) - margins);
        return; // the resize lays the window out again
    }

    const int toolbarHeight = m_toolBar->sizeHint().height();
    m_toolBar->setGeometry(0, 0, width(), toolbarHeight);
    m_toolBar->update();
    const int statusHeight = m_statusBar->sizeHint().height();
    m_statusBar->setGeometry(0, height() - statusHeight, width(), statusHeight);

    const WindowLayout::StationList list = WindowLayout::PlaceStationList(
        Twips::fromPixels(m_toolBar->y()), Twips::fromPixels(toolbarHeight),
        Twips::fromPixels(statusHeight),
        QSizeF(Twips::fromPixels(width()), Twips::fromPixels(height())));
    m_list->setGeometry(px(list.rect.left()), px(list.rect.top()), px(list.rect.width()),
                        std::max(0, px(list.rect.height())));
    if (m_list->columnCount() == 2) {
        m_list->setColumnWidthPixels(0, std::max(0, px(list.nameColumn)));
        m_list->setColumnWidthPixels(1, px(list.statusColumn));
    }
    m_miniPlayer->move(0, 0);
}

void frmPlayer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmPlayer::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
        if (m_animTimer.isActive() && !isMinimized())
            ShowAnimFrame(m_animFrame); // skipped while minimised
    }
}

bool frmPlayer::event(QEvent* event)
{
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::Show && m_animTimer.isActive())
        ShowAnimFrame(m_animFrame); // skipped while hidden
    if (event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        qCInfo(lcPlayer) << "first paint";
    }
    if (m_restoredOuterSize && isVisible() &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
         event->type() == QEvent::WindowActivate)) {
        const QSize margins = frameMargins();
        if (!margins.isNull()) {
            const QSize outer = *m_restoredOuterSize;
            m_restoredOuterSize.reset();
            if (windowState() == Qt::WindowNoState)
                resize(outer - margins);
        }
    }
    return result;
}

void frmPlayer::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_unloaded)
        return;
    m_unloaded = true;
    Form_QueryUnload();
    Form_Unload();
}

void frmPlayer::CommitSettings()
{
    if (m_unloaded)
        return;
    SaveWindowPosition();
    SaveSettings();
    qCInfo(lcPlayer) << "settings committed";
}

void frmPlayer::Form_QueryUnload()
{
    SaveWindowPosition();
    SaveSettings();
    m_cTray.reset(); // its icon leaves the notification area
}

void frmPlayer::Form_Unload()
{
    m_animTimer.stop();
    qCInfo(lcPlayer) << "shut down";
    Q_EMIT Unloaded();
}

// A minimised or maximised window writes only its state, so that the stored
// place stays the normal one to restore to.
void frmPlayer::SaveWindowPosition()
{
    PlayerSettings::Values values;
    if (isMinimized() || isMaximized() || isFullScreen()) {
        values.place.state = isMinimized() ? PlayerSettings::Minimised : PlayerSettings::Maximised;
    } else {
        const QRect frame = frameGeometry();
        values.place = {Twips::fromPixels(frame.x()), Twips::fromPixels(frame.y()),
                        Twips::fromPixels(frame.width()), Twips::fromPixels(frame.height()),
                        PlayerSettings::Normal};
    }
    PlayerSettings::Write(values, PlayerSettings::WindowPlaceKeys);
}

void frmPlayer::SaveSettings()
{
    PlayerSettings::Values values;
    values.onTop = OnTopFlag;
    values.sysTray = TrayFlag;
    values.lastUrl = m_player->URL();
    values.list = CurrentListFile;
    // Ctrl+Right/Left and the wheel change the volume too: the next start plays at it.
    values.volume = m_player->settings().volume();
    PlayerSettings::Write(values, PlayerSettings::ShutDownKeys);
}
