// LumenButton: its look arithmetic, then mouse and Space handling, hover with
// sounds and pictures, the access key, addresses, the XP shape, persistence.
// The placement of picture and caption is the look's own choice, not checked.
#include "ControlTest.h"
#include "TestFolders.h"
#include "controls/LumenButton.h"
#include "controls/LumenLook.h"
#include "platform/WindowRegion.h"
#include "stream/gst/Sound.h"

#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QKeyEvent>
#include <QtTest>

using namespace LumenLook;

namespace {

void sendSpace(QWidget* w, QEvent::Type type, bool autoRepeat)
{
    QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, QString(" "), autoRepeat);
    QApplication::sendEvent(w, &event);
}

} // namespace

class TestLumenButton : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void open(const QUrl& url) { m_log.append(QString("open ") + url.toString()); }

private Q_SLOTS:
    void initTestCase()
    {
        // The default sound paths resolve against the program folder.
        QVERIFY(QDir(m_folder.path()).mkpath(QString("resources")));
        for (QString name : {"over.wav", "click.wav"})
            QVERIFY(QFile::copy(QStringLiteral(SKYTUNER_SOURCE_DIR "/src/resources/") + name,
                                m_folder.file(QString("resources/") + name)));
        Sound::setHandler(
            [this](const QString& file) { m_log.append(QFileInfo(file).fileName()); });
        for (const char* scheme : {"https", "mailto"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }

    void init() { m_log.clear(); }

    void offsetColour()
    {
        // Blue moves by blue * d / 192, towards zero; each part is clamped.
        QCOMPARE(LumenLook::offsetColour(QColor(100, 100, 100), 48), QColor(148, 148, 125));
        QCOMPARE(LumenLook::offsetColour(QColor(200, 230, 200), 100), QColor(255, 255, 255));
        QCOMPARE(LumenLook::offsetColour(QColor(20, 10, 30), -84), QColor(0, 0, 17));
        QCOMPARE(LumenLook::offsetColour(QColor(0, 0, 192), -1), QColor(0, 0, 191));
    }

    void coloursAndGradient()
    {
        // Any value above 0xFFFFFF names a system colour by its low 24 bits.
        QCOMPARE(resolveColour(0x01000010), OleColor::toColor(OleColor::ButtonShadow));
        // Row i from the bottom is base - round(i * 15 / height), half to even.
        const QList<QColor> rows = pressedGradientRows(QColor(236, 233, 216), 20);
        QCOMPARE(rows.at(18), QColor(221, 221, 211)); // i 2: 1.5 to 2
        QCOMPARE(rows.at(14), QColor(219, 219, 209)); // i 6: 4.5 to 4
        QCOMPARE(rows.at(0), QColor(208, 208, 197));
    }

    void onlyALeftReleaseInsideClicks()
    {
        LumenButton b;
        b.setURL(QString("https://example.cz/"));
        record(&b, &LumenButton::MouseDown, m_log, "down");
        record(&b, &LumenButton::MouseUp, m_log, "up");
        record(&b, &LumenButton::Click, m_log, "Click");
        QTest::mousePress(&b, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(!b.isPressed());
        QTest::mouseRelease(&b, Qt::RightButton, {}, QPoint(5, 5));
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, b.height() + 3));
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(b.isPressed());
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!b.isPressed());
        QCOMPARE(m_log, (QStringList{"down", "up", "down", "up", "down", "click.wav", "Click",
                                     "open https://example.cz/", "up"}));
    }

    void spaceHeldPressesOnceAndClicksOnce()
    {
        LumenButton b;
        record(&b, &LumenButton::KeyDown, m_log, "KeyDown");
        record(&b, &LumenButton::KeyUp, m_log, "KeyUp");
        record(&b, &LumenButton::Click, m_log, "Click");
        sendSpace(&b, QEvent::KeyPress, false);
        for (int i = 0; i < 2; ++i) { // the key repeating while held
            sendSpace(&b, QEvent::KeyRelease, true);
            sendSpace(&b, QEvent::KeyPress, true);
        }
        QVERIFY(b.isPressed());
        sendSpace(&b, QEvent::KeyRelease, false);
        QVERIFY(!b.isPressed());
        QCOMPARE(m_log,
                 (QStringList{"KeyDown", "KeyDown", "KeyDown", "click.wav", "Click", "KeyUp"}));
    }

    void hoverWithSoundPictureAndHeldLook()
    {
        Host host;
        auto* b = host.add<LumenButton>(QRect(20, 20, 100, 30));
        const QPixmap normal = filled(QSize(16, 16), Qt::blue);
        const QPixmap hover = filled(QSize(16, 16), Qt::yellow);
        b->setPicture(normal);
        b->setPictureHover(hover);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        record(b, &LumenButton::MouseIn, m_log, "in");
        record(b, &LumenButton::MouseOut, m_log, "out");
        for (int x = 5; x < 90; x += 20)
            QTest::mouseMove(b, QPoint(x, 10));
        QCOMPARE(m_log, (QStringList{"in", "over.wav"}));
        QCOMPARE(b->shownPicture().toImage(), hover.toImage());
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(b->looksPressed());
        QCursor::setPos(host.mapToGlobal(QPoint(280, 180)));
        QTRY_COMPARE(m_log, (QStringList{"in", "over.wav", "out"}));
        QCOMPARE(b->shownPicture().toImage(), normal.toImage());
        QVERIFY(b->isPressed() && !b->looksPressed()); // held, but the mouse is away
        QCursor::setPos(b->mapToGlobal(QPoint(12, 12)));
        QTest::mouseMove(b, QPoint(12, 12), 0);
        QTRY_VERIFY(b->looksPressed());
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(12, 12));
    }

    void accessKeyClicksWithoutSound()
    {
        Host host;
        auto* b = host.add<LumenButton>(QRect(0, 0, 90, 28));
        b->setCaption(QString("&Otevřít"));
        b->setURL(QString("mailto:info@example.cz"));
        record(b, &LumenButton::Click, m_log, "Click");
        host.show();
        host.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&host));
        QTest::keyClick(&host, Qt::Key_O, Qt::AltModifier);
        b->setEnabled(false);
        QTest::keyClick(&host, Qt::Key_O, Qt::AltModifier);
        QCOMPARE(m_log, (QStringList{"Click", "open mailto:info@example.cz"}));
    }

    void xpLookShape()
    {
        LumenButton b;
        b.setTransparentBG(true);
        b.setButtonStyle(3);
        QVERIFY(!b.TransparentBG()); // the XP look is never transparent
        b.resize(60, 20);
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        QCOMPARE(b.mask(), WindowRegion::roundedCorners(QSize(60, 20)));
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(30, 10));
        const QImage image = b.grab().toImage();
        for (const QPoint& corner : {QPoint(1, 1), QPoint(1, 18), QPoint(58, 1), QPoint(58, 18)})
            QCOMPARE(image.pixel(corner), sys(OleColor::DarkShadow3D));
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(30, 10));
        b.setButtonStyle(2);
        QVERIFY(b.mask().isEmpty());
    }

    void persistence()
    {
        LumenButton b;
        b.setCaption(QString("&Střed"));
        b.setButtonStyle(3);
        b.setBEVEL(2);
        b.setPicture(filled(QSize(24, 20), Qt::red));
        LumenButton copy;
        record(&copy, &LumenButton::Click, m_log, "Click");
        checkPersistence(
            b, copy, 6, // with the picture's own size
            QStringLiteral("BackColor ForeColor ShowFocusRect Caption PicturePosition ButtonStyle "
                           "Picture PictureWidth PictureHeight PictureSize OriginalPicSizeW "
                           "OriginalPicSizeH Font PictureHover MouseIcon Enabled MousePointer URL "
                           "XPColor_Pressed XPColor_Hover XPDefaultColors SoundOver SoundClick "
                           "DefCurHand XPShowBorderAlways MaskColor TransparentBG BEVEL BEVELDEPTH")
                .split(u' '));
        QCOMPARE(copy.accessKey(), QChar(u's'));
        QCOMPARE(m_log, QStringList());
    }

private:
    TemporaryProgramFolder m_folder;
    QStringList m_log;
};

QTEST_MAIN(TestLumenButton)
#include "tst_lumenbutton.moc"
