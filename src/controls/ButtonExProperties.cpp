// ButtonEx's design-time properties, in their saved order.
#include "controls/ButtonEx.h"
#include "controls/ControlInput.h"
#include "platform/OleColor.h"

namespace {
const QString DefaultCaption = QStringLiteral("ButtonEx1");
}

void ButtonEx::readProperties(const PropertyBag& bag)
{
    m_allowDefault = bag.readBool(QStringLiteral("AllowDefault"), true);
    m_allowFocus = bag.readBool(QStringLiteral("AllowFocus"), true);
    m_appearance = bag.readInt(QStringLiteral("Appearance"), 1);
    m_backColor = bag.readColour(QStringLiteral("BackColor"), OleColor::ButtonFace);
    m_borderStyle = bag.readInt(QStringLiteral("BorderStyle"), 1);
    m_caption = bag.readString(QStringLiteral("Caption"), DefaultCaption);
    m_captionOffsetX = bag.readInt(QStringLiteral("CaptionOffsetX"), 0);
    m_captionOffsetY = bag.readInt(QStringLiteral("CaptionOffsetY"), 0);
    const bool enabled = bag.readBool(QStringLiteral("Enabled"), true);
    m_foreColor = bag.readColour(QStringLiteral("ForeColor"), OleColor::ButtonText);
    if (bag.contains(QStringLiteral("Font")))
        setFont(bag.readFont(QStringLiteral("Font"), font()));
    else
        bag.read(QStringLiteral("Font"));
    m_highlightColor = bag.readColour(QStringLiteral("HighlightColor"), OleColor::ButtonText);
    m_highlightPicture = bag.readBool(QStringLiteral("HighlightPicture"), false);
    m_mouseIcon = bag.readPicture(QStringLiteral("MouseIcon"));
    m_mousePointer = bag.readInt(QStringLiteral("MousePointer"), 0);
    const int oleDropMode = bag.readInt(QStringLiteral("OLEDropMode"), 0);
    m_picture = bag.readPicture(QStringLiteral("Picture"));
    m_pictureDisabled = bag.readPicture(QStringLiteral("PictureDisabled"));
    m_pictureDown = bag.readPicture(QStringLiteral("PictureDown"));
    m_pictureFocus = bag.readPicture(QStringLiteral("PictureFocus"));
    m_pictureOffsetX = bag.readInt(QStringLiteral("PictureOffsetX"), 0);
    m_pictureOffsetY = bag.readInt(QStringLiteral("PictureOffsetY"), 0);
    m_pictureOver = bag.readPicture(QStringLiteral("PictureOver"));
    m_rightToLeft = bag.readBool(QStringLiteral("RightToLeft"), false);
    m_skinDisabled = bag.readPicture(QStringLiteral("SkinDisabled"));
    m_skinDown = bag.readPicture(QStringLiteral("SkinDown"));
    m_skinFocus = bag.readPicture(QStringLiteral("SkinFocus"));
    m_skinOver = bag.readPicture(QStringLiteral("SkinOver"));
    m_skinUp = bag.readPicture(QStringLiteral("SkinUp"));
    m_style = bag.readInt(QStringLiteral("Style"), 0);
    setToolTip(bag.readString(QStringLiteral("ToolTipText"), QString()));
    m_transparentColor = bag.readColour(QStringLiteral("TransparentColor"), 0xFF0000);
    m_value = bag.readInt(QStringLiteral("Value"), 1);
    m_whatsThisHelpId = bag.readInt(QStringLiteral("WhatsThisHelpID"), 0);

    ControlInput::applyMousePointer(this, m_mousePointer, m_mouseIcon);
    setOLEDropMode(oleDropMode);
    updateAccessKey();
    if (enabled != isEnabled())
        setEnabled(enabled);
    drawState(m_state);
}

void ButtonEx::writeProperties(PropertyBag& bag) const
{
    bag.write(QStringLiteral("AllowDefault"), m_allowDefault, true);
    bag.write(QStringLiteral("AllowFocus"), m_allowFocus, true);
    bag.write(QStringLiteral("Appearance"), m_appearance, 1);
    bag.write(QStringLiteral("BackColor"), m_backColor, OleColor::ButtonFace);
    bag.write(QStringLiteral("BorderStyle"), m_borderStyle, 1);
    bag.write(QStringLiteral("Caption"), m_caption, DefaultCaption);
    bag.write(QStringLiteral("CaptionOffsetX"), m_captionOffsetX, 0);
    bag.write(QStringLiteral("CaptionOffsetY"), m_captionOffsetY, 0);
    bag.write(QStringLiteral("Enabled"), isEnabled(), true);
    bag.write(QStringLiteral("ForeColor"), m_foreColor, OleColor::ButtonText);
    // The host's font is the default: only a font set on the button is saved.
    bag.write(QStringLiteral("Font"), testAttribute(Qt::WA_SetFont) ? QVariant(font()) : QVariant(),
              QVariant());
    bag.write(QStringLiteral("HighlightColor"), m_highlightColor, OleColor::ButtonText);
    bag.write(QStringLiteral("HighlightPicture"), m_highlightPicture, false);
    bag.writePicture(QStringLiteral("MouseIcon"), m_mouseIcon);
    bag.write(QStringLiteral("MousePointer"), m_mousePointer, 0);
    bag.write(QStringLiteral("OLEDropMode"), m_oleDropMode, 0);
    bag.writePicture(QStringLiteral("Picture"), m_picture);
    bag.writePicture(QStringLiteral("PictureDisabled"), m_pictureDisabled);
    bag.writePicture(QStringLiteral("PictureDown"), m_pictureDown);
    bag.writePicture(QStringLiteral("PictureFocus"), m_pictureFocus);
    bag.write(QStringLiteral("PictureOffsetX"), m_pictureOffsetX, 0);
    bag.write(QStringLiteral("PictureOffsetY"), m_pictureOffsetY, 0);
    bag.writePicture(QStringLiteral("PictureOver"), m_pictureOver);
    bag.write(QStringLiteral("RightToLeft"), m_rightToLeft, false);
    bag.writePicture(QStringLiteral("SkinDisabled"), m_skinDisabled);
    bag.writePicture(QStringLiteral("SkinDown"), m_skinDown);
    bag.writePicture(QStringLiteral("SkinFocus"), m_skinFocus);
    bag.writePicture(QStringLiteral("SkinOver"), m_skinOver);
    bag.writePicture(QStringLiteral("SkinUp"), m_skinUp);
    bag.write(QStringLiteral("Style"), m_style, 0);
    bag.write(QStringLiteral("ToolTipText"), toolTip(), QString());
    bag.write(QStringLiteral("TransparentColor"), m_transparentColor, quint32(0xFF0000));
    bag.write(QStringLiteral("Value"), m_value, 1);
    bag.write(QStringLiteral("WhatsThisHelpID"), m_whatsThisHelpId, 0);
}
