#include "dialogs/frmStationEdit.h"

#include "controls/ButtonEx.h"
#include "controls/Container3D.h"
#include "controls/z3DLine.h"
#include "dialogs/DialogHost.h"
#include "dialogs/DialogParts.h"
#include "dialogs/StationEditImages.h"
#include "platform/KeyedListView.h"
#include "platform/MessageBox.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"
#include "stations/view/modTLISTView.h"
#include "stream/MediaPlayer.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

using DialogParts::button;
using DialogParts::label;

namespace {

const QString ListFilter = QStringLiteral("Seznamy stanic skyTuner (*.tlist)");

// Qt's own file dialog (not the desktop's), so that it is the same everywhere.
QString askFileName(QWidget* parent, const QString& title, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, title, QString(), ListFilter);
    dialog.setObjectName(QStringLiteral("cDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile); // a missing file opens as an empty list
    if (mode == QFileDialog::AcceptSave)
        dialog.setDefaultSuffix(QStringLiteral("tlist"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QMessageBox::StandardButton tell(QWidget* owner, const QString& text,
                                 QMessageBox::Icon icon = QMessageBox::Warning,
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                 QMessageBox::StandardButton defaultButton = QMessageBox::Ok)
{
    return MessageBox::show({owner, QString(), text, icon, buttons, defaultButton});
}

} // namespace

frmStationEdit& frmStationEdit::instance()
{
    return DialogParts::single<frmStationEdit>(
        [](QWidget* parent) { return new frmStationEdit(parent); });
}

frmStationEdit::~frmStationEdit() = default;

frmStationEdit::frmStationEdit(QWidget* parent) : KeyPreviewDialog(parent)
{
    setObjectName(QStringLiteral("frmStationEdit"));
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setAccessibleName(QStringLiteral("Panel nástrojů"));
    buildToolbar();

    m_list = new KeyedListView(this);
    m_list->setObjectName(QStringLiteral("lstvStations"));
    m_list->setAccessibleName(QStringLiteral("Seznam stanic"));
    m_list->setSmallIcons(StationEditImages::imglIcons());
    m_list->setColumns({QStringLiteral("Název stanice"), QStringLiteral("URL stanice")});
    m_list->setColumnWidthPixels(0, Twips::toPixels(2600));
    m_list->setColumnWidthPixels(1, Twips::toPixels(3500));

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtStationName"));
    m_url = new QLineEdit(this);
    m_url->setObjectName(QStringLiteral("txtStationURL"));
    m_visible = new QCheckBox(this);
    m_visible->setObjectName(QStringLiteral("chkVisible"));
    m_visible->setAccessibleName(QStringLiteral("Zobrazit v seznamu"));
    m_visible->setToolTip(m_visible->accessibleName());
    m_bold = new QCheckBox(QStringLiteral("B"), this);
    m_bold->setObjectName(QStringLiteral("chkBold"));
    m_bold->setAccessibleName(QStringLiteral("Tučně"));
    m_bold->setToolTip(m_bold->accessibleName());
    m_colorButton = new QPushButton(this);
    m_colorButton->setObjectName(QStringLiteral("cmdColor"));
    m_colorButton->setAccessibleName(QStringLiteral("Barva"));
    m_colorButton->setToolTip(m_colorButton->accessibleName());
    m_colorButton->setFixedSize(24, 24);
    m_new = button(this, "gbtnNew", QStringLiteral("&Nová"));
    m_save = button(this, "gbtnSave", QStringLiteral("&Uložit"));
    m_remove = button(this, "gbtnRemove", QStringLiteral("&Odstranit"));
    m_play = button(this, "btnPlay", QString());
    m_play->setPicture(StationEditImages::picture(QStringLiteral("tb_play")).pixmap(16));
    m_play->setAccessibleName(QStringLiteral("Přehrát"));
    m_stop = button(this, "btnStop", QString());
    m_stop->setPicture(StationEditImages::picture(QStringLiteral("tb_stop")).pixmap(16));
    m_stop->setAccessibleName(QStringLiteral("Zastavit"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblWMPStatus"));
    m_status->setAccessibleName(QStringLiteral("Stav přehrávání"));
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblCount"));
    m_count->setAccessibleName(QStringLiteral("Počet stanic"));

    auto* frame = new Container3D(this);
    frame->setObjectName(QStringLiteral("Container3D1"));
    auto* fields = new QGridLayout(frame);
    fields->addWidget(label(frame, "lblStationName", QStringLiteral("Název &stanice:"), m_name), 0,
                      0);
    fields->addWidget(m_name, 0, 1, 1, 4);
    fields->addWidget(label(frame, "lblStationURL", QStringLiteral("&Adresa stanice:"), m_url), 1,
                      0);
    fields->addWidget(m_url, 1, 1, 1, 4);
    fields->addWidget(label(frame, "Label2", QStringLiteral("&Vlastnosti zobrazení:"), m_visible),
                      2, 0);
    fields->addWidget(m_visible, 2, 1);
    fields->addWidget(m_bold, 2, 2);
    fields->addWidget(m_colorButton, 2, 3);
    fields->setColumnStretch(4, 1);
    for (QWidget* w : {static_cast<QWidget*>(m_name), static_cast<QWidget*>(m_url),
                       static_cast<QWidget*>(m_visible), static_cast<QWidget*>(m_bold),
                       static_cast<QWidget*>(m_colorButton)})
        w->setParent(frame);

    auto* line = new z3DLine(this);
    line->setObjectName(QStringLiteral("z3DLine1"));
    line->setFixedHeight(2);
    auto* buttons = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(m_play), static_cast<QWidget*>(m_stop),
                       static_cast<QWidget*>(m_status)})
        buttons->addWidget(w);
    buttons->addStretch();
    for (ButtonEx* b : {m_new, m_save, m_remove})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(m_toolbar);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_count, 0, Qt::AlignRight);
    layout->addWidget(frame);
    layout->addWidget(line);
    layout->addLayout(buttons);
    resize(Twips::toPixels(6555), Twips::toPixels(6285));

    setTabOrder(m_list, m_name);
    setTabOrder(m_name, m_url);
    setTabOrder(m_url, m_visible);
    setTabOrder(m_visible, m_bold);
    setTabOrder(m_bold, m_colorButton);
    setTabOrder(m_colorButton, m_new);
    setTabOrder(m_new, m_save);
    setTabOrder(m_save, m_remove);
    setTabOrder(m_remove, m_play);
    setTabOrder(m_play, m_stop);

    connect(m_list, &KeyedListView::MouseDown, this, [this] { m_logic.setCurrentKey({}); });
    connect(m_list, &KeyedListView::ItemClick, this, &frmStationEdit::lstvStations_ItemClick);
    connect(m_list, &KeyedListView::ColumnClick, this, &frmStationEdit::lstvStations_ColumnClick);
    connect(m_new, &ButtonEx::Click, this, &frmStationEdit::ClearStationFields);
    connect(m_save, &ButtonEx::Click, this, &frmStationEdit::gbtnSave_Click);
    connect(m_remove, &ButtonEx::Click, this, &frmStationEdit::gbtnRemove_Click);
    connect(m_visible, &QCheckBox::toggled, this, &frmStationEdit::chkVisible_Click);
    connect(m_colorButton, &QPushButton::clicked, this, &frmStationEdit::cmdColor_Click);
    connect(m_play, &ButtonEx::Click, this, &frmStationEdit::btnPlay_Click);
    connect(m_stop, &ButtonEx::Click, this, [this] {
        if (m_wmp)
            m_wmp->controls().stop();
    });
}

void frmStationEdit::buildToolbar()
{
    // The shortcuts make the toolbar usable from the keyboard.
    const struct
    {
        const char* key;
        QString text;
        QKeySequence shortcut;
    } keys[] = {
        {"tb_exit", QStringLiteral("Zavřít"), {}},
        {nullptr, {}, {}},
        {"tb_new", QStringLiteral("Nový seznam"), QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"tb_open", QStringLiteral("Otevřít seznam"), QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"tb_save", QStringLiteral("Uložit seznam"), QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"tb_saveas", QStringLiteral("Uložit seznam jako"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
    };
    for (const auto& [key, text, shortcut] : keys) {
        if (!key) {
            m_toolbar->addSeparator();
            continue;
        }
        const QString name = QLatin1String(key);
        QAction* action = m_toolbar->addAction(StationEditImages::picture(name), text);
        action->setObjectName(name);
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, [this, name] { Toolbar1_ButtonClick(name); });
    }
}

int frmStationEdit::exec()
{
    m_logic.reset();
    m_list->removeAllRows();
    m_list->setUnsorted();
    m_lastChosenColor = 0;
    ClearStationFields();
    setWindowTitle(m_logic.title());
    m_status->clear();
    if (!m_wmp) {
        if (DialogHost* host = DialogHost::current())
            m_wmp = host->createPreviewPlayer();
        if (m_wmp) {
            m_wmp->settings().setVolume(50);
            connect(m_wmp.get(), &MediaPlayer::StatusChange, this,
                    [this] { m_status->setText(m_wmp->status()); });
        }
    }
    m_name->setFocus();
    return KeyPreviewDialog::exec();
}

void frmStationEdit::done(int result)
{
    if (m_wmp)
        m_wmp->controls().stop();
    KeyPreviewDialog::done(result);
}

bool frmStationEdit::eventFilter(QObject* watched, QEvent* event)
{
    for (QLineEdit* field : {m_name, m_url}) {
        if (watched != field)
            continue;
        // Selected on every focus, after the press that gave the focus.
        if (event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, field, &QLineEdit::selectAll);
        else if (event->type() == QEvent::FocusOut &&
                 StationEditLogic::fieldText(field->text()) != field->text())
            field->setText(StationEditLogic::fieldText(field->text()));
    }
    return KeyPreviewDialog::eventFilter(watched, event);
}

void frmStationEdit::ClearStationFields()
{
    m_name->clear();
    m_url->clear();
    m_bold->setChecked(false);
    m_visible->setChecked(true);
    chkVisible_Click();
    setColor(0);
    m_logic.setCurrentKey({});
    m_remove->setEnabled(false);
    updateCount();
}

void frmStationEdit::updateCount()
{
    m_count->setText(QString::number(m_list->rowCount()));
}

void frmStationEdit::lstvStations_ItemClick(int row)
{
    m_logic.setCurrentKey(m_list->rowKey(row));
    m_name->setText(m_list->rowText(row));
    m_url->setText(m_list->subItem(row, 1));
    setColor(m_list->rowForeColor(row));
    m_remove->setEnabled(true);
    m_visible->setChecked(StationEditLogic::iconVisible(m_list->rowSmallIcon(row)));
    m_bold->setChecked(m_list->rowBold(row));
}

void frmStationEdit::lstvStations_ColumnClick(int column)
{
    const StationEditLogic::Sort sort =
        StationEditLogic::afterColumnClick(m_list->isSorted() ? m_list->sortColumn() : -1,
                                           m_list->sortOrder() == Qt::DescendingOrder, column);
    m_list->setSorted(sort.column, sort.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void frmStationEdit::gbtnSave_Click()
{
    const QString name = StationEditLogic::fieldText(m_name->text());
    const QString url = StationEditLogic::fieldText(m_url->text());
    const QString key = StationEditLogic::keyOf(url);
    const int taken = m_list->findKey(key);
    switch (m_logic.saveStation(url, taken >= 0)) {
    case StationEditLogic::SaveStation::Duplicate:
        tell(this, QStringLiteral("Stanice s touto adresou již v seznamu existuje!"));
        return;
    case StationEditLogic::SaveStation::Change: {
        const int row = m_list->findKey(m_logic.currentKey());
        if (row < 0 || !m_list->setRowKey(row, key))
            return; // the row went away meanwhile
        break;
    }
    case StationEditLogic::SaveStation::Add:
        if (m_list->addRow(key, name, 0) < 0)
            return;
        break;
    }
    // Looked up again after every step: a sorted list may move the row.
    m_list->setRowText(m_list->findKey(key), name);
    m_list->setSubItem(m_list->findKey(key), 1, url);
    m_list->setRowBold(m_list->findKey(key), m_bold->isChecked());
    m_list->setRowForeColor(m_list->findKey(key), m_color);
    m_list->setRowSmallIcon(m_list->findKey(key),
                            StationEditLogic::changedIcon(m_visible->isChecked()));
    m_logic.stationSaved();
    ClearStationFields();
    setWindowTitle(m_logic.title());
    m_name->setFocus();
}

void frmStationEdit::gbtnRemove_Click()
{
    const int row = m_list->findKey(m_logic.currentKey());
    if (m_logic.currentKey().isEmpty() || row < 0)
        return; // nothing current
    m_list->removeRow(row);
    m_logic.stationSaved();
    setWindowTitle(m_logic.title());
    ClearStationFields();
}

void frmStationEdit::chkVisible_Click()
{
    m_visible->setIcon(StationEditImages::picture(
        m_visible->isChecked() ? QStringLiteral("visible") : QStringLiteral("hiden")));
}

void frmStationEdit::cmdColor_Click()
{
    QColorDialog dialog(OleColor::toColor(quint32(m_lastChosenColor)), this);
    dialog.setObjectName(QStringLiteral("cDialogColor"));
    dialog.setWindowTitle(QStringLiteral("Barva"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() == QDialog::Accepted)
        m_lastChosenColor = qint32(OleColor::fromColor(dialog.selectedColor()));
    setColor(m_lastChosenColor); // on Cancel the colour last chosen here
}

void frmStationEdit::setColor(qint32 colour)
{
    m_color = colour;
    m_colorButton->setStyleSheet(
        QStringLiteral("background-color: %1;").arg(OleColor::toColor(quint32(colour)).name()));
}

void frmStationEdit::btnPlay_Click()
{
    if (!m_wmp || m_url->text().trimmed().isEmpty())
        return;
    m_wmp->setURL(m_url->text()); // as typed; its own status reports a failure
    m_wmp->controls().play();
}

void frmStationEdit::Toolbar1_ButtonClick(const QString& key)
{
    const QString k = key.toLower();
    if (k == u"tb_exit") {
        if (askToSave())
            reject();
    } else if (k == u"tb_new") {
        if (!askToSave())
            return;
        m_list->removeAllRows();
        m_logic.reset();
        setWindowTitle(m_logic.title());
        ClearStationFields();
    } else if (k == u"tb_open") {
        openList();
    } else if (k == u"tb_save") {
        saveList(m_logic.listFileName().isEmpty(), QStringLiteral("Uložit seznam stanic"));
    } else if (k == u"tb_saveas") {
        saveList(true, QStringLiteral("Uložit seznam stanic jako"));
    }
}

bool frmStationEdit::askToSave()
{
    if (!m_logic.listChanged())
        return true;
    const QMessageBox::StandardButton answer = MessageBox::show(
        {this, QStringLiteral("Seznam stanic"),
         QStringLiteral(
             "V aktuální seznamu stanic byly provedeny změny, chcete tyto změny uložit?"),
         QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::No});
    using A = StationEditLogic::Answer;
    const A a = answer == QMessageBox::Yes ? A::Yes : answer == QMessageBox::No ? A::No : A::Cancel;
    switch (StationEditLogic::afterQuestion(a)) {
    case StationEditLogic::AfterQuestion::SaveAndStay:
        Toolbar1_ButtonClick(QStringLiteral("tb_save"));
        return false;
    case StationEditLogic::AfterQuestion::Proceed:
        return true;
    case StationEditLogic::AfterQuestion::Stay:
        break;
    }
    return false;
}

void frmStationEdit::openList()
{
    const QString path =
        askFileName(this, QStringLiteral("Otevřít seznam stanic"), QFileDialog::AcceptOpen);
    if (!path.isEmpty())
        openFile(path);
    updateCount();
}

void frmStationEdit::openFile(const QString& path)
{
    const StationEditLogic::OpenedFile file = StationEditLogic::readFile(path);
    if (!file.text) {
        tell(this, QStringLiteral("Seznam stanic %1 nelze přečíst.").arg(path));
        return; // the list stays as it was
    }
    QStringList stations;
    TLIST_LoadFileToColl(path, stations);
    TLIST_FillListViewEdit(stations, *m_list);
    const int lost = StationEditLogic::lostLines(*file.text, m_list->rowCount());
    m_logic.opened(path, lost);
    setWindowTitle(m_logic.title());
    ClearStationFields();
    if (lost > 0)
        tell(this, QStringLiteral("Počet řádků souboru, které editor nezobrazí a uložení "
                                  "seznamu je odstraní: %1.")
                       .arg(lost));
}

bool frmStationEdit::saveList(bool askForName, const QString& dialogTitle)
{
    QString path = m_logic.listFileName();
    if (askForName)
        path = askFileName(this, dialogTitle, QFileDialog::AcceptSave);
    bool written = false;
    if (!path.isEmpty()) {
        if (m_logic.overwriteNeedsConfirmation(path) &&
            tell(this,
                 QStringLiteral("Soubor %1 obsahuje řádky, které editor nezobrazuje. Uložením "
                                "seznamu budou odstraněny. Přesto uložit?")
                     .arg(path),
                 QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
                 QMessageBox::No) != QMessageBox::Yes) {
            updateCount();
            return false;
        }
        written = TLIST_SaveFile(path, *m_list);
        if (written) {
            m_logic.saved(path);
            for (int row = 0; row < m_list->rowCount(); ++row)
                m_list->setRowSmallIcon(row,
                                        StationEditLogic::clearedIcon(m_list->rowSmallIcon(row)));
            setWindowTitle(m_logic.title());
        } else {
            tell(this, QStringLiteral("Seznam stanic nelze uložit do souboru %1.").arg(path),
                 QMessageBox::Critical);
        }
    }
    updateCount();
    return written;
}
