#include "dialogs/wfmVolume.h"

#include "controls/LumenButton.h"
#include "controls/ucSlider.h"
#include "controls/z3DLine.h"
#include "dialogs/DialogHost.h"
#include "dialogs/logic/VolumePopupLogic.h"
#include "platform/Twips.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPolygon>
#include <QScreen>

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace {

QRectF inTwips(const QRect& pixels)
{
    return {Twips::fromPixels(pixels.x()), Twips::fromPixels(pixels.y()),
            Twips::fromPixels(pixels.width()), Twips::fromPixels(pixels.height())};
}

// The value a navigation key gives the focused slider, or none for other keys.
std::optional<int> steppedValue(const ucSlider& slider, int key)
{
    const int page = std::max(1, (slider.Max() - slider.Min()) / 10);
    int value = slider.Value();
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        value += 1;
        break;
    case Qt::Key_Down:
    case Qt::Key_Left:
        value -= 1;
        break;
    case Qt::Key_PageUp:
        value += page;
        break;
    case Qt::Key_PageDown:
        value -= page;
        break;
    case Qt::Key_Home:
        return slider.Min();
    case Qt::Key_End:
        return slider.Max();
    default:
        return std::nullopt;
    }
    return std::clamp(value, slider.Min(), slider.Max());
}

// A black picture on a transparent ground: a bar and shapes beside it.
QPixmap blackMark(int size, QRect bar, std::initializer_list<QList<QPoint>> shapes)
{
    QPixmap mark(size, size);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(bar);
    for (const QList<QPoint>& shape : shapes)
        painter.drawPolygon(QPolygon(shape));
    return mark;
}

// btnCenter's picture: two arrows pointing at a centre line.
QPixmap centreMark()
{
    return blackMark(16, {7, 2, 2, 12}, {{{1, 4}, {5, 8}, {1, 12}}, {{14, 4}, {10, 8}, {14, 12}}});
}

// imgLeft's picture, a loudspeaker facing left; imgRight shows it mirrored.
QPixmap speakerMark(bool facingRight)
{
    const QPixmap mark = blackMark(10, {6, 3, 3, 4}, {{{6, 3}, {1, 0}, {1, 9}, {6, 6}}});
    return facingRight ? mark.transformed(QTransform().scale(-1, 1)) : mark;
}

} // namespace

wfmVolume* wfmVolume::showPopup()
{
    DialogHost* host = DialogHost::current();
    if (!host)
        return nullptr;
    auto* popup = new wfmVolume(host->dialogParent());
    popup->Form_Load();
    popup->show();
    popup->activateWindow();
    return popup;
}

wfmVolume::wfmVolume(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("wfmVolume"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAccessibleName(QStringLiteral("Hlasitost a vyvážení"));
    setFixedSize(Twips::toPixels(1005), Twips::toPixels(2175));

    m_volume = new ucSlider(this);
    m_volume->setObjectName(QStringLiteral("ucVolume"));
    m_volume->setOrientation(1);
    m_volume->setGeometry(4, 6, Twips::toPixels(240), Twips::toPixels(1515));
    m_volume->setMax(100);
    m_volume->setToolTip(QStringLiteral("Hlasitost"));
    m_volume->setAccessibleName(QStringLiteral("Hlasitost"));

    m_percent = new QLabel(QStringLiteral("???"), this);
    m_percent->setObjectName(QStringLiteral("lblPerc"));
    m_percent->setFont(QFont(QStringLiteral("Tahoma"), 8));
    m_percent->setAlignment(Qt::AlignCenter);
    m_percent->setGeometry(24, 10, 40, 16);

    m_center = new LumenButton(this);
    m_center->setObjectName(QStringLiteral("btnCenter"));
    m_center->setMaskColor(0xFF00FF); // the default mask, black, would hide the black mark
    m_center->setPicture(centreMark());
    m_center->setAccessibleName(QStringLiteral("Vyvážení na střed"));
    m_center->setToolTip(QStringLiteral("Vyvážení na střed"));
    m_center->setGeometry(32, 80, 24, 22);
    connect(m_center, &LumenButton::Click, this, [this] { m_balance->setValue(0); });

    // The speakers flank the centre button: the balance's two ends.
    for (const bool right : {false, true}) {
        auto* image = new QLabel(this);
        image->setObjectName(right ? QStringLiteral("imgRight") : QStringLiteral("imgLeft"));
        image->setPixmap(speakerMark(right));
        image->setGeometry(right ? 57 : 21, 86, 10, 10);
    }

    auto* line = new z3DLine(this);
    line->setObjectName(QStringLiteral("z3DLine1"));
    line->setGeometry(2, 113, width() - 4, 2);

    m_balance = new ucSlider(this);
    m_balance->setObjectName(QStringLiteral("ucBalance"));
    m_balance->setOrientation(0);
    m_balance->setGeometry(0, 122, Twips::toPixels(1000), Twips::toPixels(225));
    m_balance->setMin(-100);
    m_balance->setMax(100);
    m_balance->setToolTip(QStringLiteral("Vyvážení"));
    m_balance->setAccessibleName(QStringLiteral("Vyvážení"));

    // Line1 to Line3 mark full left, centre and full right under the rail.
    const int rail = m_balance->geometry().bottom() + 1;
    for (int i = 0; i < 3; ++i) {
        auto* mark = new QFrame(this);
        mark->setObjectName(QStringLiteral("Line%1").arg(i + 1));
        mark->setFrameShape(QFrame::VLine);
        mark->setFrameShadow(QFrame::Plain);
        const int x = m_balance->x() + 4 + i * (m_balance->width() - 9) / 2;
        mark->setGeometry(x, rail, 1, 4);
    }

    for (ucSlider* slider : {m_volume, m_balance}) {
        slider->setRailStyle(2);
        slider->setShowValueTip(false);
        slider->setFocusPolicy(Qt::StrongFocus); // the pop-up's keys move the focused one
    }
    connect(m_volume, &ucSlider::Change, this, &wfmVolume::ucVolume_Change);
    connect(m_balance, &ucSlider::Change, this, &wfmVolume::ucBalance_Change);
    setTabOrder(m_volume, m_center);
    setTabOrder(m_center, m_balance);
}

void wfmVolume::Form_Load()
{
    DialogHost* host = DialogHost::current();
    const DialogHost::VolumePanel anchor = host->volumePanel();
    const QScreen* screen = QGuiApplication::screenAt(anchor.windowFrame.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QPointF place = VolumePopupPlace::TopLeft(
        inTwips(anchor.windowFrame), Twips::fromPixels(anchor.statusBarHeight),
        Twips::fromPixels(anchor.panelLeft), inTwips(QRect(QPoint(), size())).size(),
        inTwips(screen->availableGeometry()));
    move(Twips::toPixels(place.x()), Twips::toPixels(place.y()));

    // The player's values are in range, so the sliders take them.
    const VolumePopupLogic logic(host->WMP());
    m_volume->setValue(logic.volume());
    m_balance->setValue(logic.balance());
    ucVolume_Change(); // also when the value equalled the slider's
    m_volume->setFocus();
}

void wfmVolume::ucVolume_Change()
{
    DialogHost* host = DialogHost::current();
    if (!host)
        return;
    const int volume = VolumePopupLogic(host->WMP()).setVolume(m_volume->Value());
    host->ShowVolume();
    m_percent->setText(VolumePopupLogic::percentText(volume));
}

void wfmVolume::ucBalance_Change()
{
    if (DialogHost* host = DialogHost::current())
        VolumePopupLogic(host->WMP()).setBalance(m_balance->Value());
}

bool wfmVolume::event(QEvent* event)
{
    // Form_Deactivate: a click elsewhere or another window.
    if (event->type() == QEvent::WindowDeactivate && isVisible())
        close();
    return QWidget::event(event);
}

void wfmVolume::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    auto* slider = qobject_cast<ucSlider*>(focusWidget());
    const std::optional<int> value = slider ? steppedValue(*slider, event->key()) : std::nullopt;
    if (!value) {
        QWidget::keyPressEvent(event);
        return;
    }
    slider->setValue(*value); // within the slider's range
}

void wfmVolume::closeEvent(QCloseEvent* event)
{
    // Once, whichever way it closes (deactivation, Escape, the window's end).
    if (!m_stored)
        if (DialogHost* host = DialogHost::current())
            VolumePopupLogic(host->WMP()).store(m_volume->Value(), m_balance->Value());
    m_stored = true;
    event->accept();
}
