// ButtonEx: pressing and leaving, toggles, access keys, the default frame,
// skins, persistence and drag and drop (effect numbers, the data view with its
// formats, ButtonEx as drop target and as drag source with data rendered when
// read, through a drag runner that skips QDrag's nested loop); the framed
// container and the 3D line: errors, sizing, frames, persistence. Hover runs on
// a real display (tst_controls_x11), double clicks in tst_controls_events.
#include "ControlTest.h"
#include "controls/ButtonEx.h"
#include "controls/ButtonExLayout.h"
#include "controls/Container3D.h"
#include "controls/ControlError.h"
#include "controls/DataObject.h"
#include "controls/OleDragDrop.h"
#include "controls/z3DLine.h"

#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QtTest>

using namespace ButtonExLayout;

using namespace OleDragDrop;

class TestControls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pressLeaveAndReleaseOutside()
    {
        Host host;
        auto* b = host.add<ButtonEx>(QRect(20, 20, 80, 24));
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QStringList log;
        record(b, &ButtonEx::Click, log, "click");
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
        QCOMPARE(log, QStringList());
    }

    void clicksAndKeys()
    {
        ButtonEx b;
        QStringList log;
        connect(&b, &ButtonEx::MouseDown, [&](short button, short shift, float x, float y) {
            log.append(QString("down %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y));
        });
        record(&b, &ButtonEx::MouseUp, log, "up");
        record(&b, &ButtonEx::Click, log, "click");
        connect(&b, &ButtonEx::KeyPress,
                [&](short ascii) { log.append(QString("key %1").arg(ascii)); });
        QTest::mouseClick(&b, Qt::LeftButton, Qt::ControlModifier, QPoint(4, 2));
        QTest::mouseClick(&b, Qt::RightButton, {}, QPoint(4, 2));
        QTest::keyClick(&b, Qt::Key_Space); // keys never click
        QCOMPARE(log,
                 (QStringList{"down 1 2 60 30", "up", "click", "down 2 0 60 30", "up", "key 32"}));
    }

    void toggleFlipsOnEachPress()
    {
        ButtonEx b;
        b.setStyle(1);
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(b.Value(), 0);
        QCOMPARE(b.state(), int(Down)); // stays in
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(b.Value(), 1);
        QCOMPARE(b.state(), int(Up));
        b.setValue(0);
        QCOMPARE(b.state(), int(Down));
    }

    void accessKeyClicksOnceAndFollowsTheCaption()
    {
        Host host;
        auto* b = host.add<ButtonEx>(QRect(20, 20, 80, 24));
        host.show();
        host.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&host));
        QStringList log;
        record(b, &ButtonEx::Click, log, "click");
        b->setCaption(QString("Tisk && &náhled"));
        QTest::keyClick(&host, Qt::Key_T, Qt::AltModifier);
        QTest::keyClick(&host, Qt::Key_N, Qt::AltModifier);
        b->setCaption(QString("Zavřít")); // no marker: the key goes
        QTest::keyClick(&host, Qt::Key_N, Qt::AltModifier);
        QCOMPARE(log, QStringList{"click"});
    }

    void defaultFrameFocusAndHighlight()
    {
        ButtonEx b;
        b.setCaption(QString());
        b.show(); // a hidden widget's grab resends the resize, which draws up
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        b.setDisplayAsDefault(true);
        QImage image = b.grab().toImage();
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));              // the black frame
        QVERIFY(image.pixel(4, 4) != sys(OleColor::ButtonFace)); // the dotted focus rectangle
        QCOMPARE(image.pixel(5, 4), sys(OleColor::ButtonFace));
        b.setAllowDefault(false);
        QCOMPARE(b.grab().toImage().pixel(0, 0), sys(OleColor::Light3D));
        b.setAllowFocus(false);
        const QImage plain = b.grab().toImage();
        QCOMPARE(plain.pixel(4, 4), sys(OleColor::ButtonFace));
        b.DrawHighlight();
        image = b.grab().toImage();
        QVERIFY(image.pixel(0, 0) != plain.pixel(0, 0)); // dotted, around the client area
        QCOMPARE(image.pixel(1, 0), plain.pixel(1, 0));
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
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        QCOMPARE(b.grab().toImage().pixel(30, 15), QColor(Qt::green).rgb());
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(b.grab().toImage().pixel(30, 15), QColor(Qt::red).rgb());
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
        b.setEnabled(false); // no disabled skin: the up skin
        QCOMPARE(b.shownSkin().toImage(), up.toImage());
        b.setSkinUp(QPixmap());
        QVERIFY(b.shownSkin().isNull());
    }

    void persistence()
    {
        ButtonEx b;
        b.setCaption(QString("&Uložit"));
        b.setStyle(1);
        b.setValue(0);
        b.setPicture(filled(QSize(16, 16), Qt::blue));
        b.setFont(QFont(QString("DejaVu Sans"), 11));
        ButtonEx copy;
        QStringList events;
        record(&copy, &ButtonEx::Resize, events, "Resize");
        PropertyBag order;
        copy.readProperties(order);
        checkPersistence(b, copy, 5);
        QCOMPARE(events, QStringList());
        QCOMPARE(copy.state(), int(Down)); // the toggle's Value 0 read back pressed
        const QStringList names = order.readOrder();
        QCOMPARE((QStringList{names.first(), names.last()}),
                 (QStringList{"AllowDefault", "WhatsThisHelpID"}));
        QCOMPARE(names.size(), 34);
        QCOMPARE(names.indexOf("Font"), names.indexOf("ForeColor") + 1);
    }

    void outOfRangeValuesRaise514AndChangeNothing()
    {
        Container3D c;
        c.setCtrlEffect(3);
        for (auto [property, value] :
             {std::pair{"CtrlEffect", 6}, {"CtrlEffect", -1}, {"AutoSize", 2}, {"AutoSize", -1}}) {
            try {
                property == QLatin1String("AutoSize") ? c.setAutoSize(value)
                                                      : c.setCtrlEffect(value);
                QFAIL("no error");
            } catch (const ControlError& e) {
                QCOMPARE(e.number(), 514);
                QCOMPARE(e.description(), QString("Index Out Of Bounds"));
                QCOMPARE(e.source(), QString("Container3D.") + QLatin1String(property));
            }
        }
        QCOMPARE((QList<int>{c.CtrlEffect(), c.AutoSize()}), (QList<int>{3, 0}));
    }

    void autoSizeFillsOnlyASingleChild()
    {
        for (auto [effect, inner] : {std::pair{0, QSize(120, 80)},
                                     {1, QSize(118, 78)},
                                     {3, QSize(116, 76)},
                                     {5, QSize(116, 76)}}) {
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

    void framesAndPersistence()
    {
        Container3D c;
        c.resize(40, 30);
        c.setCtrlEffect(3); // the effect picks the edge; its colours are the drawing layer's
        QCOMPARE(c.grab().toImage().pixel(1, 1), sys(OleColor::DarkShadow3D));
        c.setCtrlEffect(1);
        QImage image = c.grab().toImage();
        QCOMPARE(image.pixel(39, 10), sys(OleColor::ButtonShadow));
        QCOMPARE(image.pixel(1, 1), sys(OleColor::ButtonFace));
        PropertyBag bag;
        c.writeProperties(bag);
        QCOMPARE(bag.values().size(), 0);
        c.setCtrlEffect(5);
        c.setBackColor(0x00C0FFEE);
        c.writeProperties(bag);
        Container3D copy;
        copy.readProperties(bag);
        QCOMPARE(bag.readOrder(), (QStringList{"Enabled", "MouseIcon", "MousePointer", "CtrlEffect",
                                               "BackColor", "AutoSize", "BackStyle"}));
        PropertyBag again;
        copy.writeProperties(again);
        QCOMPARE(again.values(), bag.values());
        QCOMPARE(bag.values().size(), 2);
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
            QCOMPARE(line.isHorizontal(), horizontal);
            QCOMPARE(image.pixel(0, 0), sys(OleColor::ButtonShadow));
            QCOMPARE(image.pixel(horizontal ? 0 : 1, horizontal ? 1 : 0),
                     sys(OleColor::Highlight3D));
        }
    }

    void effectsAndActions()
    {
        QCOMPARE(effects(Qt::CopyAction | Qt::LinkAction), 5);
        // Bits beyond link (such as the scroll flag) are no action.
        QCOMPARE(actions(int(0x80000000u) | EffectCopy), Qt::DropActions(Qt::CopyAction));
        const Qt::DropActions copyMove = Qt::CopyAction | Qt::MoveAction;
        // The host's answer narrows the proposed action; move goes before link.
        QCOMPARE(chooseAction(3, Qt::MoveAction, copyMove), Qt::MoveAction);
        QCOMPARE(chooseAction(1, Qt::MoveAction, copyMove), Qt::CopyAction);
        QCOMPARE(chooseAction(6, Qt::CopyAction, copyMove | Qt::LinkAction), Qt::MoveAction);
        QCOMPARE(chooseAction(0, Qt::CopyAction, copyMove), Qt::IgnoreAction);
        QCOMPARE(chooseAction(4, Qt::CopyAction, copyMove), Qt::IgnoreAction);
    }

    void dataObjectFormats()
    {
        QMimeData mime;
        DataObject data(&mime);
        QVERIFY(data.SetData(QString("Český rozhlas"), DataObject::CFText));
        QCOMPARE(data.GetData(DataObject::CFText).toString(), QString("Český rozhlas"));
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(data.SetData(image, DataObject::CFDIB));
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
        QVERIFY(!button.acceptDrops()); // drop mode 0 takes none, nor does 2
        button.setOLEDropMode(2);
        QVERIFY(!button.acceptDrops());
        ButtonEx saved;
        saved.setOLEDropMode(1);
        PropertyBag bag;
        saved.writeProperties(bag);
        button.readProperties(bag); // the saved mode takes drops too
        QVERIFY(button.acceptDrops());
        // Each drag-over or drop as "state effect button shift x y text", state D for a drop.
        QStringList seen;
        int answer = 0;
        const auto record = [&](DataObject* d, int& effect, short b, short s, float x, float y,
                                const QString& state) {
            seen << QString::asprintf("%s %d %d %d %g %g ", qPrintable(state), effect, b, s, x, y) +
                        d->GetData(DataObject::CFText).toString();
            effect = answer;
        };
        connect(&button, &ButtonEx::OLEDragOver, &button,
                [&](DataObject* d, int& effect, short b, short s, float x, float y, short state) {
                    record(d, effect, b, s, x, y, QString::number(state));
                });
        connect(&button, &ButtonEx::OLEDragDrop, &button,
                [&](DataObject* d, int& effect, short b, short s, float x, float y) {
                    record(d, effect, b, s, x, y, QString("D"));
                });
        QMimeData mime;
        mime.setText(QString("x"));
        const Qt::DropActions copyMove = Qt::CopyAction | Qt::MoveAction;
        answer = EffectMove;
        QDragEnterEvent enter(QPoint(10, 5), copyMove, &mime, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(&button, &enter);
        QCOMPARE(enter.dropAction(), Qt::MoveAction);
        answer = EffectNone;
        QDragMoveEvent move(QPoint(20, 6), copyMove, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&button, &move);
        QVERIFY(!move.isAccepted());
        QDragLeaveEvent leave;
        QApplication::sendEvent(&button, &leave);
        answer = EffectCopy; // a second drag, dropped this time
        QDragEnterEvent again(QPoint(1, 1), copyMove, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&button, &again);
        seen.removeLast();
        QDropEvent drop(QPointF(21, 7), copyMove, &mime, Qt::LeftButton, Qt::ControlModifier);
        QApplication::sendEvent(&button, &drop);
        QCOMPARE(drop.dropAction(), Qt::CopyAction);
        // Positions in twips; leaving carries the last position and data, and no effect.
        QCOMPARE(seen, (QStringList{QString("%1 3 1 1 150 75 x").arg(OleDragDrop::Enter),
                                    QString("%1 3 1 0 300 90 x").arg(OleDragDrop::Over),
                                    QString("%1 0 1 0 300 90 x").arg(OleDragDrop::Leave),
                                    QString("D 3 1 2 315 105 x")}));
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
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
