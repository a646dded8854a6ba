// Drag and drop of the controls: effect numbers, the data view with its
// formats, ButtonEx as drop target and as drag source with data rendered when
// read (through a drag runner that skips QDrag's nested loop).
#include "controls/ButtonEx.h"
#include "controls/DataObject.h"
#include "controls/OleDragDrop.h"

#include <QDrag>
#include <QDropEvent>
#include <QImage>
#include <QtTest>

using namespace OleDragDrop;

class TestOleDragDrop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        QCOMPARE(seen, (QStringList{QString("%1 3 1 1 150 75 x").arg(Enter),
                                    QString("%1 3 1 0 300 90 x").arg(Over),
                                    QString("%1 0 1 0 300 90 x").arg(Leave),
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

QTEST_MAIN(TestOleDragDrop)
#include "tst_oledragdrop.moc"
