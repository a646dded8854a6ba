// The controls' own behaviour. What all of them promise a host: clicks and
// double clicks, access keys, late moves, errors inside handlers, persistence.
// LumenButton: Space, hover with sound, picture and held look, the XP shape
// (the placement of picture and caption is the look's own choice, not
// checked). The slider: its arithmetic without a widget, values, errors,
// events and their order, dragging, the tip, the drawn groove. ButtonEx:
// pressing and leaving, toggles, the default frame, skins, and drag and drop
// (effect numbers, the data view with its formats, drop target, drag source
// with data rendered when read, through a drag runner that skips QDrag's nested
// loop). The framed container and the 3D line: errors, sizing, frames. Hover
// across the controls and a real drag run on a real display (tst_controls_x11).
#include "ControlTest.h"
#include "TestFolders.h"
#include "controls/ButtonEx.h"
#include "controls/ButtonExLayout.h"
#include "controls/Container3D.h"
#include "controls/ControlError.h"
#include "controls/DataObject.h"
#include "controls/LumenButton.h"
#include "controls/OleDragDrop.h"
#include "controls/SliderGeometry.h"
#include "controls/ucSlider.h"
#include "controls/ucSliderTip.h"
#include "controls/z3DLine.h"
#include "platform/WindowRegion.h"
#include "stream/gst/Sound.h"

#include <QDesktopServices>
#include <QDrag>
#include <QLabel>

using namespace ButtonExLayout;
using namespace OleDragDrop;
using namespace SliderGeometry;

namespace {

// Every event of a slider, in the order raised, with the value or shift state.
struct SliderLog : Log
{
    explicit SliderLog(ucSlider* s)
    {
        watch({s}, {"Click", "ArrivedFirst", "ArrivedLast"});
        connect(s, &ucSlider::Change, this,
                [this, s] { names << QString("Change(%1)").arg(s->Value()); });
        connect(s, &ucSlider::MouseDown, this,
                [this](short shift) { names << QString("MouseDown(%1)").arg(shift); });
        connect(s, &ucSlider::MouseUp, this,
                [this](short shift) { names << QString("MouseUp(%1)").arg(shift); });
    }
};

// A horizontal slider; 116 pixels wide, it has 100 pixels of travel, 10 per value.
void horizontal(ucSlider& s, int width = 116)
{
    s.setOrientation(0);
    s.resize(width, 40);
}

void sendSpace(QWidget* w, QEvent::Type type, bool autoRepeat)
{
    QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, QString(" "), autoRepeat);
    QApplication::sendEvent(w, &event);
}

// A control by class name in `host`.
QWidget* create(const QString& kind, Host& host, QRect place = QRect(20, 20, 90, 30))
{
    return kind == "ButtonEx"      ? host.add<ButtonEx>(place)
           : kind == "LumenButton" ? host.add<LumenButton>(place)
           : kind == "Container3D" ? host.add<Container3D>(place)
                                   : static_cast<QWidget*>(host.add<ucSlider>(place));
}

// One made for the host promises: its mouse events logged, and a LumenButton
// opening an address when clicked.
QWidget* make(const QString& kind, Host& host, Log& log)
{
    QWidget* control = create(kind, host);
    if (auto* lumen = qobject_cast<LumenButton*>(control))
        lumen->setURL(QString("https://example.cz/"));
    log.watch({control}, {"MouseDown", "MouseUp", "Click", "DblClick", "Change"});
    return control;
}

// The error `set` raises, as the log of a contained one words it.
template <typename Set> QString errorOf(Set set)
{
    try {
        set();
    } catch (const ControlError& e) {
        return QString("%1 %2 from %3").arg(e.number()).arg(e.description(), e.source());
    }
    return QString("none");
}

// The control's saved properties, written after reading `saved` (if given).
QVariantMap written(QWidget* control, const std::optional<QVariantMap>& saved = {})
{
    PropertyBag bag;
    const auto save = [&](auto* c) {
        if (!c)
            return;
        if (saved)
            c->readProperties(PropertyBag(*saved));
        c->writeProperties(bag);
    };
    save(qobject_cast<ButtonEx*>(control));
    save(qobject_cast<LumenButton*>(control));
    save(qobject_cast<Container3D*>(control));
    save(qobject_cast<ucSlider*>(control));
    return bag.values();
}

// One row per kind of control.
void kindRows(std::initializer_list<const char*> kinds)
{
    QTest::addColumn<QString>("kind");
    for (const char* kind : kinds)
        QTest::newRow(kind) << QString(kind);
}

} // namespace

class TestControls : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void open(const QUrl& url) { m_log.names << QString("open ") + url.toString(); }
    void fail() { m_volume.setValue(99); }

private Q_SLOTS:
    void initTestCase()
    {
        // The default sound paths resolve against the program folder.
        QVERIFY(QDir(m_folder.path()).mkpath(QString("resources")));
        for (QString name : {"over.wav", "click.wav"})
            QVERIFY(QFile::copy(QStringLiteral(SKYTUNER_SOURCE_DIR "/src/resources/") + name,
                                m_folder.file(QString("resources/") + name)));
        Sound::setHandler(
            [this](const QString& file) { m_log.names << QFileInfo(file).fileName(); });
        for (const char* scheme : {"https", "mailto"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }

    void cleanupTestCase()
    {
        for (const char* scheme : {"https", "mailto"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    void init() { m_log.names.clear(); }

    // What every control promises its host: only a left release inside clicks,
    // a double click acts once, an access key clicks once (without a sound), a
    // late mouse move starts no hover, and an invalid property value raised by
    // a host's handler (`failing`) stays inside the control, ending that event.
    void onlyALeftReleaseInsideClicksAndADoubleClickActsOnce_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("events");
        QTest::newRow("ButtonEx") << "ButtonEx"
                                  << "Click"
                                  << "MouseDown MouseUp MouseDown MouseUp MouseDown MouseUp Click "
                                     "MouseDown MouseUp";
        QTest::newRow("LumenButton") << "LumenButton"
                                     << ""
                                     << "MouseDown MouseUp MouseDown MouseUp MouseDown click.wav "
                                        "Click open https://example.cz/ MouseUp MouseDown MouseUp";
        QTest::newRow("LumenButton failing") << "LumenButton"
                                             << "Click"
                                             << "MouseDown MouseUp MouseDown MouseUp MouseDown "
                                                "click.wav Click MouseDown MouseUp";
        QTest::newRow("Container3D") << "Container3D"
                                     << "DblClick"
                                     << "MouseDown MouseUp MouseDown MouseUp MouseDown MouseUp "
                                        "Click DblClick MouseUp";
    }

    void onlyALeftReleaseInsideClicksAndADoubleClickActsOnce()
    {
        QFETCH(QString, kind);
        QFETCH(QString, failing);
        Host host;
        QWidget* control = make(kind, host, m_log);
        if (!failing.isEmpty()) {
            connect(control, QByteArray("2" + failing.toLatin1() + "()").constData(), this,
                    SLOT(fail()));
            QTest::ignoreMessage(QtWarningMsg, "error 380 Invalid property value from "
                                               "ucSlider.Value in an event handler");
        }
        const QPoint in(10, 10);
        QTest::mouseClick(control, Qt::RightButton, {}, in);
        QTest::mousePress(control, Qt::LeftButton, {}, in);
        QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(10, 100));
        // Qt delivers a double click as press, release, double click, release.
        QTest::mouseClick(control, Qt::LeftButton, {}, in);
        QTest::mouseDClick(control, Qt::LeftButton, {}, in);
        QTest::mouseRelease(control, Qt::LeftButton, {}, in);
        QTEST(m_log.names.join(u' '), "events");
    }

    void accessKeyClicksOnce_data() { kindRows({"ButtonEx", "LumenButton"}); }

    void accessKeyClicksOnce()
    {
        QFETCH(QString, kind);
        Host host;
        QWidget* control = make(kind, host, m_log);
        const auto setCaption = [control](const char* caption) {
            if (auto* lumen = qobject_cast<LumenButton*>(control))
                lumen->setCaption(QString(caption));
            else
                static_cast<ButtonEx*>(control)->setCaption(QString(caption));
        };
        setCaption("Tisk && &náhled");
        QVERIFY(active(host));
        QTest::keyClick(&host, Qt::Key_T, Qt::AltModifier);
        QTest::keyClick(&host, Qt::Key_N, Qt::AltModifier);
        setCaption("Zavřít"); // no marker: the key goes
        QTest::keyClick(&host, Qt::Key_N, Qt::AltModifier);
        setCaption("&náhled");
        control->setEnabled(false);
        QTest::keyClick(&host, Qt::Key_N, Qt::AltModifier);
        QCOMPARE(m_log.names.join(u' '),
                 kind == "ButtonEx" ? QString("Click") : QString("Click open https://example.cz/"));
    }

    void lateMoveAfterLeavingStartsNoHover_data()
    {
        kindRows({"ButtonEx", "LumenButton", "Container3D"});
    }

    void lateMoveAfterLeavingStartsNoHover()
    {
        // A move queued while the cursor was still over a control arrives after
        // it has left (on X11 the hover timers read the live position): no
        // control may take it for a new entry.
        QFETCH(QString, kind);
        Host host;
        Log log;
        QWidget* control = make(kind, host, log);
        log.watch({control}, {"MouseEnter", "MouseIn"});
        QVERIFY(shown(host));
        QCursor::setPos(host.mapToGlobal(QPoint(280, 180)));
        QMouseEvent late(QEvent::MouseMove, QPointF(5, 5), control->mapToGlobal(QPointF(5, 5)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(control, &late);
        QTest::qWait(80);
        QCOMPARE(log.names, QStringList());
    }

    void invalidValuesRaiseErrorsAndChangeNothing()
    {
        Container3D c;
        c.setCtrlEffect(3);
        ucSlider s;
        s.setValue(2);
        SliderLog log(&s);
        QStringList errors;
        for (int v : {-1, 6})
            errors << errorOf([&] { c.setCtrlEffect(v); });
        for (int v : {-1, 2})
            errors << errorOf([&] { c.setAutoSize(v); });
        for (int v : {-1, 11})
            errors << errorOf([&] { s.setValue(v); });
        errors << errorOf([&] { s.setMax(0); }) << errorOf([&] { s.setMin(12); });
        const QString bounds("514 Index Out Of Bounds from Container3D.");
        const QString invalid("380 Invalid property value from ucSlider.");
        QCOMPARE(errors, (QStringList{bounds + "CtrlEffect", bounds + "CtrlEffect",
                                      bounds + "AutoSize", bounds + "AutoSize", invalid + "Value",
                                      invalid + "Value", invalid + "Max", invalid + "Min"}));
        QCOMPARE((QList<int>{c.CtrlEffect(), c.AutoSize(), s.Min(), s.Max(), s.Value()}),
                 (QList<int>{3, 0, 0, 10, 2}));
        QCOMPARE(log.names, QStringList());
    }

    // ButtonEx.
    void pressLeaveAndComeBackUp()
    {
        Host host;
        auto* b = host.add<ButtonEx>(QRect(20, 20, 80, 24));
        QVERIFY(shown(host));
        QTest::mouseMove(b, QPoint(10, 10));
        QTest::mouseMove(b, QPoint(12, 10));
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(12, 10));
        QCOMPARE(b->state(), int(Down));
        // Out with the button held: up again once the timer sees the cursor outside.
        QCursor::setPos(host.mapToGlobal(QPoint(280, 180)));
        QTest::mouseMove(b, QPoint(150, 60));
        QTRY_COMPARE(b->state(), int(Up));
        QTest::mouseMove(b, QPoint(152, 61));
        QCOMPARE(b->state(), int(Up)); // no down look outside
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(152, 61));
    }

    void clicksAndKeys()
    {
        ButtonEx b;
        Log log;
        log.watch({&b}, {"Click"});
        connect(&b, &ButtonEx::MouseDown, [&](short button, short shift, float x, float y) {
            log.names << QString("down %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y);
        });
        connect(&b, &ButtonEx::KeyPress,
                [&](short ascii) { log.names << QString("key %1").arg(ascii); });
        QTest::mouseClick(&b, Qt::LeftButton, Qt::ControlModifier, QPoint(4, 2));
        QTest::mouseClick(&b, Qt::RightButton, {}, QPoint(4, 2));
        QTest::keyClick(&b, Qt::Key_Space); // keys never click
        QCOMPARE(log.names, (QStringList{"down 1 2 60 30", "Click", "down 2 0 60 30", "key 32"}));
    }

    void toggleFlipsOncePerClick()
    {
        ButtonEx b;
        b.setStyle(1);
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(b.Value(), 0);
        QCOMPARE(b.state(), int(Down)); // stays in
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseDClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(b.Value(), 1);
        QCOMPARE(b.state(), int(Up));
        b.setValue(0);
        QCOMPARE(b.state(), int(Down));
    }

    void defaultFrameFocusAndHighlight()
    {
        ButtonEx b;
        b.setCaption(QString());
        QVERIFY(shown(b)); // a hidden widget's grab resends the resize, which draws up
        b.setDisplayAsDefault(true);
        QImage image = b.grab().toImage();
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));              // the black frame
        QVERIFY(image.pixel(4, 4) != sys(OleColor::ButtonFace)); // the dotted focus rectangle
        b.setAllowDefault(false);
        QCOMPARE(b.grab().toImage().pixel(0, 0), sys(OleColor::Light3D));
        b.setAllowFocus(false);
        const QImage plain = b.grab().toImage();
        QCOMPARE(plain.pixel(4, 4), sys(OleColor::ButtonFace));
        b.DrawHighlight(); // dotted, around the client area
        QVERIFY(b.grab().toImage().pixel(0, 0) != plain.pixel(0, 0));
        b.ClearHighlight();
        QCOMPARE(b.grab().toImage(), plain);
    }

    void skinnedLook()
    {
        ButtonEx b;
        b.setCaption(QString());
        b.setAppearance(2);
        const QPixmap up = filled(QSize(60, 30), Qt::green);
        b.setSkinUp(up);
        b.setSkinDown(filled(QSize(60, 30), Qt::red));
        QCOMPARE(b.size(), QSize(60, 30)); // the skin sets the size
        QVERIFY(shown(b));
        QCOMPARE(b.grab().toImage().pixel(30, 15), QColor(Qt::green).rgb());
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(b.grab().toImage().pixel(30, 15), QColor(Qt::red).rgb());
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
        b.setEnabled(false); // no disabled skin: the up skin
        QCOMPARE(b.shownSkin().toImage(), up.toImage());
    }

    // A new control writes nothing: no default is saved. What a control reads it
    // writes out again, raising no events, and shows.
    void persistence_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QVariantMap>("saved");
        QTest::addColumn<QString>("shows");
        const QImage picture = filled(QSize(24, 20), Qt::red).toImage();
        // A toggle's Value 0 reads back pressed, drop mode 1 takes drops.
        QTest::newRow("ButtonEx") << "ButtonEx"
                                  << QVariantMap{{"Caption", "&Uložit"},
                                                 {"Style", 1},
                                                 {"Value", 0},
                                                 {"Picture", picture},
                                                 {"Font", QFont(QString("DejaVu Sans"), 11)},
                                                 {"OLEDropMode", 1}}
                                  << "down, takes drops";
        QTest::newRow("LumenButton") << "LumenButton" << QVariantMap{{"Caption", "&Střed"},
                                                                     {"ButtonStyle", 3},
                                                                     {"BEVEL", 2},
                                                                     {"Picture", picture},
                                                                     {"OriginalPicSizeW", 24},
                                                                     {"OriginalPicSizeH", 20}}
                                     << "key s";
        QTest::newRow("Container3D")
            << "Container3D" << QVariantMap{{"CtrlEffect", 5}, {"BackColor", 0x00C0FFEE}} << "";
        // The value read counts as notified: setting it again raises nothing.
        QTest::newRow("ucSlider") << "ucSlider"
                                  << QVariantMap{{"Orientation", 0},
                                                 {"Min", -100},
                                                 {"Max", 100},
                                                 {"Value", 25},
                                                 {"ShowValueTip", false}}
                                  << "thumb 125, none";
        // Saved values are not validated: a value outside the range is kept.
        QTest::newRow("ucSlider outside")
            << "ucSlider" << QVariantMap{{"Orientation", 0}, {"Min", 5}, {"Max", 8}, {"Value", 20}}
            << "thumb 200, 380 Invalid property value from "
               "ucSlider.Value";
    }

    void persistence()
    {
        QFETCH(QString, kind);
        QFETCH(QVariantMap, saved);
        Host host;
        QWidget* control = create(kind, host, QRect(0, 0, 216, 15)); // 200 pixels of travel
        QCOMPARE(written(control), QVariantMap());
        Log log;
        log.watch({control}, {"Change", "ArrivedFirst", "ArrivedLast"});
        QCOMPARE(written(control, saved), saved);
        QString shows;
        if (auto* b = qobject_cast<ButtonEx*>(control))
            shows = QString("%1, %2").arg(b->state() == Down ? "down" : "up",
                                          b->acceptDrops() ? "takes drops" : "no drops");
        else if (auto* lumen = qobject_cast<LumenButton*>(control))
            shows = QString("key ") + lumen->accessKey();
        else if (auto* slider = qobject_cast<ucSlider*>(control))
            shows = QString("thumb %1, %2").arg(slider->thumbPosition().x()).arg(errorOf([slider] {
                slider->setValue(slider->Value());
            }));
        QTEST(shows, "shows");
        QCOMPARE(log.names, QStringList());
    }

    void dropChoosesTheAction()
    {
        // The host's answer narrows the proposed action; move goes before link.
        const Qt::DropActions copyMove = Qt::CopyAction | Qt::MoveAction;
        QCOMPARE(chooseAction(3, Qt::MoveAction, copyMove), Qt::MoveAction);
        QCOMPARE(chooseAction(6, Qt::CopyAction, copyMove | Qt::LinkAction), Qt::MoveAction);
        QCOMPARE(chooseAction(4, Qt::CopyAction, copyMove), Qt::IgnoreAction);
    }

    void dataObjectFormats()
    {
        QMimeData mime;
        DataObject data(&mime);
        QVERIFY(data.SetData(filled(QSize(3, 2), Qt::red).toImage(), DataObject::CFDIB));
        QCOMPARE(data.GetData(DataObject::CFBitmap).value<QImage>().size(), QSize(3, 2));
        const QStringList files{QString("/tmp/seznam stanic.pls")};
        QVERIFY(data.SetData(files, DataObject::CFFiles));
        QCOMPARE(data.Files(), files);
        QVERIFY(!data.SetData(QString("x"), 3)); // metafiles are not supported
        // A dropped object's data is read-only.
        mime.setText(QString("a"));
        DataObject dropped(static_cast<const QMimeData*>(&mime));
        QVERIFY(!dropped.SetData(QString("b"), DataObject::CFText) && !dropped.Clear());
        QCOMPARE(dropped.GetData(DataObject::CFText).toString(), QString("a"));
    }

    void manualDropRaisesTheDropEvents()
    {
        ButtonEx button;
        button.setOLEDropMode(2); // only mode 1 takes drops
        QVERIFY(!button.acceptDrops());
        button.setOLEDropMode(1);
        // Each drag-over or drop as "state effect button shift x y text", state -1
        // for a drop; the host answers each with the next of `answers`.
        QStringList seen;
        QList<int> answers{EffectMove, EffectNone, EffectNone, EffectCopy, EffectCopy};
        const auto record = [&](DataObject* d, int& effect, short b, short s, float x, float y,
                                short state = -1) {
            seen << QString::asprintf("%d %d %d %d %g %g ", state, effect, b, s, x, y) +
                        d->GetData(DataObject::CFText).toString();
            effect = answers.takeFirst();
        };
        connect(&button, &ButtonEx::OLEDragOver, &button, record);
        connect(&button, &ButtonEx::OLEDragDrop, &button, record);
        QMimeData mime;
        mime.setText(QString("x"));
        const Qt::DropActions copyMove = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(QPoint(10, 5), copyMove, &mime, Qt::LeftButton, Qt::ShiftModifier);
        QDragMoveEvent move(QPoint(20, 6), copyMove, &mime, Qt::LeftButton, {});
        QDragLeaveEvent leave;
        QDragEnterEvent again(QPoint(1, 1), copyMove, &mime, Qt::LeftButton, {}); // dropped
        QDropEvent drop(QPointF(21, 7), copyMove, &mime, Qt::LeftButton, Qt::ControlModifier);
        for (QEvent* event : std::initializer_list<QEvent*>{&enter, &move, &leave, &again, &drop})
            QApplication::sendEvent(&button, event);
        QCOMPARE(enter.dropAction(), Qt::MoveAction);
        QVERIFY(!move.isAccepted());
        QCOMPARE(drop.dropAction(), Qt::CopyAction);
        // Entering (0), over (2), leaving (1) with the last position and data and
        // no effect, entering again and the drop; positions in twips.
        QCOMPARE(seen, (QStringList{"0 3 1 1 150 75 x", "2 3 1 0 300 90 x", "1 0 1 0 300 90 x",
                                    "0 3 1 0 15 15 x", "-1 3 1 2 315 105 x"}));
    }

    void dragRaisesStartSetDataFeedbackAndComplete()
    {
        ButtonEx button;
        button.resize(90, 30);
        QStringList order;
        int allow = EffectMove;
        connect(&button, &ButtonEx::OLEStartDrag, &button, [&](DataObject* d, int& allowed) {
            order << QString("start %1").arg(allowed);
            d->SetData(QVariant(), DataObject::CFText); // rendered when read
            allowed = allow;
        });
        connect(&button, &ButtonEx::OLESetData, &button, [&](DataObject* d, short format) {
            order << QString("setdata %1").arg(format);
            d->SetData(QString("Rádio Čas"), format);
        });
        connect(&button, &ButtonEx::OLEGiveFeedback, &button, [&](int effect, bool& defaults) {
            order << QString("feedback %1 %2").arg(effect).arg(defaults);
        });
        connect(&button, &ButtonEx::OLECompleteDrag, &button,
                [&](int effect) { order << QString("complete %1").arg(effect); });
        QString dropped;
        setDragRunner([&](QDrag* drag, Qt::DropActions allowed) {
            order << QString("offered %1 %2").arg(int(allowed)).arg(drag->pixmap().width());
            Q_EMIT drag->actionChanged(Qt::MoveAction);
            dropped = drag->mimeData()->text(); // the target reads the data, rendered once
            dropped += drag->mimeData()->text();
            return Qt::MoveAction;
        });
        const auto restore = qScopeGuard([] { setDragRunner({}); });
        button.OLEDrag();
        QCOMPARE(dropped, QString("Rádio ČasRádio Čas"));
        allow = EffectNone; // refusing every effect starts no drag
        button.OLEDrag();
        QCOMPARE(order, (QStringList{"start 3", "offered 2 90", "feedback 2 1", "setdata 1",
                                     "complete 2", "start 3"}));
    }

    // The framed container and the 3D line.
    void autoSizeFillsOnlyASingleChild()
    {
        // Inside the flat frame's one pixel and an edge's two.
        for (auto [effect, inner] : {std::pair{1, QSize(118, 78)}, {3, QSize(116, 76)}}) {
            Container3D c;
            c.resize(120, 80);
            c.setCtrlEffect(effect);
            QLabel child(&c);
            child.setGeometry(2, 2, 30, 10);
            c.setAutoSize(1);
            QCOMPARE(child.geometry(), QRect(QPoint(2, 2), inner)); // only the size is set
            c.show();
            c.resize(200, 100); // and follows the container's size
            QCOMPARE(child.size(), c.innerRect().size());
            QLabel second(&c);
            c.resize(150, 90); // two children are left alone
            QCOMPARE(child.size(), QSize(200, 100) - (QSize(120, 80) - inner));
        }
        Container3D c; // no side below 8 pixels
        c.resize(3, 0);
        QCOMPARE(c.size(), QSize(8, 8));
    }

    void framesFollowTheEffect()
    {
        Container3D c;
        c.resize(40, 30);
        c.setCtrlEffect(3); // the effect picks the edge: sunken here, raised next
        QCOMPARE(c.grab().toImage().pixel(1, 1), sys(OleColor::DarkShadow3D));
        c.setCtrlEffect(1);
        QCOMPARE(c.grab().toImage().pixel(39, 10), sys(OleColor::ButtonShadow));
    }

    void lineOrientation()
    {
        for (auto [requested, result] : {std::pair{QSize(100, 50), QSize(100, 2)},
                                         {QSize(50, 50), QSize(2, 50)}, // square is vertical
                                         {QSize(3, 2), QSize(3, 2)}}) {
            z3DLine line;
            line.resize(requested);
            const QImage image = line.grab().toImage(); // a hidden line lays out when grabbed
            QCOMPARE(line.size(), result);
            const bool horizontal = result.height() == 2 && result.width() > 2;
            QCOMPARE(image.pixel(0, 0), sys(OleColor::ButtonShadow));
            QCOMPARE(image.pixel(horizontal ? 0 : 1, horizontal ? 1 : 0),
                     sys(OleColor::Highlight3D));
        }
    }

    // The slider.
    void positionsAndTheTip()
    {
        QCOMPARE(positionToValue(Vertical, 55.0, 100, 0, 10), 4); // 4.5 to even, Min at the bottom
        QCOMPARE(positionToValue(Horizontal, 49.25, 100, -100, 200), -2);
        QVERIFY(!positionToValue(Vertical, 5.0, 50, 3, 0)); // an empty range has no value
        // 6 pixels left of a vertical thumb, 5 above a horizontal one, centred beside it.
        QCOMPARE(tipPosition(Vertical, {100, 200}, {0, 42.5}, {16, 15}, {12, 13}), QPoint(82, 242));
        QCOMPARE(tipPosition(Horizontal, {100, 200}, {70, 0}, {16, 15}, {12, 13}),
                 QPoint(170, 182));
        QCOMPARE(thumbRect(QPointF(0, 42.5), {16, 15}), QRect(0, 42, 16, 16)); // rounded apart
        QCOMPARE(thumbRect(QPointF(0, 43.5), {16, 15}), QRect(0, 44, 16, 14));
    }

    void layout()
    {
        // Orientation, rail style, rail picture, control asked for and value give
        // the control's size, the thumb's place and the groove's end; the groove
        // always starts at (6, 5).
        const int H = Horizontal, V = Vertical;
        using Row = std::tuple<int, int, QSize, QSize, int, QSize, QPointF, QPoint>;
        for (const auto& [orientation, railStyle, railPicture, control, value, size, thumb, end] :
             {Row{V, 0, {}, {40, 100}, 0, {16, 100}, {0, 85}, {9, 93}}, // the default
              Row{H, 0, {}, {0, 0}, 0, {16, 15}, {0, 0}, {9, 8}},       // zero width: the thumb's
              Row{H, 99, {200, 20}, {50, 50}, 10, {204, 20}, {188, 2}, {197, 8}},
              Row{V, 99, {21, 150}, {50, 50}, 0, {21, 154}, {2, 139}, {9, 147}},
              Row{H, 99, {100, 10}, {50, 50}, 0, {104, 15}, {0, 0}, {97, 8}}, // a low rail
              Row{H, 99, {}, {116, 40}, 0, {116, 15}, {0, 0}, {109, 8}}}) {   // 99 without one
            const Layout out = SliderGeometry::layout({.orientation = orientation,
                                                       .railStyle = railStyle,
                                                       .railPicture = railPicture,
                                                       .control = control,
                                                       .value = value});
            QCOMPARE(out.control, size);
            QCOMPARE(out.thumb, thumb);
            QCOMPARE(out.groove, QRect(QPoint(6, 5), end));
        }
    }

    void valueEventsInOrderAndNoneForTheSameValue()
    {
        ucSlider s;
        s.setValue(4);
        SliderLog log(&s);
        s.setValue(4); // the same value raises nothing
        s.setValue(10);
        s.setValue(0);
        s.setValue(3);
        QCOMPARE(log.take(), (QStringList{"Change(10)", "ArrivedLast", "Change(0)", "ArrivedFirst",
                                          "Change(3)"}));
        s.resize(16, 115); // 100 pixels of travel
        s.setValue(7);
        s.setMin(3); // above the value: moves the value and the thumb to the Min end
        QCOMPARE(log.take(), (QStringList{"Change(7)", "Change(3)", "ArrivedFirst"}));
        QCOMPARE(s.thumbPosition().y(), 100.0);
        s.setMin(0);
        s.setValue(8);
        log.take();
        s.setMax(5); // below the value: kept
        QCOMPARE((QList<int>{s.Max(), s.Value()}), (QList<int>{5, 8}));
        s.setMax(20);
        QCOMPARE(s.thumbPosition().y(), 60.0); // 8 of 0..20
        QCOMPARE(log.names, QStringList());
    }

    void pressesOnTheRailAndOnTheThumb()
    {
        ucSlider s;
        horizontal(s);
        SliderLog log(&s);
        // A press on the rail jumps the thumb's centre there, before MouseDown.
        QTest::mousePress(&s, Qt::LeftButton, Qt::ShiftModifier, QPoint(58, 7));
        QCOMPARE(s.thumbPosition(), QPointF(50, 0));
        const ucSliderTip* tip = ucSliderTip::existing(); // showing the value while held
        QVERIFY(tip && tip->isVisible());
        QCOMPARE(tip->text(), QString("5"));
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(58, 7));
        QVERIFY(!ucSliderTip::existing());
        // Pressed on the thumb, released outside: MouseUp but no Click; no tip when off.
        s.setShowValueTip(false);
        QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(58, 7));
        QVERIFY(!ucSliderTip::existing());
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(58, 40));
        QTest::mouseClick(&s, Qt::RightButton, {}, QPoint(100, 7)); // does nothing
        QCOMPARE(log.names, (QStringList{"Change(5)", "MouseDown(1)", "Click", "MouseUp(0)",
                                         "MouseDown(0)", "MouseUp(0)"}));
        // A host's handler failing on the release still ends the drag and its tip.
        s.setShowValueTip(true);
        connect(&s, &ucSlider::Click, this, &TestControls::fail);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^error 380 .*ucSlider.Value"));
        QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(58, 7));
        QVERIFY(!s.isDragging() && !ucSliderTip::existing());
    }

    void dragMovesInWholeSteps()
    {
        // The thumb at 10 is grabbed 8 pixels from its left edge.
        for (auto [x, value] : {std::pair{8 + 25, 2}, {300, 10}, {-50, 0}}) {
            ucSlider s;
            horizontal(s);
            s.setValue(1);
            QTest::mousePress(&s, Qt::LeftButton, {}, QPoint(18, 7));
            QTest::mouseMove(&s, QPoint(x, 7));
            QCOMPARE(s.Value(), value);                    // 2.5 to even, and held at the ends
            QCOMPARE(s.thumbPosition().x(), value * 10.0); // snapped back to the value
            QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(x, 7));
        }
        ucSlider full; // a thumb filling the slider has no travel, and must not fail
        horizontal(full, 16);
        full.setValue(4);
        QTest::mousePress(&full, Qt::LeftButton, {}, QPoint(8, 7));
        QTest::mouseMove(&full, QPoint(3, 7));
        QTest::mouseRelease(&full, Qt::LeftButton, {}, QPoint(14, 7));
        QCOMPARE(full.Value(), 4);
    }

    void railStyle4DrawsNoGroove()
    {
        ucSlider s;
        horizontal(s);
        s.setValue(10); // the thumb out of the groove's left part
        s.setRailStyle(4);
        QImage image = s.grab().toImage();
        for (const QPoint p : {QPoint(6, 5), QPoint(7, 6), QPoint(30, 8), QPoint(59, 7)})
            QCOMPARE(image.pixel(p), sys(OleColor::ButtonFace));
        s.setRailStyle(0); // the sunken groove
        image = s.grab().toImage();
        QCOMPARE(image.pixel(6, 5), sys(OleColor::ButtonShadow));
    }

    // LumenButton.
    void spaceHeldPressesOnceAndClicksOnce()
    {
        LumenButton b;
        m_log.watch({&b}, {"KeyDown", "KeyUp", "Click"});
        sendSpace(&b, QEvent::KeyPress, false);
        for (int i = 0; i < 2; ++i) { // the key repeating while held
            sendSpace(&b, QEvent::KeyRelease, true);
            sendSpace(&b, QEvent::KeyPress, true);
        }
        QVERIFY(b.isPressed());
        sendSpace(&b, QEvent::KeyRelease, false);
        QVERIFY(!b.isPressed());
        QCOMPARE(m_log.names,
                 (QStringList{"KeyDown", "KeyDown", "KeyDown", "click.wav", "Click", "KeyUp"}));
    }

    void hoverWithSoundPictureAndHeldLook()
    {
        Host host;
        auto* b = host.add<LumenButton>(QRect(20, 20, 100, 30));
        const QPixmap normal = filled(QSize(16, 16), Qt::blue);
        b->setPicture(normal);
        b->setPictureHover(filled(QSize(16, 16), Qt::yellow));
        QVERIFY(shown(host));
        for (int x = 5; x < 90; x += 20)
            QTest::mouseMove(b, QPoint(x, 10));
        QCOMPARE(m_log.names, QStringList{"over.wav"}); // once for all the moves
        QCOMPARE(b->shownPicture().toImage().pixel(0, 0), QColor(Qt::yellow).rgb());
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(b->looksPressed());
        QCursor::setPos(host.mapToGlobal(QPoint(280, 180)));
        QTRY_VERIFY(!b->looksPressed()); // held, but the mouse is away
        QVERIFY(b->isPressed());
        QCOMPARE(b->shownPicture().toImage(), normal.toImage());
        QCursor::setPos(b->mapToGlobal(QPoint(12, 12)));
        QTest::mouseMove(b, QPoint(12, 12), 0);
        QTRY_VERIFY(b->looksPressed());
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(12, 12));
    }

    void xpLookShape()
    {
        LumenButton b;
        b.setTransparentBG(true);
        b.setButtonStyle(3);
        QVERIFY(!b.TransparentBG()); // the XP look is never transparent
        b.resize(60, 20);
        QVERIFY(shown(b));
        QCOMPARE(b.mask(), WindowRegion::roundedCorners(QSize(60, 20)));
        b.setButtonStyle(2);
        QVERIFY(b.mask().isEmpty());
    }

private:
    TemporaryProgramFolder m_folder;
    Log m_log;
    ucSlider m_volume;
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
