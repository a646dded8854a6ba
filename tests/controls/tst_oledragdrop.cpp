// Drag and drop of the controls: effect numbers, the data view with its
// formats and delayed rendering, ButtonEx as drop target and as drag source
// (through a drag runner that skips QDrag's nested loop).
#include "controls/ButtonEx.h"
#include "controls/DataObject.h"
#include "controls/OleDragDrop.h"

#include <QDrag>
#include <QDropEvent>
#include <QImage>
#include <QtTest>

using namespace OleDragDrop;

namespace {

// Installs a drag runner for one test and restores QDrag::exec afterwards.
struct RunnerGuard
{
    explicit RunnerGuard(DragRunner runner) { setDragRunner(std::move(runner)); }
    ~RunnerGuard() { setDragRunner({}); }
};

} // namespace

class TestOleDragDrop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void effectsMatchDropActions()
    {
        QCOMPARE(effects(Qt::CopyAction | Qt::LinkAction), 5);
        QCOMPARE(actions(7), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);
        // Bits beyond link (such as the scroll flag) are no action.
        QCOMPARE(actions(int(0x80000000u) | EffectCopy), Qt::DropActions(Qt::CopyAction));
    }

    void chooseAction_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("proposed");
        QTest::addColumn<int>("possible");
        QTest::addColumn<int>("chosen");
        const int copy = Qt::CopyAction, move = Qt::MoveAction, link = Qt::LinkAction;
        QTest::newRow("proposed allowed") << 3 << move << (copy | move) << move;
        QTest::newRow("proposed narrowed away") << 1 << move << (copy | move) << copy;
        QTest::newRow("move before link") << 6 << copy << (copy | move | link) << move;
        QTest::newRow("refused") << 0 << copy << (copy | move) << 0;
        QTest::newRow("source cannot") << 4 << copy << (copy | move) << 0;
    }

    void chooseAction()
    {
        QFETCH(int, answer);
        QFETCH(int, proposed);
        QFETCH(int, possible);
        QTEST(int(OleDragDrop::chooseAction(answer, Qt::DropAction(proposed),
                                            Qt::DropActions::fromInt(possible))),
              "chosen");
    }

    void dataObjectFormats()
    {
        QMimeData mime;
        DataObject data(&mime);
        QVERIFY(!data.GetFormat(DataObject::CFText));
        QVERIFY(!data.GetData(DataObject::CFText).isValid());

        QVERIFY(data.SetData(QStringLiteral("Český rozhlas"), DataObject::CFText));
        QCOMPARE(data.GetData(DataObject::CFText).toString(), QStringLiteral("Český rozhlas"));

        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(data.SetData(image, DataObject::CFDIB));
        QVERIFY(data.GetFormat(DataObject::CFBitmap)); // both bitmap numbers name the image
        QCOMPARE(data.GetData(DataObject::CFBitmap).value<QImage>().size(), QSize(3, 2));

        const QStringList files{QStringLiteral("/tmp/seznam stanic.pls")};
        QVERIFY(data.SetData(files, DataObject::CFFiles));
        QCOMPARE(data.Files(), files);
        QCOMPARE(data.GetData(DataObject::CFFiles).toStringList(), files);

        QVERIFY(!data.SetData(QStringLiteral("x"), 3)); // metafiles are not supported
        QVERIFY(!data.GetFormat(3));

        QVERIFY(data.Clear());
        QVERIFY(!data.GetFormat(DataObject::CFText));

        // A dropped object's data is read-only.
        mime.setText(QStringLiteral("a"));
        DataObject dropped(static_cast<const QMimeData*>(&mime));
        QVERIFY(!dropped.isWritable());
        QVERIFY(!dropped.SetData(QStringLiteral("b"), DataObject::CFText));
        QVERIFY(!dropped.Clear());
        QCOMPARE(dropped.GetData(DataObject::CFText).toString(), QStringLiteral("a"));
    }

    void announcedFormatIsRenderedOnceWhenRead()
    {
        DelayedMimeData mime;
        QList<short> asked;
        mime.setRenderer([&](DelayedMimeData* m, short format) {
            asked << format;
            DataObject(static_cast<QMimeData*>(m)).SetData(QStringLiteral("Rádio"), format);
        });
        DataObject data(static_cast<QMimeData*>(&mime));
        QVERIFY(data.SetData(QVariant(), DataObject::CFText));
        QVERIFY(data.SetData(QVariant(), DataObject::CFFiles));
        QVERIFY(mime.hasText());
        QVERIFY(asked.isEmpty()); // announcing asks for nothing
        QCOMPARE(mime.text(), QStringLiteral("Rádio"));
        QCOMPARE(mime.text(), QStringLiteral("Rádio"));
        QCOMPARE(asked, QList<short>{DataObject::CFText});

        // A renderer that gives nothing leaves the format empty, asked once.
        mime.setRenderer([&](DelayedMimeData*, short format) { asked << format; });
        QVERIFY(mime.urls().isEmpty());
        QVERIFY(mime.urls().isEmpty());
        QCOMPARE(asked.size(), 2);
        QVERIFY(!mime.hasUrls());
    }

    void manualDropRaisesTheDropEvents()
    {
        ButtonEx button;
        button.setOLEDropMode(1);
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
                    record(d, effect, b, s, x, y, QStringLiteral("D"));
                });
        QMimeData mime;
        mime.setText(QStringLiteral("http://127.0.0.1:8000/radio"));
        const Qt::DropActions copyMove = Qt::CopyAction | Qt::MoveAction;

        answer = EffectMove;
        QDragEnterEvent enter(QPoint(10, 5), copyMove, &mime, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(&button, &enter);
        QVERIFY(enter.isAccepted());
        QCOMPARE(enter.dropAction(), Qt::MoveAction);

        answer = EffectNone;
        QDragMoveEvent move(QPoint(20, 6), copyMove, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&button, &move);
        QVERIFY(!move.isAccepted());

        QDragLeaveEvent leave;
        QApplication::sendEvent(&button, &leave);

        // A second drag, dropped this time.
        answer = EffectCopy;
        QDragEnterEvent again(QPoint(1, 1), copyMove, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&button, &again);
        seen.removeLast();
        QDropEvent drop(QPointF(21, 7), copyMove, &mime, Qt::LeftButton, Qt::ControlModifier);
        QApplication::sendEvent(&button, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(drop.dropAction(), Qt::CopyAction);

        // Positions in twips; leaving carries the last position and data, and no effect.
        const QString url = mime.text();
        QCOMPARE(seen, (QStringList{QStringLiteral("%1 3 1 1 150 75 ").arg(Enter) + url,
                                    QStringLiteral("%1 3 1 0 300 90 ").arg(Over) + url,
                                    QStringLiteral("%1 0 1 0 300 90 ").arg(Leave) + url,
                                    QStringLiteral("D 3 1 2 315 105 ") + url}));
    }

    void onlyDropMode1TakesDrops()
    {
        ButtonEx button;
        int raised = 0;
        connect(&button, &ButtonEx::OLEDragOver, &button, [&] { ++raised; });
        QMimeData mime;
        mime.setText(QStringLiteral("x"));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(&button, &enter);
        QVERIFY(!enter.isAccepted());
        QCOMPARE(raised, 0);

        ButtonEx saved;
        saved.setOLEDropMode(1);
        PropertyBag bag;
        saved.writeProperties(bag);
        button.readProperties(bag);
        QCOMPARE(button.OLEDropMode(), 1);
        QVERIFY(button.acceptDrops());
        button.setOLEDropMode(2); // automatic has nothing to do on a button
        QVERIFY(!button.acceptDrops());
    }

    void dragRaisesStartSetDataFeedbackAndComplete()
    {
        ButtonEx button;
        button.resize(90, 30);
        QStringList order;
        connect(&button, &ButtonEx::OLEStartDrag, &button, [&](DataObject* d, int& allowed) {
            order << QStringLiteral("start %1").arg(allowed);
            d->SetData(QVariant(), DataObject::CFText); // rendered when read
            allowed = EffectMove;
        });
        connect(&button, &ButtonEx::OLESetData, &button, [&](DataObject* d, short format) {
            order << QStringLiteral("setdata %1").arg(format);
            d->SetData(QStringLiteral("Rádio Čas"), format);
        });
        connect(&button, &ButtonEx::OLEGiveFeedback, &button, [&](int effect, bool& defaults) {
            order << QStringLiteral("feedback %1 %2").arg(effect).arg(defaults);
        });
        connect(&button, &ButtonEx::OLECompleteDrag, &button,
                [&](int effect) { order << QStringLiteral("complete %1").arg(effect); });

        QString dropped;
        QSize picture;
        Qt::DropActions offered;
        RunnerGuard guard([&](QDrag* drag, Qt::DropActions allowed) {
            offered = allowed;
            picture = drag->pixmap().size();
            Q_EMIT drag->actionChanged(Qt::MoveAction);
            dropped = drag->mimeData()->text(); // the target reads the data
            return Qt::MoveAction;
        });
        button.OLEDrag();

        QCOMPARE(offered, Qt::DropActions(Qt::MoveAction));
        QCOMPARE(picture, QSize(90, 30));
        QCOMPARE(dropped, QStringLiteral("Rádio Čas"));
        QCOMPARE(order, (QStringList{"start 3", "feedback 2 1", "setdata 1", "complete 2"}));
    }

    void refusingAllEffectsStartsNoDrag()
    {
        ButtonEx button;
        int completed = 0;
        bool ran = false;
        connect(&button, &ButtonEx::OLEStartDrag, &button,
                [](DataObject*, int& allowed) { allowed = EffectNone; });
        connect(&button, &ButtonEx::OLECompleteDrag, &button, [&] { ++completed; });
        RunnerGuard guard([&](QDrag*, Qt::DropActions) {
            ran = true;
            return Qt::IgnoreAction;
        });
        button.OLEDrag();
        QVERIFY(!ran);
        QCOMPARE(completed, 0);
    }
};

QTEST_MAIN(TestOleDragDrop)
#include "tst_oledragdrop.moc"
