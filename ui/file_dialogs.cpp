#include "file_dialogs.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLocale>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <utility>

#include "user_settings.h"

namespace veltra {
namespace {

constexpr QSize kFirstSize(820, 480);
// Room for a home folder's name in the side bar.
constexpr int kSideBarWidth = 150;

// The columns of Qt's file list, and widths that show a log's name, a size
// in KiB, a type and a date with its time in full.
enum Column { kName, kSize, kType, kDateModified };
constexpr std::pair<int, int> kColumnWidths[] = {
    {kName, 300}, {kSize, 90}, {kType, 80}, {kDateModified, 130}};

// Qt writes the sizes and dates of its file list in the system's locale,
// which under the C locale is English ("438 bytes"); the program speaks
// Polish, so the list does too.
class PolishFileListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto* model = qobject_cast<const QFileSystemModel*>(index.model());
        if (model == nullptr) {
            return;
        }
        const QLocale polish(QLocale::Polish, QLocale::Poland);
        if (index.column() == kDateModified) {
            option->text = polish.toString(model->lastModified(index), QLocale::ShortFormat);
        } else if (model->isDir(index)) {
            return;
        } else if (index.column() == kSize) {
            option->text = polish.formattedDataSize(model->size(index));
        } else if (index.column() == kType) {
            // The desktop's file type names follow its own language.
            const QString suffix = model->fileInfo(index).suffix().toUpper();
            option->text =
                suffix.isEmpty() ? QStringLiteral("Plik") : QStringLiteral("Plik %1").arg(suffix);
        }
    }
};

}  // namespace

int ExecFileDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The log dialog lives as long as the window and is shown again and
    // again; it needs its delegate once.
    if (qobject_cast<PolishFileListDelegate*>(dialog.itemDelegate()) == nullptr) {
        dialog.setItemDelegate(new PolishFileListDelegate(&dialog));
    }
    dialog.setSizeGripEnabled(true);
    const QSize size = UserSettings().FileDialogSize();
    dialog.resize(size.isValid() ? size : kFirstSize);
    if (auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter"))) {
        splitter->setSizes({kSideBarWidth, dialog.width() - kSideBarWidth});
    }
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        for (const auto& [column, width] : kColumnWidths) {
            list->header()->resizeSection(column, width);
        }
    }
    const int result = dialog.exec();
    UserSettings().SaveFileDialogSize(dialog.size());
    return result;
}

}  // namespace veltra

#include "file_dialogs.moc"
