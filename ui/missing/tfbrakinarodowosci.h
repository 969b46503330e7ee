#pragma once

#include <QCollator>
#include <QDialog>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

namespace veltra {

// The missing-nationality list opens only when the last run counted entries
// and wrote the file they are read from.
bool ShouldOpenMissingList(const QString& countLabelText, bool fileExists);

// Lists the entries of "braki naradowosci.csv" in three columns that sort by a
// click on their header. A new window is made for every opening; it reads the
// file once, just before it appears.
class TFBrakiNarodowosci : public QDialog {
    Q_OBJECT

public:
    explicit TFBrakiNarodowosci(QWidget* parent = nullptr);

    // Full path of the file, set by the opener before the window is shown.
    QString SciezkaPliku;
    // Column of the last header click: 0 performer, 1 title, 2 path.
    int KolumnaSortowania = 0;
    // Whether the next sort orders from greatest to least.
    bool Malejaco = false;

    // The form's event names are kept.
    void FormShow();
    void FormResize();
    void ListView1ColumnClick(int column);
    int ListView1Compare(const QTreeWidgetItem& item1, const QTreeWidgetItem& item2) const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SortRows();

    QTreeWidget* ListView1;
    QCollator collator_;
    bool shownOnce_ = false;
};

}  // namespace veltra
