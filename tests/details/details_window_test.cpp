#include <QAbstractItemModel>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QtTest>

#include "details_window.h"
#include "run_details.h"

using veltra::DebutOutcome;
using veltra::DetailsWindow;
using veltra::RunDetails;

class DetailsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void incompleteLinesSortByNumberAndCopy();
    void polishDayItemsNarrowToAnOutcome();
    void aListPastTheLimitSaysSo();
};

namespace {

QTableView* List(DetailsWindow& window) {
    return window.findChild<QTableView*>(QStringLiteral("ListView1"));
}

// One column of every row as shown.
QStringList Column(DetailsWindow& window, int column) {
    QStringList texts;
    const QAbstractItemModel* model = List(window)->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        texts << model->index(row, column).data().toString();
    }
    return texts;
}

}  // namespace

void DetailsWindowTest::incompleteLinesSortByNumberAndCopy() {
    RunDetails details;
    details.StartLog("/logi/a.hst");
    details.AddIncompleteLine(9, "a;b\x01");
    details.AddIncompleteLine(10, "\xA3\xB9ka;");
    details.AddIncompleteLine(100, std::string(200, 'x'));
    DetailsWindow window(details, DetailsWindow::List::IncompleteLines);
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("Niepełna informacja - wiersze"));
    QTableView* list = List(window);
    QStringList headers;
    for (int column = 0; column < list->model()->columnCount(); ++column) {
        headers << list->model()->headerData(column, Qt::Horizontal).toString();
    }
    QCOMPARE(headers, (QStringList{QStringLiteral("Log"), QStringLiteral("Wiersz"),
                                   QStringLiteral("Pola"), QStringLiteral("Początek wiersza")}));
    QCOMPARE(Column(window, 2),
             (QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("0")}));
    QCOMPARE(Column(window, 3)[0], QStringLiteral("a;b\\x01"));
    QCOMPARE(Column(window, 3)[1], QStringLiteral("Łąka;"));
    QCOMPARE(Column(window, 3)[2], QString(80, QLatin1Char('x')) + QChar(0x2026));

    // Numbers sort as numbers: 9 before 10 before 100, and back.
    list->sortByColumn(1, Qt::DescendingOrder);
    QCOMPARE(Column(window, 1),
             (QStringList{QStringLiteral("100"), QStringLiteral("10"), QStringLiteral("9")}));

    list->selectRow(2);
    list->selectionModel()->select(list->model()->index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("/logi/a.hst\t100\t0\t") + QString(80, QLatin1Char('x')) +
                 QChar(0x2026) + QStringLiteral("\n/logi/a.hst\t9\t1\ta;b\\x01\n"));
}

void DetailsWindowTest::polishDayItemsNarrowToAnOutcome() {
    RunDetails details;
    details.StartLog("/logi/a.hst");
    details.AddPolishDayItem(1, "D:\\a.mp3", {DebutOutcome::Unmapped, {}});
    details.AddPolishDayItem(2, "b.mp3", {DebutOutcome::Debut, "b.dat"});
    details.AddPolishDayItem(3, "c.mp3", {DebutOutcome::Other, "c.dat"});
    details.AddPolishDayItem(4, "d.mp3", {DebutOutcome::Debut, "d.dat"});
    DetailsWindow window(details, DetailsWindow::List::PolishDayItems);
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("Debiuty i pliki DAT"));
    QCOMPARE(Column(window, 4),
             (QStringList{QStringLiteral("brak folderu dysku"), QStringLiteral("debiut"),
                          QStringLiteral("nie debiut"), QStringLiteral("debiut")}));

    auto* outcome = window.findChild<QComboBox*>(QStringLiteral("Wynik"));
    outcome->setCurrentIndex(outcome->findText(QStringLiteral("debiut")));
    QCOMPARE(Column(window, 1), (QStringList{QStringLiteral("2"), QStringLiteral("4")}));
    QCOMPARE(Column(window, 3), (QStringList{QStringLiteral("b.dat"), QStringLiteral("d.dat")}));
    outcome->setCurrentIndex(outcome->findText(QStringLiteral("brak folderu dysku")));
    QCOMPARE(Column(window, 2), QStringList{QStringLiteral("D:\\a.mp3")});
    outcome->setCurrentIndex(0);
    QCOMPARE(Column(window, 1).size(), 4);
}

void DetailsWindowTest::aListPastTheLimitSaysSo() {
    RunDetails details(sizeof(RunDetails::IncompleteLine) + 8);
    details.AddIncompleteLine(1, "a;");
    details.AddIncompleteLine(2, "b;");
    DetailsWindow window(details, DetailsWindow::List::IncompleteLines);
    QCOMPARE(Column(window, 1), QStringList{QStringLiteral("1")});
    auto* note = window.findChild<QLabel*>(QStringLiteral("Pominiete"));
    QVERIFY(note != nullptr);
    QVERIFY2(note->text().contains(QStringLiteral(" 1 ")), qPrintable(note->text()));
}

QTEST_MAIN(DetailsWindowTest)
#include "details_window_test.moc"
