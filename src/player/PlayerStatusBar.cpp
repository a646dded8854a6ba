#include "player/PlayerStatusBar.h"

#include "player/StatusBarAccessible.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

const char* const NumberProperty = "imageNumber";
const char* const TextProperty = "fullText";

// What a screen reader calls each panel; a text panel's name carries its text
// too, so that the text is read with it.
QString spokenName(const QString& key)
{
    if (key == QLatin1String("status"))
        return QStringLiteral("Stav");
    if (key == QLatin1String("volume"))
        return QStringLiteral("Hlasitost");
    if (key == QLatin1String("proxy"))
        return QStringLiteral("Proxy");
    return QStringLiteral("Stav přehrávání");
}

} // namespace

PlayerStatusBar::PlayerStatusBar(QWidget* parent) : QStatusBar(parent)
{
    StatusBarAccessible::install();
    setSizeGripEnabled(true);
    setAccessibleName(QStringLiteral("Stavový řádek"));
    for (const QString& key : panelKeys()) {
        auto* label = new QLabel(this);
        label->setObjectName(key);
        // The status carries the stream's own title: shown as text, never as markup.
        label->setTextFormat(Qt::PlainText);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->installEventFilter(this);
        label->setAccessibleName(spokenName(key));
        m_panels << label;
        if (key == QLatin1String("status")) {
            label->setMinimumWidth(0);
            label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            addWidget(label, 1);
        } else {
            label->setAlignment(Qt::AlignCenter);
            if (key != QLatin1String("volume"))
                label->setFixedWidth(24);
            addPermanentWidget(label);
        }
    }
    panel(QStringLiteral("volume"))->setCursor(Qt::PointingHandCursor);
}

QStringList PlayerStatusBar::panelKeys()
{
    return {QStringLiteral("status"), QStringLiteral("volume"), QStringLiteral("proxy"),
            QStringLiteral("icon")};
}

QLabel* PlayerStatusBar::panel(const QString& key) const
{
    for (QLabel* label : m_panels)
        if (label->objectName() == key)
            return label;
    return nullptr;
}

void PlayerStatusBar::setPanelText(const QString& key, const QString& text)
{
    if (QLabel* label = panel(key)) {
        label->setProperty(TextProperty, text);
        showText(label);
        label->setAccessibleName(text.isEmpty() ? spokenName(key)
                                                : spokenName(key) + QStringLiteral(": ") + text);
    }
}

QString PlayerStatusBar::panelText(const QString& key) const
{
    const QLabel* label = panel(key);
    return label ? label->property(TextProperty).toString() : QString();
}

// A text too long for the status panel ends in "…" and is whole in the tool
// tip: an error's cause is never cut off silently. The other panels grow to
// their texts (an elided text would keep a panel at its old width).
void PlayerStatusBar::showText(QLabel* label)
{
    const QString text = label->property(TextProperty).toString();
    const QString shown =
        label->objectName() != QLatin1String("status")
            ? text
            : label->fontMetrics().elidedText(text, Qt::ElideRight, label->contentsRect().width());
    label->setText(shown);
    label->setToolTip(shown == text ? QString() : text);
}

void PlayerStatusBar::setPanelPicture(const QString& key, const QIcon& icon, int number)
{
    if (QLabel* label = panel(key)) {
        label->setPixmap(icon.pixmap(QSize(16, 16), label->devicePixelRatioF()));
        label->setProperty(NumberProperty, number);
    }
}

int PlayerStatusBar::panelPicture(const QString& key) const
{
    const QLabel* label = panel(key);
    return label ? label->property(NumberProperty).toInt() : 0;
}

bool PlayerStatusBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize)
        if (auto* label = qobject_cast<QLabel*>(watched);
            label && m_panels.contains(label) && label->property(TextProperty).isValid())
            showText(label); // text panels only: the picture panels keep their tips
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (auto* label = qobject_cast<QLabel*>(watched); label && m_panels.contains(label))
            Q_EMIT PanelClick(label->objectName());
    }
    return QStatusBar::eventFilter(watched, event);
}
