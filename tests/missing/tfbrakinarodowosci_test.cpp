#include "tfbrakinarodowosci.h"

#include <QFile>
#include <QHeaderView>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "companion_placement.h"
#include "error_report.h"
#include "win_text_metrics.h"
#include "window_font.h"

using veltra::TFBrakiNarodowosci;

class TFBrakiNarodowosciTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void opensAsResizableToolWindow();
    void rowsLeaveRoomForDescenders();
    void centresOverTheOwnerWithinTheDesktop_data();
    void centresOverTheOwnerWithinTheDesktop();
    void columnWidthsFollowTheWindow_data();
    void columnWidthsFollowTheWindow();

    void listsTheFileInItsOrder();
    void readsTheFileOnlyOnce();
    void anUnreadableFileIsReportedAndTheListStaysEmpty();

    void everyHeaderClickSortsAndFlipsTheDirection_data();
    void everyHeaderClickSortsAndFlipsTheDirection();
    void aDoubleClickOnAHeaderSortsTwice();
    void comparesInPolishWithCaseAndAccents();
    void sortsInPolishUnderTheCLocale();
    void aMissingColumnComparesAsEmptyText();
    void sortingKeepsTheSelectedRow();

    void opensOnlyWhenSomethingWasCounted_data();
    void opensOnlyWhenSomethingWasCounted();

private:
    QString WriteFile(const QByteArray& bytes);
    std::unique_ptr<TFBrakiNarodowosci> OpenOn(const QByteArray& bytes);

    QTemporaryDir dir_;
    QStringList reports_;
};

namespace {

QTreeWidget* List(TFBrakiNarodowosci& window) {
    return window.findChild<QTreeWidget*>(QStringLiteral("ListView1"));
}

// The rows as "performer|title|path", top to bottom.
QStringList Rows(TFBrakiNarodowosci& window) {
    QStringList rows;
    QTreeWidget* list = List(window);
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        rows.append(item->text(0) + '|' + item->text(1) + '|' + item->text(2));
    }
    return rows;
}

QStringList Performers(TFBrakiNarodowosci& window) {
    QStringList performers;
    for (const QString& row : Rows(window)) {
        performers.append(row.section('|', 0, 0));
    }
    return performers;
}

QPoint HeaderCentre(TFBrakiNarodowosci& window, int column) {
    QHeaderView* header = List(window)->header();
    return {header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
            header->height() / 2};
}

void ClickHeader(TFBrakiNarodowosci& window, int column) {
    QTest::mouseClick(List(window)->header()->viewport(), Qt::LeftButton, {},
                      HeaderCentre(window, column));
}

}  // namespace

void TFBrakiNarodowosciTest::initTestCase() {
    QVERIFY(dir_.isValid());
    veltra::RegisterTahoma();
    // The collation follows the user's locale; pin it so the order is known.
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    veltra::SetErrorReportPresenter([this](const QString& text) { reports_.append(text); });
}

void TFBrakiNarodowosciTest::init() {
    reports_.clear();
}

void TFBrakiNarodowosciTest::cleanupTestCase() {
    veltra::SetErrorReportPresenter({});
}

QString TFBrakiNarodowosciTest::WriteFile(const QByteArray& bytes) {
    const QString path = dir_.filePath(QStringLiteral("braki naradowosci.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

std::unique_ptr<TFBrakiNarodowosci> TFBrakiNarodowosciTest::OpenOn(const QByteArray& bytes) {
    auto window = std::make_unique<TFBrakiNarodowosci>();
    window->SciezkaPliku = WriteFile(bytes);
    window->show();
    return window;
}

void TFBrakiNarodowosciTest::opensAsResizableToolWindow() {
    TFBrakiNarodowosci window;
    window.show();

    QCOMPARE(window.windowTitle(), QStringLiteral("Ortana - braki narodowści"));
    QCOMPARE(window.size(), QSize(910, 512));
    QVERIFY((window.windowFlags() & Qt::WindowType_Mask) == Qt::Tool);
    QVERIFY(window.minimumSize() != window.maximumSize());

    QTreeWidget* list = List(window);
    QCOMPARE(list->geometry(), window.rect());
    const QTreeWidgetItem* header = list->headerItem();
    QCOMPARE(header->text(0), QStringLiteral("Wykonawca"));
    QCOMPARE(header->text(1), QStringLiteral("Tytuł"));
    QCOMPARE(header->text(2), QStringLiteral("Ścieżka"));
}

// Qt measures Tahoma shorter than Windows; rows of Qt's height would lose
// their descenders to the grid line.
void TFBrakiNarodowosciTest::rowsLeaveRoomForDescenders() {
    const auto window = OpenOn("Maanam;Kocham ci\xea kochanie moje;D:\\Muzyka\\m.mp3\r\n");
    QTreeWidget* list = List(*window);
    const int rowHeight = list->visualItemRect(list->topLevelItem(0)).height();
    QVERIFY2(rowHeight > veltra::MeasureWinText(list->font()).height() + 1,
             qPrintable(QString::number(rowHeight)));
}

// The owner is given by its outer frame. The offscreen platform frames every
// window with 2 pixels on each side, so this window's frame is 914 × 516.
void TFBrakiNarodowosciTest::centresOverTheOwnerWithinTheDesktop_data() {
    QTest::addColumn<QRect>("owner");
    QTest::addColumn<QPoint>("position");

    QTest::newRow("a larger owner") << QRect(100, 50, 1204, 804) << QPoint(245, 194);
    QTest::newRow("odd excess truncates") << QRect(100, 50, 1205, 805) << QPoint(245, 194);
    QTest::newRow("a smaller owner") << QRect(400, 300, 604, 404) << QPoint(245, 244);
    QTest::newRow("odd shortfall truncates toward zero")
        << QRect(400, 300, 605, 405) << QPoint(246, 245);
    QTest::newRow("kept inside the desktop's corner") << QRect(20, 30, 600, 400) << QPoint(0, 0);
}

void TFBrakiNarodowosciTest::centresOverTheOwnerWithinTheDesktop() {
    QFETCH(QRect, owner);
    QFETCH(QPoint, position);

    const veltra::CompanionPlacement placement;
    QWidget mainWindow;
    mainWindow.show();
    mainWindow.resize(owner.size() - (mainWindow.frameGeometry().size() - mainWindow.size()));
    mainWindow.move(owner.topLeft());
    QCOMPARE(mainWindow.frameGeometry(), owner);

    TFBrakiNarodowosci window(&mainWindow);
    window.SciezkaPliku = WriteFile({});
    window.show();

    QCOMPARE(window.frameGeometry(), QRect(position, QSize(914, 516)));
}

void TFBrakiNarodowosciTest::columnWidthsFollowTheWindow_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<int>>("columns");

    QTest::newRow("opening size") << 910 << QList<int>{220, 220, 440};
    QTest::newRow("narrower") << 410 << QList<int>{95, 95, 190};
    QTest::newRow("remainders truncate") << 443 << QList<int>{103, 103, 206};
    QTest::newRow("too narrow for columns") << 20 << QList<int>{0, 0, 0};
}

void TFBrakiNarodowosciTest::columnWidthsFollowTheWindow() {
    QFETCH(int, width);
    QFETCH(QList<int>, columns);

    TFBrakiNarodowosci window;
    window.show();
    QTreeWidget* list = List(window);
    // A dragged divider lasts only until the next change of size.
    list->setColumnWidth(0, 333);
    window.resize(width, 300);

    QCOMPARE(list->width(), width);
    QCOMPARE((QList<int>{list->columnWidth(0), list->columnWidth(1), list->columnWidth(2)}),
             columns);
}

void TFBrakiNarodowosciTest::listsTheFileInItsOrder() {
    // Code page 1250: "Zespół Łódź;Śpiew żółtej ćmy;D:\Muzyka\Ęą.mp3", then
    // entries whose quotes and short lines the window must keep as written.
    const auto window = OpenOn(
        "Zesp\xf3\xb3 \xa3\xf3"
        "d\x9f;\x8cpiew \xbf\xf3\xb3tej \xe6my;D:\\Muzyka\\\xca\xb9.mp3\r\n"
        "Bowie;\"Heroes\" (live);D:\\h.mp3\r\n"
        "Only performer\r\n"
        "\r\n"
        "z;y;x;extra\r\n");

    QCOMPARE(Rows(*window), (QStringList{
                                QStringLiteral("Zespół Łódź|Śpiew żółtej ćmy|D:\\Muzyka\\Ęą.mp3"),
                                "Bowie|\"Heroes\" (live)|D:\\h.mp3",
                                "Only performer||",
                                "z|y|x",
                            }));
    QCOMPARE(reports_, QStringList{});
    QVERIFY(window->isVisible());
}

void TFBrakiNarodowosciTest::readsTheFileOnlyOnce() {
    const auto window = OpenOn("A;B;C\r\n");
    WriteFile("A;B;C\r\nD;E;F\r\n");
    window->hide();
    window->show();

    QCOMPARE(Rows(*window), QStringList{"A|B|C"});

    TFBrakiNarodowosci next;
    next.SciezkaPliku = window->SciezkaPliku;
    next.show();
    QCOMPARE(Rows(next), (QStringList{"A|B|C", "D|E|F"}));
}

void TFBrakiNarodowosciTest::anUnreadableFileIsReportedAndTheListStaysEmpty() {
    TFBrakiNarodowosci window;
    window.SciezkaPliku = dir_.filePath(QStringLiteral("usunięty.csv"));
    window.show();

    QCOMPARE(reports_,
             QStringList{QStringLiteral("Cannot open file \"%1\". No such file or directory.")
                             .arg(window.SciezkaPliku)});
    QVERIFY(window.isVisible());
    QCOMPARE(List(window)->topLevelItemCount(), 0);
}

void TFBrakiNarodowosciTest::everyHeaderClickSortsAndFlipsTheDirection_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QStringList>("performers");

    // Performers, titles and paths run in different orders, so the order of
    // the performers shows which column was sorted and which way.
    QTest::newRow("no click keeps the file's order") << QList<int>{} << QStringList{"b", "c", "a"};
    QTest::newRow("performer once") << QList<int>{0} << QStringList{"a", "b", "c"};
    QTest::newRow("title three times") << QList<int>{1, 1, 1} << QStringList{"c", "a", "b"};
    QTest::newRow("title twice") << QList<int>{1, 1} << QStringList{"b", "a", "c"};
    QTest::newRow("title, then path") << QList<int>{1, 2} << QStringList{"a", "b", "c"};
    QTest::newRow("performer, then title") << QList<int>{0, 1} << QStringList{"b", "a", "c"};
}

void TFBrakiNarodowosciTest::everyHeaderClickSortsAndFlipsTheDirection() {
    QFETCH(QList<int>, clicks);
    QFETCH(QStringList, performers);

    // Titles ascending: c (tytuł 1), a (tytuł 2), b (tytuł 3).
    // Paths ascending: c (p1), b (p2), a (p3).
    const auto window = OpenOn("b;tytu\xb3 3;p2\r\nc;tytu\xb3 1;p1\r\na;tytu\xb3 2;p3\r\n");
    for (const int column : clicks) {
        ClickHeader(*window, column);
    }

    QStringList shown;
    for (const QString& row : Rows(*window)) {
        shown.append(row.section('|', 0, 0));
    }
    QCOMPARE(shown, performers);
    if (!clicks.isEmpty()) {
        QCOMPARE(window->KolumnaSortowania, clicks.last());
    }
    QCOMPARE(window->Malejaco, clicks.size() % 2 == 1);
}

void TFBrakiNarodowosciTest::aDoubleClickOnAHeaderSortsTwice() {
    const auto window = OpenOn("b;t;p\r\nc;t;p\r\na;t;p\r\n");
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    // Through the window system, which makes the second click a double-click.
    QWidget* viewport = List(*window)->header()->viewport();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                       viewport->mapTo(window.get(), HeaderCentre(*window, 0)));

    QCOMPARE(Performers(*window), (QStringList{"c", "b", "a"}));
    QCOMPARE(window->Malejaco, false);
}

void TFBrakiNarodowosciTest::comparesInPolishWithCaseAndAccents() {
    const auto window = OpenOn("b\r\nABC\r\n\xb9\r\nabc\r\nz\r\n\xbf\r\n\x9f\r\na\r\nB\r\n");
    ClickHeader(*window, 0);

    QStringList performers;
    for (const QString& row : Rows(*window)) {
        performers.append(row.section('|', 0, 0));
    }
    const auto before = [&performers](const QString& first, const QString& second) {
        return performers.indexOf(first) < performers.indexOf(second);
    };
    QVERIFY2(before("a", QStringLiteral("ą")), qPrintable(performers.join(' ')));
    QVERIFY2(before(QStringLiteral("ą"), "b"), qPrintable(performers.join(' ')));
    QVERIFY2(before("z", QStringLiteral("ź")), qPrintable(performers.join(' ')));
    QVERIFY2(before(QStringLiteral("ź"), QStringLiteral("ż")), qPrintable(performers.join(' ')));

    const QTreeWidgetItem lower(QStringList{"abc"});
    const QTreeWidgetItem upper(QStringList{"ABC"});
    window->KolumnaSortowania = 0;
    for (const bool descending : {false, true}) {
        window->Malejaco = descending;
        const int forward = window->ListView1Compare(lower, upper);
        QVERIFY(forward == 1 || forward == -1);
        QCOMPARE(window->ListView1Compare(upper, lower), -forward);
        QCOMPARE(window->ListView1Compare(lower, lower), 0);
    }
}

void TFBrakiNarodowosciTest::sortsInPolishUnderTheCLocale() {
    QLocale::setDefault(QLocale::c());
    const auto restore =
        qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); });
    const auto window = OpenOn(
        "ABBA\r\nZakopower\r\nabba\r\nb\r\n\xd3semka\r\n\xa5"
        "bel\r\n\xc6ma\r\n\xa3zy\r\n");
    ClickHeader(*window, 0);

    QCOMPARE(Performers(*window),
             (QStringList{"abba", "ABBA", QStringLiteral("Ąbel"), "b", QStringLiteral("Ćma"),
                          QStringLiteral("Łzy"), QStringLiteral("Ósemka"), "Zakopower"}));
}

void TFBrakiNarodowosciTest::aMissingColumnComparesAsEmptyText() {
    TFBrakiNarodowosci window;
    const QTreeWidgetItem captionOnly(QStringList{"A"});
    const QTreeWidgetItem full(QStringList{"A", "tytuł", "D:\\a.mp3"});
    const QTreeWidgetItem emptyTitle(QStringList{"A", "", ""});

    for (const int column : {1, 2}) {
        window.KolumnaSortowania = column;
        QCOMPARE(window.ListView1Compare(captionOnly, full), -1);
        QCOMPARE(window.ListView1Compare(full, captionOnly), 1);
        QCOMPARE(window.ListView1Compare(captionOnly, emptyTitle), 0);
    }
}

void TFBrakiNarodowosciTest::sortingKeepsTheSelectedRow() {
    const auto window = OpenOn("c;1;1\r\nb;2;2\r\na;3;3\r\n");
    QTreeWidget* list = List(*window);
    QTreeWidgetItem* chosen = list->topLevelItem(0);
    list->setCurrentItem(chosen);

    ClickHeader(*window, 0);

    QCOMPARE(list->indexOfTopLevelItem(chosen), 2);
    QCOMPARE(list->selectedItems(), QList<QTreeWidgetItem*>{chosen});
    QCOMPARE(list->currentItem(), chosen);
}

void TFBrakiNarodowosciTest::opensOnlyWhenSomethingWasCounted_data() {
    QTest::addColumn<QString>("countLabel");
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<bool>("opens");

    QTest::newRow("nothing counted, old file left") << QStringLiteral("0") << true << false;
    QTest::newRow("counted, file gone") << QStringLiteral("12") << false << false;
    QTest::newRow("counted, file there") << QStringLiteral("12") << true << true;
}

void TFBrakiNarodowosciTest::opensOnlyWhenSomethingWasCounted() {
    QFETCH(QString, countLabel);
    QFETCH(bool, fileExists);
    QFETCH(bool, opens);
    QCOMPARE(veltra::ShouldOpenMissingList(countLabel, fileExists), opens);
}

QTEST_MAIN(TFBrakiNarodowosciTest)
#include "tfbrakinarodowosci_test.moc"
