// LumenButton's design-time properties, in their saved order. The caption's
// default is the control's display name, its objectName.
#include "controls/LumenButton.h"
#include "platform/OleColor.h"

namespace {
const QString DefaultSoundOver = QStringLiteral(".\\resources\\over.wav");
const QString DefaultSoundClick = QStringLiteral(".\\resources\\click.wav");
} // namespace

void LumenButton::readProperties(const PropertyBag& bag)
{
    m_backColor = bag.readColour(QStringLiteral("BackColor"), OleColor::ButtonFace);
    m_foreColor = bag.readColour(QStringLiteral("ForeColor"), OleColor::ButtonText);
    m_showFocusRect = bag.readBool(QStringLiteral("ShowFocusRect"), true);
    m_caption = bag.readString(QStringLiteral("Caption"), objectName());
    m_picturePosition = bag.readInt(QStringLiteral("PicturePosition"), 1);
    m_buttonStyle = bag.readInt(QStringLiteral("ButtonStyle"), 2);
    m_picture = bag.readPicture(QStringLiteral("Picture"));
    m_pictureWidth = bag.readInt(QStringLiteral("PictureWidth"), 32);
    m_pictureHeight = bag.readInt(QStringLiteral("PictureHeight"), 32);
    m_pictureSize = bag.readInt(QStringLiteral("PictureSize"), 1);
    m_originalPicSizeW = bag.readInt(QStringLiteral("OriginalPicSizeW"), 32);
    m_originalPicSizeH = bag.readInt(QStringLiteral("OriginalPicSizeH"), 32);
    if (bag.contains(QStringLiteral("Font")))
        setFont(bag.readFont(QStringLiteral("Font"), font()));
    else
        bag.read(QStringLiteral("Font"));
    m_pictureHover = bag.readPicture(QStringLiteral("PictureHover"));
    m_mouseIcon = bag.readPicture(QStringLiteral("MouseIcon"));
    const bool enabled = bag.readBool(QStringLiteral("Enabled"), true);
    m_mousePointer = bag.readInt(QStringLiteral("MousePointer"), 0);
    m_url = bag.readString(QStringLiteral("URL"), QString());
    m_xpColorPressed = bag.readColour(QStringLiteral("XPColor_Pressed"), OleColor::Highlight3D);
    m_xpColorHover = bag.readColour(QStringLiteral("XPColor_Hover"), OleColor::Light3D);
    m_xpDefaultColors = bag.readBool(QStringLiteral("XPDefaultColors"), true);
    m_soundOver = bag.readString(QStringLiteral("SoundOver"), DefaultSoundOver);
    m_soundClick = bag.readString(QStringLiteral("SoundClick"), DefaultSoundClick);
    m_defCurHand = bag.readBool(QStringLiteral("DefCurHand"), true);
    m_xpShowBorderAlways = bag.readBool(QStringLiteral("XPShowBorderAlways"), false);
    m_maskColor = bag.readColour(QStringLiteral("MaskColor"), 0);
    m_transparentBG = bag.readBool(QStringLiteral("TransparentBG"), false);
    m_bevel = bag.readInt(QStringLiteral("BEVEL"), 1);
    m_bevelDepth = bag.readInt(QStringLiteral("BEVELDEPTH"), 8);

    m_shown = m_picture;
    if (enabled != isEnabled())
        setEnabled(enabled);
    applyCursor();
    updateAccessKey();
    applyRegion();
    update();
}

void LumenButton::writeProperties(PropertyBag& bag) const
{
    bag.write(QStringLiteral("BackColor"), m_backColor, OleColor::ButtonFace);
    bag.write(QStringLiteral("ForeColor"), m_foreColor, OleColor::ButtonText);
    bag.write(QStringLiteral("ShowFocusRect"), m_showFocusRect, true);
    bag.write(QStringLiteral("Caption"), m_caption, objectName());
    bag.write(QStringLiteral("PicturePosition"), m_picturePosition, 1);
    bag.write(QStringLiteral("ButtonStyle"), m_buttonStyle, 2);
    bag.writePicture(QStringLiteral("Picture"), m_picture);
    bag.write(QStringLiteral("PictureWidth"), m_pictureWidth, 32);
    bag.write(QStringLiteral("PictureHeight"), m_pictureHeight, 32);
    bag.write(QStringLiteral("PictureSize"), m_pictureSize, 1);
    bag.write(QStringLiteral("OriginalPicSizeW"), m_originalPicSizeW, 32);
    bag.write(QStringLiteral("OriginalPicSizeH"), m_originalPicSizeH, 32);
    bag.write(QStringLiteral("Font"), testAttribute(Qt::WA_SetFont) ? QVariant(font()) : QVariant(),
              QVariant());
    bag.writePicture(QStringLiteral("PictureHover"), m_pictureHover);
    bag.writePicture(QStringLiteral("MouseIcon"), m_mouseIcon);
    bag.write(QStringLiteral("Enabled"), isEnabled(), true);
    bag.write(QStringLiteral("MousePointer"), m_mousePointer, 0);
    bag.write(QStringLiteral("URL"), m_url, QString());
    bag.write(QStringLiteral("XPColor_Pressed"), m_xpColorPressed, OleColor::Highlight3D);
    bag.write(QStringLiteral("XPColor_Hover"), m_xpColorHover, OleColor::Light3D);
    bag.write(QStringLiteral("XPDefaultColors"), m_xpDefaultColors, true);
    bag.write(QStringLiteral("SoundOver"), m_soundOver, DefaultSoundOver);
    bag.write(QStringLiteral("SoundClick"), m_soundClick, DefaultSoundClick);
    bag.write(QStringLiteral("DefCurHand"), m_defCurHand, true);
    bag.write(QStringLiteral("XPShowBorderAlways"), m_xpShowBorderAlways, false);
    bag.write(QStringLiteral("MaskColor"), m_maskColor, quint32(0));
    bag.write(QStringLiteral("TransparentBG"), m_transparentBG, false);
    bag.write(QStringLiteral("BEVEL"), m_bevel, 1);
    bag.write(QStringLiteral("BEVELDEPTH"), m_bevelDepth, 8);
}
