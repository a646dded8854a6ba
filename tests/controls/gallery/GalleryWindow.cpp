#include "GalleryWindow.h"

#include "GalleryPictures.h"
#include "controls/ButtonEx.h"
#include "controls/ButtonExLayout.h"
#include "controls/Container3D.h"
#include "controls/LumenButton.h"
#include "controls/ucSlider.h"
#include "controls/ucSliderTip.h"
#include "controls/z3DLine.h"
#include "platform/OleColor.h"

#include <QLabel>

namespace {

// The protected state drawing is how the gallery shows hover and press looks.
class StateButtonEx : public ButtonEx
{
public:
    explicit StateButtonEx(QWidget* parent, int state = ButtonExLayout::Up) : ButtonEx(parent)
    {
        m_shown = state;
    }
    void showShownState() { drawState(m_shown); }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        ButtonEx::resizeEvent(event);
        drawState(m_shown);
    }

private:
    int m_shown;
};

class StateLumenButton : public LumenButton
{
public:
    StateLumenButton(QWidget* parent, bool hovering, bool pressed) : LumenButton(parent)
    {
        previewLook(hovering, pressed);
    }
};

QLabel* tipPreview(QWidget* parent, int value)
{
    ucSliderTip* tip = ucSliderTip::shared();
    tip->setText(QString::number(value));
    tip->resize(tip->labelSize() + QSize(4, 3));
    auto* label = new QLabel(parent);
    label->setPixmap(tip->grab());
    ucSliderTip::closeShared();
    return label;
}

} // namespace

GalleryWindow::GalleryWindow(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("skyTuner – ovládací prvky"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, OleColor::toColor(OleColor::ButtonFace));
    setPalette(palette);
    setAutoFillBackground(true);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);

    addSliders(8);
    addButtonEx(200);
    addLumenButtons(420);
    addContainers(660);
    resize(980, 850);
    // The window keeps the focus, so that no button shows it by chance.
    setFocusPolicy(Qt::StrongFocus);
    setFocus();
}

QWidget* GalleryWindow::place(QWidget* widget, int x, int y, const QString& caption)
{
    auto* label = new QLabel(caption, this);
    QFont small = font();
    small.setPixelSize(9);
    label->setFont(small);
    label->move(x, y);
    label->adjustSize();
    widget->move(x, y + 14);
    return widget;
}

void GalleryWindow::heading(const QString& text, int y)
{
    auto* label = new QLabel(text, this);
    QFont bold = font();
    bold.setBold(true);
    label->setFont(bold);
    label->move(8, y);
    label->adjustSize();
    auto* line = new z3DLine(this);
    line->setGeometry(8, y + 16, 964, 10);
}

void GalleryWindow::addSliders(int y)
{
    heading(QStringLiteral("ucSlider"), y);
    y += 26;
    auto* vertical = new ucSlider(this);
    vertical->resize(16, 120);
    vertical->setValue(3);
    place(vertical, 16, y, QStringLiteral("svislý"));

    auto* balance = new ucSlider(this);
    balance->setOrientation(0);
    balance->setMin(-100);
    balance->setMax(100);
    balance->setValue(0);
    balance->resize(140, 15);
    place(balance, 60, y, QStringLiteral("-100..100"));

    const QStringList names{"0 sunken", "1 raised", "2 thin sunken", "3 thin raised", "4 none"};
    for (int style = 0; style <= 4; ++style) {
        auto* s = new ucSlider(this);
        s->setOrientation(0);
        s->setRailStyle(style);
        s->setValue(style * 2 + 1);
        s->resize(120, 15);
        place(s, 220 + (style % 3) * 140, y + (style / 3) * 44,
              QStringLiteral("RailStyle ") + names.at(style));
    }
    auto* disabled = new ucSlider(this);
    disabled->setOrientation(0);
    disabled->resize(120, 15);
    disabled->setValue(5);
    disabled->setEnabled(false);
    place(disabled, 500, y + 44, QStringLiteral("Enabled false"));

    auto* pictured = new ucSlider(this);
    pictured->setOrientation(0);
    pictured->setSliderImage(GalleryPictures::thumb());
    pictured->setRailImage(GalleryPictures::rail(true));
    pictured->setRailStyle(99);
    pictured->setValue(7);
    place(pictured, 220, y + 90, QStringLiteral("RailStyle 99, pictures"));

    auto* picturedVertical = new ucSlider(this);
    picturedVertical->setSliderImage(GalleryPictures::thumb().transformed(QTransform().rotate(90)));
    picturedVertical->setRailImage(GalleryPictures::rail(false));
    picturedVertical->setRailStyle(99);
    picturedVertical->setValue(4);
    place(picturedVertical, 680, y, QStringLiteral("99 svislý"));

    place(tipPreview(this, 7), 780, y, QStringLiteral("ucSliderTip"));
    place(tipPreview(this, -100), 780, y + 44, QStringLiteral("ucSliderTip"));
}

void GalleryWindow::addButtonEx(int y)
{
    heading(QStringLiteral("ButtonEx"), y);
    y += 26;
    using namespace ButtonExLayout;
    const QList<std::pair<int, QString>> states{
        {Up, QStringLiteral("up")}, {Over, QStringLiteral("over")}, {Down, QStringLiteral("down")}};
    const QList<std::pair<int, QString>> borders{{1, QStringLiteral("BorderStyle 1")},
                                                 {2, QStringLiteral("BorderStyle 2")},
                                                 {3, QStringLiteral("BorderStyle 3")}};
    int x = 16;
    for (const auto& [border, borderName] : borders) {
        for (const auto& [state, stateName] : states) {
            auto* b = new StateButtonEx(this, state);
            b->setBorderStyle(border);
            b->setCaption(QStringLiteral("&Otevřít"));
            b->showShownState();
            place(b, x, y, borderName + u' ' + stateName);
            x += 100;
        }
        x += 10;
    }
    y += 46;
    auto* defaultButton = new StateButtonEx(this);
    defaultButton->setCaption(QStringLiteral("OK"));
    defaultButton->setDisplayAsDefault(true);
    place(defaultButton, 16, y, QStringLiteral("default"));
    auto* defaultDown = new StateButtonEx(this, Down);
    defaultDown->setCaption(QStringLiteral("OK"));
    defaultDown->setDisplayAsDefault(true);
    defaultDown->showShownState();
    place(defaultDown, 116, y, QStringLiteral("default down"));
    auto* disabled = new StateButtonEx(this);
    disabled->setCaption(QStringLiteral("&Uložit"));
    disabled->setPicture(GalleryPictures::icon(QColor(40, 160, 60), 16));
    disabled->setEnabled(false);
    place(disabled, 216, y, QStringLiteral("disabled"));
    auto* flat = new StateButtonEx(this);
    flat->setAppearance(0);
    flat->setBorderStyle(4);
    flat->setCaption(QStringLiteral("Tisk && &náhled"));
    flat->resize(100, 24);
    place(flat, 316, y, QStringLiteral("Appearance 0, Border 4"));
    auto* toggle = new StateButtonEx(this);
    toggle->setStyle(1);
    toggle->setValue(0);
    toggle->setCaption(QStringLiteral("Přepínač"));
    place(toggle, 436, y, QStringLiteral("Style 1, Value 0"));
    auto* withPicture = new StateButtonEx(this);
    withPicture->setCaption(QStringLiteral("&Přehrát"));
    withPicture->setPicture(GalleryPictures::icon(QColor(40, 120, 220), 16));
    withPicture->resize(96, 28);
    place(withPicture, 536, y, QStringLiteral("Picture"));
    auto* tinted = new StateButtonEx(this, Over);
    tinted->setCaption(QStringLiteral("&Přehrát"));
    tinted->setPicture(GalleryPictures::icon(QColor(40, 120, 220), 16));
    tinted->setHighlightPicture(true);
    tinted->setHighlightColor(0x000080FF);
    tinted->resize(96, 28);
    tinted->showShownState();
    place(tinted, 646, y, QStringLiteral("HighlightPicture, over"));

    y += 50;
    x = 16;
    for (const auto& [state, stateName] : states) {
        auto* b = new StateButtonEx(this, state);
        b->setAppearance(2);
        b->setTransparentColor(0xFF00FF);
        b->setSkinUp(GalleryPictures::skin(QColor(250, 250, 250), QColor(190, 200, 215), {90, 26}));
        b->setSkinOver(
            GalleryPictures::skin(QColor(255, 245, 220), QColor(240, 190, 110), {90, 26}));
        b->setSkinDown(
            GalleryPictures::skin(QColor(170, 190, 220), QColor(230, 235, 245), {90, 26}));
        b->setCaption(QStringLiteral("&Skin"));
        b->showShownState();
        place(b, x, y, QStringLiteral("skinned ") + stateName);
        x += 100;
    }
    auto* skinnedDisabled = new StateButtonEx(this);
    skinnedDisabled->setAppearance(2);
    skinnedDisabled->setTransparentColor(0xFF00FF);
    skinnedDisabled->setSkinUp(
        GalleryPictures::skin(QColor(250, 250, 250), QColor(190, 200, 215), {90, 26}));
    skinnedDisabled->setCaption(QStringLiteral("Skin"));
    skinnedDisabled->setEnabled(false);
    place(skinnedDisabled, x, y, QStringLiteral("skinned disabled"));
}

void GalleryWindow::addLumenButtons(int y)
{
    heading(QStringLiteral("LumenButton"), y);
    y += 26;
    const QPixmap icon = GalleryPictures::icon(QColor(230, 140, 30), 16);
    const QList<std::pair<int, QString>> styles{
        {3, QStringLiteral("XP")}, {2, QStringLiteral("flat")}, {0, QStringLiteral("classic")}};
    const QList<std::tuple<bool, bool, QString>> looks{{false, false, QStringLiteral("rest")},
                                                       {true, false, QStringLiteral("hover")},
                                                       {true, true, QStringLiteral("pressed")}};
    int row = 0;
    for (const auto& [style, styleName] : styles) {
        int x = 16;
        for (const auto& [hovering, pressed, lookName] : looks) {
            auto* b = new StateLumenButton(this, hovering, pressed);
            b->setButtonStyle(style);
            b->setCaption(QStringLiteral("&Střed"));
            b->setPicture(icon);
            b->setMaskColor(0xFF0000);
            b->setPicturePosition(0);
            b->setPictureSize(0);
            b->resize(96, 28);
            place(b, x, y + row * 46, styleName + u' ' + lookName);
            x += 106;
        }
        auto* disabled = new StateLumenButton(this, false, false);
        disabled->setButtonStyle(style);
        disabled->setCaption(QStringLiteral("&Střed"));
        disabled->setPicture(icon);
        disabled->setMaskColor(0xFF0000);
        disabled->setPicturePosition(0);
        disabled->setPictureSize(0);
        disabled->resize(96, 28);
        disabled->setEnabled(false);
        place(disabled, x, y + row * 46, styleName + QStringLiteral(" disabled"));
        x += 106;
        auto* defaulted = new StateLumenButton(this, false, false);
        defaulted->setButtonStyle(style);
        defaulted->setCaption(QStringLiteral("Výchozí"));
        defaulted->setDisplayAsDefault(true);
        defaulted->resize(96, 28);
        place(defaulted, x, y + row * 46, styleName + QStringLiteral(" default"));
        ++row;
    }
    // Picture positions and the frameless look.
    const QStringList positions{"left", "top", "right", "bottom", "behind"};
    for (int position = 0; position < 5; ++position) {
        auto* b = new StateLumenButton(this, false, false);
        b->setButtonStyle(3);
        b->setCaption(QStringLiteral("Obrázek"));
        b->setPicture(GalleryPictures::icon(QColor(60, 150, 90), 20));
        b->setMaskColor(0xFF0000);
        b->setPictureSize(0);
        b->setPicturePosition(position);
        b->resize(position == 1 || position == 3 ? 80 : 100,
                  position == 1 || position == 3 ? 56 : 32);
        place(b, 560 + (position % 3) * 116, y + (position / 3) * 74,
              QStringLiteral("PicturePosition ") + positions.at(position));
    }
    auto* frameless = new StateLumenButton(this, true, false);
    frameless->setButtonStyle(4);
    frameless->setCaption(QStringLiteral("Bez rámu"));
    frameless->resize(96, 28);
    place(frameless, 792, y + 74, QStringLiteral("ButtonStyle 4"));
    auto* deep = new StateLumenButton(this, false, false);
    deep->setButtonStyle(1);
    deep->setBEVEL(2);
    deep->setBEVELDEPTH(12);
    deep->setCaption(QStringLiteral("BEVEL 2"));
    deep->resize(96, 28);
    place(deep, 16 + 4 * 106, y + 3 * 46, QStringLiteral("classic BEVEL 2, depth 12"));
}

void GalleryWindow::addContainers(int y)
{
    heading(QStringLiteral("Container3D, z3DLine"), y);
    y += 26;
    const QStringList effects{"0 none", "1 flat", "2 raised", "3 sunken", "4 bump", "5 etched"};
    for (int effect = 0; effect <= 5; ++effect) {
        auto* c = new Container3D(this);
        c->setCtrlEffect(effect);
        c->resize(120, 60);
        auto* label = new QLabel(QStringLiteral("Stanice"), c);
        label->move(12, 20);
        place(c, 16 + effect * 132, y, QStringLiteral("CtrlEffect ") + effects.at(effect));
    }
    auto* autoSized = new Container3D(this);
    autoSized->setCtrlEffect(3);
    autoSized->resize(140, 60);
    auto* inner = new Container3D(autoSized);
    inner->setCtrlEffect(2);
    inner->setBackColor(0x00F0E0D0);
    inner->move(2, 2);
    autoSized->setAutoSize(1);
    place(autoSized, 16, y + 80, QStringLiteral("AutoSize 1, one child"));

    auto* horizontal = new z3DLine(this);
    horizontal->resize(200, 20);
    place(horizontal, 180, y + 90, QStringLiteral("z3DLine wide"));
    auto* vertical = new z3DLine(this);
    vertical->resize(40, 40);
    place(vertical, 420, y + 80, QStringLiteral("z3DLine square"));
}
