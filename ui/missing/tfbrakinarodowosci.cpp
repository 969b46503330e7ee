#include "tfbrakinarodowosci.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <algorithm>
#include <string>

#include "display_text.h"
#include "error_report.h"
#include "file_access.h"
#include "missing_nationality_csv.h"
#include "native_file_system.h"
#include "win_text_metrics.h"
#include "window_font.h"

namespace veltra {
namespace {

// Lines between the rows and the columns, as a report list with grid lines has.
class GridLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QRect cell = option.rect;
        painter->save();
        painter->setPen(option.palette.color(QPalette::Button));
        painter->drawLine(cell.topRight(), cell.bottomRight());
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        // Qt measures Tahoma shorter than Windows does; rows of Qt's height
        // lose their descenders to the grid line below them.
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), MeasureWinText(option.font).height() + 4));
        return size;
    }
};

// The user's locale, or Polish, the program's own language, where the
// session runs under the C or POSIX locale: that collation compares code
// points, putting every capital before every small letter and every Polish
// letter after "z".
QLocale CollationLocale() {
    const QLocale user;
    return user.language() == QLocale::C ? QLocale(QLocale::Polish, QLocale::Poland) : user;
}

}  // namespace

bool ShouldOpenMissingList(const QString& countLabelText, bool fileExists) {
    return countLabelText != QLatin1String("0") && fileExists;
}

TFBrakiNarodowosci::TFBrakiNarodowosci(QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ListView1(new QTreeWidget(this)),
      collator_(CollationLocale()) {
    // The title keeps the wording users have always known the window by,
    // the missing letter included.
    setWindowTitle(QStringLiteral("Ortana - braki narodowści"));
    setFont(WindowFont());
    resize(910, 512);

    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setColumnCount(3);
    ListView1->setHeaderLabels(
        {QStringLiteral("Wykonawca"), QStringLiteral("Tytuł"), QStringLiteral("Ścieżka")});
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSortingEnabled(false);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setItemDelegate(new GridLineDelegate(ListView1));
    QHeaderView* header = ListView1->header();
    // The widths are set by FormResize alone; a stretched last column would
    // swallow the room it leaves for the border and the scroll bar.
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    // The report's columns stand in a fixed order.
    header->setSectionsMovable(false);
    header->setSortIndicatorShown(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header, &QHeaderView::sectionClicked, this, &TFBrakiNarodowosci::ListView1ColumnClick);
    // Qt turns the second of two quick clicks into a double-click, which
    // brings no section click; each click still sorts.
    connect(header, &QHeaderView::sectionDoubleClicked, this,
            &TFBrakiNarodowosci::ListView1ColumnClick);

    collator_.setCaseSensitivity(Qt::CaseSensitive);
}

void TFBrakiNarodowosci::FormShow() {
    const std::string text = ReadFileOrFail(NativeFileSystem(), EnginePath(SciezkaPliku));
    QList<QTreeWidgetItem*> rows;
    for (const MissingEntryFields& entry : ReadMissingEntries(text)) {
        rows.append(new QTreeWidgetItem(QStringList{
            FromCp1250(entry.performer), FromCp1250(entry.title), FromCp1250(entry.path)}));
    }
    ListView1->addTopLevelItems(rows);
}

void TFBrakiNarodowosci::FormResize() {
    // 30 pixels stay unassigned for the list's border and its scroll bar. A
    // list narrower than that gets empty columns, never negative ones.
    const int d = std::max(ListView1->width() - 30, 0);
    ListView1->setColumnWidth(0, d / 4);
    ListView1->setColumnWidth(1, d / 4);
    ListView1->setColumnWidth(2, d / 2);
}

void TFBrakiNarodowosci::ListView1ColumnClick(int column) {
    KolumnaSortowania = column;
    SortRows();
    // The direction alternates with every click, whichever header it is.
    Malejaco = !Malejaco;
}

int TFBrakiNarodowosci::ListView1Compare(const QTreeWidgetItem& item1,
                                         const QTreeWidgetItem& item2) const {
    // A column that a row lacks reads as an empty text.
    const int order =
        collator_.compare(item1.text(KolumnaSortowania), item2.text(KolumnaSortowania));
    const int sign = (order > 0) - (order < 0);
    return Malejaco ? -sign : sign;
}

void TFBrakiNarodowosci::SortRows() {
    // Taking the rows out drops the selection; the user's row stays chosen.
    QTreeWidgetItem* const current = ListView1->currentItem();
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();

    QList<QTreeWidgetItem*> rows = ListView1->invisibleRootItem()->takeChildren();
    std::stable_sort(rows.begin(), rows.end(),
                     [this](const QTreeWidgetItem* item1, const QTreeWidgetItem* item2) {
                         return ListView1Compare(*item1, *item2) < 0;
                     });
    ListView1->addTopLevelItems(rows);

    if (current != nullptr) {
        ListView1->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    }
    for (QTreeWidgetItem* item : selected) {
        item->setSelected(true);
    }
}

void TFBrakiNarodowosci::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The file is read once, before the window first appears; a later show
    // must not add the rows again.
    if (!shownOnce_) {
        shownOnce_ = true;
        // The opener saw the file, but it may have gone since: the failure
        // is reported and the window still opens, with nothing to list.
        RunHandler([this] { FormShow(); });
    }
}

void TFBrakiNarodowosci::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ListView1->setGeometry(rect());
    FormResize();
}

}  // namespace veltra
