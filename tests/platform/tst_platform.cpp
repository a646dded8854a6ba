// The drawing layer (which pixels DrawEdge, DrawFocusRect and prefix text give),
// sounds, opening addresses, the rounded window region, and the keyed list view:
// unique keys, icons, sorting, and the events the station lists handle, driven
// through real mouse and key events.
#include "TestFolders.h"
#include "platform/GdiEdge.h"
#include "platform/GdiText.h"
#include "platform/KeyedListView.h"
#include "platform/OleColor.h"
#include "platform/ShellOpen.h"
#include "platform/VirtualKeys.h"
#include "platform/WindowRegion.h"
#include "stream/gst/Sound.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QUrl>
#include <QtTest>

#include <algorithm>
#include <span>

namespace {

// Paints on a white image and returns it.
template <typename Paint> QImage paintWhite(QSize size, Paint paint)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter);
    painter.end();
    return image;
}

QRgb sys(quint32 ref)
{
    return OleColor::toColor(ref).rgb();
}

const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);

QStringList rowTexts(const KeyedListView& list)
{
    QStringList texts;
    for (int row = 0; row < list.rowCount(); ++row)
        texts << list.rowText(row);
    return texts;
}

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void edgeColoursAtCorners_data()
    {
        QTest::addColumn<uint>("edge");
        QTest::addColumn<uint>("flags");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<quint32>("colour");
        const auto row = [](const char* tag, uint edge, int x, int y, quint32 colour,
                            uint flags = Gdi::BF_RECT) {
            QTest::newRow(tag) << edge << flags << QPoint(x, y) << colour;
        };
        // 10 x 10 at the origin: the outer ring at 0 and 9, the inner at 1 and 8.
        row("sunken outer top-left", Gdi::EDGE_SUNKEN, 0, 0, OleColor::ButtonShadow);
        row("sunken inner top-left", Gdi::EDGE_SUNKEN, 1, 1, OleColor::DarkShadow3D);
        // The far corners of the top and left lines belong to the right and bottom ones.
        row("sunken top-right corner", Gdi::EDGE_SUNKEN, 9, 0, OleColor::Highlight3D);
        row("raised outer", Gdi::EDGE_RAISED, 0, 4, OleColor::Light3D);
        row("raised inner bottom", Gdi::EDGE_RAISED, 4, 8, OleColor::ButtonShadow);
        row("etched", Gdi::EDGE_ETCHED, 0, 4, OleColor::ButtonShadow);
        row("bump inner", Gdi::EDGE_BUMP, 8, 4, OleColor::Light3D);
        // A lone inner border takes the outermost pixels.
        row("raised inner alone", Gdi::BDR_RAISEDINNER, 0, 4, OleColor::Highlight3D);
        // The default button's black frame, and the flat sunken line inside it.
        row("mono", 3, 9, 5, 0, Gdi::BF_RECT | Gdi::BF_MONO);
        row("flat", Gdi::BDR_SUNKENOUTER, 9, 9, OleColor::ButtonShadow,
            Gdi::BF_RECT | Gdi::BF_FLAT);
    }

    void edgeColoursAtCorners()
    {
        QFETCH(uint, edge);
        QFETCH(uint, flags);
        QFETCH(QPoint, pixel);
        QFETCH(quint32, colour);
        const QImage image = paintWhite(QSize(12, 12), [&](QPainter& p) {
            Gdi::drawEdge(p, QRect(0, 0, 10, 10), edge, flags);
        });
        QCOMPARE(image.pixel(pixel), sys(colour));
        QCOMPARE(image.pixel(4, 4), White); // the middle is left alone
    }

    // The rectangle inside the rings drawn (what BF_ADJUST gives back).
    void edgeLayouts()
    {
        const QRect r(2, 3, 20, 10);
        // Both outer bits without the flat or mono flag draw nothing.
        QVERIFY(Gdi::edgeLayout(r, 3, Gdi::BF_RECT).parts.isEmpty());
        QCOMPARE(Gdi::edgeLayout(r, 3, Gdi::BF_RECT | Gdi::BF_MONO).inner,
                 r.adjusted(1, 1, -1, -1));
        QCOMPARE(Gdi::edgeLayout(r, Gdi::EDGE_SUNKEN, Gdi::BF_RECT).inner,
                 r.adjusted(2, 2, -2, -2));
        QCOMPARE(Gdi::edgeLayout(r, Gdi::EDGE_RAISED, Gdi::BF_LEFT | Gdi::BF_TOP).inner,
                 r.adjusted(2, 2, 0, 0));
    }

    void focusRectInvertsEveryOtherPixel()
    {
        const auto focusRect = [](int times) {
            return paintWhite(QSize(8, 6), [&](QPainter& p) {
                for (int i = 0; i < times; ++i)
                    Gdi::drawFocusRect(p, QRect(1, 1, 6, 4));
            });
        };
        const QImage image = focusRect(1);
        for (const QPoint dot : {QPoint(1, 1), QPoint(3, 1), QPoint(1, 3)})
            QCOMPARE(image.pixel(dot), Black);
        // Gaps between the dots, inside and outside are untouched.
        for (const QPoint gap : {QPoint(2, 1), QPoint(1, 2), QPoint(3, 2), QPoint(0, 0)})
            QCOMPARE(image.pixel(gap), White);
        QCOMPARE(focusRect(2).pixel(1, 1), White); // drawn twice, it is gone
        QVERIFY(Gdi::focusRectPixels(QRect(0, 0, 0, 5)).isEmpty());
    }

    void prefixText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("display");
        QTest::addColumn<int>("underline");
        QTest::addColumn<QString>("measured");
        const auto row = [](const char* text, const char* display, int underline,
                            const char* measured) {
            QTest::newRow(text) << QString(text) << QString(display) << underline
                                << QString(measured);
        };
        row("&Otevřít", "Otevřít", 0, "Otevřít");
        row("Ul&ožit", "Uložit", 2, "Uložit");
        row("Tisk && &náhled", "Tisk & náhled", 7, "Tisk & &náhled");
        row("&&&x", "&x", 1, "&&x");
        row("OK&", "OK", -1, "OK");  // a trailing marker is dropped
        row("&a&b", "ab", 0, "a&b"); // the second marker is shown plain
    }

    void prefixText()
    {
        QFETCH(QString, text);
        QFETCH(QString, display);
        QFETCH(int, underline);
        QFETCH(QString, measured);
        const Gdi::PrefixText parsed = Gdi::parsePrefixText(text);
        QCOMPARE(parsed.display, display);
        QCOMPARE(parsed.underline, underline);
        QCOMPARE(Gdi::withoutFirstAmpersand(text), measured);
        // The underlined character is the access key of both buttons.
        const std::optional<QChar> key = Gdi::underlinedCharacter(text);
        QCOMPARE(key ? QString(*key) : QString(), display.mid(underline, underline < 0 ? 0 : 1));
    }

    void prefixTextUnderlinesAndEmbosses()
    {
        const auto text = [](const char* text, uint flags) {
            return paintWhite(QSize(60, 24), [&](QPainter& p) {
                QFont font(QStringLiteral("DejaVu Sans"));
                font.setPixelSize(14);
                p.setFont(font);
                Gdi::drawStatePrefixText(p, QPoint(2, 2), QString(text), Qt::black, flags);
            });
        };
        // The underline of the marked character adds pixels; the rest is equal.
        QVERIFY(text("&__", 0) != text("__", 0));
        const QImage disabled = text("Hm", Gdi::DSS_DISABLED); // opaque: pixels are QRgb
        const auto pixels = std::span(reinterpret_cast<const QRgb*>(disabled.constBits()),
                                      disabled.sizeInBytes() / sizeof(QRgb));
        QVERIFY(std::ranges::count(pixels, sys(OleColor::ButtonShadow)) > 0);
        QCOMPARE(std::ranges::count(pixels, Black), 0); // not the caller's colour
    }

public Q_SLOTS:
    // Receives the addresses QDesktopServices hands to the registered schemes.
    void open(const QUrl& url) { m_opened.append(url); }

private:
    QList<QUrl> m_opened;

private Q_SLOTS:
    // The build copies the sounds beside the program; a relative path resolves
    // against the program folder; a broken file may fail at once or report an
    // error later: every sound is released once it ends.
    void soundsPlayToTheEndAndAreReleased()
    {
        TemporaryProgramFolder folder;
        QVERIFY(!Sound::play(".\\resources\\over.wav")); // not there yet
        QVERIFY(QDir(folder.path()).mkpath("resources"));
        QVERIFY(QFile::copy(SKYTUNER_BINARY_DIR "/resources/over.wav",
                            folder.file("resources/over.wav")));
        QVERIFY(Sound::play(".\\resources\\over.wav"));
        QVERIFY(Sound::play(SKYTUNER_BINARY_DIR "/resources/click.wav"));
        QVERIFY(Sound::playingCount() >= 1);
        const QString broken = folder.file("broken.wav");
        QVERIFY(TestFolders::writeBytes(broken, QByteArray("RIFF\x10\0\0\0WAVEjunkjunk", 20)));
        Sound::play(broken);
        QTRY_COMPARE_WITH_TIMEOUT(Sound::playingCount(), 0, 5000);
    }

    void addressesGoToTheirHandlers()
    {
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
        QVERIFY(ShellOpen::openAddress("mailto:info@example.cz"));
        QVERIFY(ShellOpen::openAddress("https://example.cz/radio"));
        QVERIFY(ShellOpen::openAddress("www.example.cz"));
        QVERIFY(!ShellOpen::openAddress(QString()));
        QVERIFY(!ShellOpen::openAddress("  "));
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::unsetUrlHandler(scheme);
        QCOMPARE(m_opened,
                 (QList<QUrl>{QUrl("mailto:info@example.cz"), QUrl("https://example.cz/radio"),
                              QUrl("http://www.example.cz")}));
    }

    void roundedCornersCutThreePixelsEach()
    {
        const QRegion region = WindowRegion::roundedCorners(QSize(20, 10));
        int pixels = 0;
        for (const QRect& r : region)
            pixels += r.width() * r.height();
        QCOMPARE(pixels, 20 * 10 - 4 * 3); // so every pixel not listed below is kept
        for (const QPoint& cut : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(19, 0),
                                  QPoint(18, 0), QPoint(19, 1), QPoint(0, 9), QPoint(1, 9),
                                  QPoint(0, 8), QPoint(19, 9), QPoint(18, 9), QPoint(19, 8)})
            QVERIFY(!region.contains(cut));
    }

private:
    std::unique_ptr<KeyedListView> m_list;
    QStringList m_events; // every event of the list, as its name and first two arguments

    template <typename... Args> void log(void (KeyedListView::*signal)(Args...), const char* name)
    {
        connect(m_list.get(), signal, this, [this, name](Args... args) {
            QStringList parts{QString(name)};
            ((parts << QString::number(args)), ...);
            m_events << parts.mid(0, 3).join(u' ');
        });
    }
    QStringList take() { return std::exchange(m_events, {}); }

    // A shown list with three rows a, b, c (keys ka, kb, kc), unsorted, logging its events.
    KeyedListView& showThree()
    {
        m_list->setColumns({"Name", "Status"});
        for (const char* name : {"a", "b", "c"})
            m_list->addRow(QString("k") + name, name, 1);
        m_list->resize(300, 200);
        m_list->show();
        if (!QTest::qWaitForWindowExposed(m_list.get()))
            qWarning("list not exposed");
        log(&KeyedListView::MouseDown, "MouseDown");
        log(&KeyedListView::ItemClick, "ItemClick");
        log(&KeyedListView::DblClick, "DblClick");
        log(&KeyedListView::KeyPress, "KeyPress");
        log(&KeyedListView::KeyDown, "KeyDown");
        log(&KeyedListView::KeyUp, "KeyUp");
        log(&KeyedListView::ColumnClick, "ColumnClick");
        return *m_list;
    }

    QPoint rowCentre(int row) const
    {
        return m_list->visualItemRect(m_list->topLevelItem(row)).center();
    }

private Q_SLOTS:
    void init() { m_list = std::make_unique<KeyedListView>(); }
    void cleanup()
    {
        m_list.reset();
        m_events.clear();
        QLocale::setDefault(QLocale::c());
    }

    // Refused duplicates and exact (case-sensitive) keys: tst_tlist's main list.
    // Rows that leave free their keys; the others' rows follow.
    void keysAreFreedWhenTheirRowLeaves()
    {
        KeyedListView& list = *m_list;
        list.addRow("a", "A", 1);
        list.addRow("b", "B", 1);
        QCOMPARE(list.findKey("nope"), -1);
        list.removeRow(0);
        QCOMPARE(list.findKey("b"), 0);
        QCOMPARE(list.addRow("a", "A", 1), 1);
        list.removeAllRows();
        QCOMPARE(list.addRow("b", "B", 1), 0);
        QCOMPARE(list.rowText(7), QString()); // out of range: no crash
    }

    void rowIconsAndColours()
    {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        const QIcon red(pixmap);
        m_list->setSmallIcons({red, QIcon()});
        m_list->addRow("k", "Row", 1);
        QCOMPARE(m_list->topLevelItem(0)->icon(0).cacheKey(), red.cacheKey());
        m_list->setRowSmallIcon(0, 9); // no such icon: none shown, the number kept
        QCOMPARE(m_list->rowSmallIcon(0), 9);
        QVERIFY(m_list->topLevelItem(0)->icon(0).isNull());
        m_list->setRowForeColor(0, 255); // an OLE colour: red in the low byte
        QCOMPARE(m_list->topLevelItem(0)->foreground(0).color(), QColor(255, 0, 0));
    }

    // Sorted by the user's locale collation (Czech: C, Č, D, H, Ch), new rows at
    // their sorted place.
    void sorting()
    {
        QLocale::setDefault(QLocale("cs_CZ"));
        m_list = std::make_unique<KeyedListView>(); // collates as the locale at its creation
        KeyedListView& list = *m_list;
        for (const QString name : {"ch", "Čro", "H"})
            list.addRow(name, name, 1);
        list.setSorted(0, Qt::AscendingOrder);
        QCOMPARE(list.addRow("Cz", "Cz", 1), 0);
        QCOMPARE(rowTexts(list), QStringList({"Cz", "Čro", "H", "ch"}));
        list.setSorted(0, Qt::DescendingOrder);
        QCOMPARE(list.addRow("d", "d", 1), 2);
        QCOMPARE(rowTexts(list), QStringList({"ch", "H", "d", "Čro", "Cz"}));
    }

    // Rows added inside begin/endUpdate (a fill) are sorted at its end, their keys
    // checked (tst_tlist fills the main list); here fills nest, and a list emptied
    // or destroyed mid-fill leaves nothing behind.
    void fillsNestAndSurviveTheirList()
    {
        KeyedListView& list = *m_list;
        list.setSorted(0, Qt::AscendingOrder);
        list.beginUpdate();
        list.beginUpdate();
        list.addRow("m", "m", 1);
        list.removeAllRows();
        QCOMPARE(list.addRow("z", "z", 1), 0);
        list.addRow("a", "a", 1);
        list.endUpdate();
        QVERIFY(!list.updatesEnabled()); // still inside the outer fill
        QCOMPARE(rowTexts(list), QStringList({"z", "a"}));
        list.endUpdate();
        QCOMPARE(rowTexts(list), QStringList({"a", "z"}));
        QVERIFY(list.updatesEnabled());
        list.beginUpdate();
        list.addRow("x", "x", 1);
        m_list.reset(); // destroyed in the middle of a fill
    }

    void mouseRaisesMouseDownThenItemClick()
    {
        KeyedListView& list = showThree();
        QWidget* view = list.viewport();
        QTest::mouseClick(view, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier,
                          rowCentre(2));
        QCOMPARE(take(), QStringList({"MouseDown 2 3", "ItemClick 2"}));
        QCOMPARE(list.selectedRow(), 2);
        // (A press on empty space below the rows: tst_frmplayer.)
        // Dragging keeps the clicked row selected.
        QTest::mousePress(view, Qt::LeftButton, {}, rowCentre(0));
        QMouseEvent move(QEvent::MouseMove, rowCentre(2), view->mapToGlobal(rowCentre(2)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        QTest::mouseRelease(view, Qt::LeftButton, {}, rowCentre(2));
        QCOMPARE(take(), QStringList({"MouseDown 1 0", "ItemClick 0"}));
        QCOMPARE(list.selectedRow(), 0);
        // A double click alone still picks the row first, and raises DblClick once.
        QTest::mouseDClick(view, Qt::LeftButton, {}, rowCentre(1));
        QCOMPARE(take(), QStringList({"MouseDown 1 0", "ItemClick 1", "DblClick"}));
        // The header raises ColumnClick; the owner decides sorting.
        QHeaderView* header = list.header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
        QCOMPARE(take(), QStringList({"ColumnClick 1"}));
        QCOMPARE(rowTexts(list), QStringList({"a", "b", "c"}));
    }

    // A key that moves the selection raises one ItemClick between its down and
    // up (the modifier is a key too). (Ctrl+C is the owner's: tst_playercommands.)
    void keysRaiseDownUpAndOneItemClickPerMove()
    {
        KeyedListView& list = showThree();
        list.setFocus();
        list.selectRow(2); // the program's own move: no event
        QTest::keyClick(&list, Qt::Key_Home, Qt::ShiftModifier);
        QCOMPARE(take(), QStringList({"KeyDown 16 1", "KeyDown 36 1", "ItemClick 0", "KeyUp 36 1",
                                      "KeyUp 16 0"}));
        // Virtual key codes: keypad 5, F24, plus; a key Windows has none for raises
        // nothing. Alt is 4; keypad and meta are no shift state.
        QTest::keyClick(&list, Qt::Key_5, Qt::KeypadModifier | Qt::AltModifier | Qt::MetaModifier);
        QTest::keyClick(&list, Qt::Key_F24);
        QTest::keyClick(&list, Qt::Key_Plus);
        QTest::keyClick(&list, Qt::Key_Launch0);
        QCOMPARE(take().filter("KeyDown"),
                 QStringList({"KeyDown 18 4", "KeyDown 91 4", "KeyDown 101 4", "KeyDown 135 0",
                              "KeyDown 187 0"}));
    }

    void handlerMayDeleteTheList()
    {
        showThree();
        KeyedListView* list = m_list.get();
        connect(list, &KeyedListView::MouseDown, list, [this] { m_list.reset(); });
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
        QVERIFY(!m_list);
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
