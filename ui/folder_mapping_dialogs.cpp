#include "folder_mapping_dialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "display_text.h"
#include "file_dialogs.h"
#include "user_settings.h"

namespace veltra {

namespace {

// A folder chooser that explains its question between the folder list and
// the buttons. Only an existing folder can be chosen.
std::optional<QString> ChooseFolder(QWidget* parent, const QString& objectName,
                                    const QString& title, const QString& explanation,
                                    const QString& startFolder) {
    QFileDialog dialog(parent, title, startFolder);
    dialog.setObjectName(objectName);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    auto* list = dialog.findChild<QWidget*>(QStringLiteral("splitter"));
    if (grid != nullptr && list != nullptr) {
        // The list spans the grid's second row; it and the text share it.
        auto* text = new QLabel(explanation, &dialog);
        text->setObjectName(QStringLiteral("explanation"));
        text->setWordWrap(true);
        text->setTextFormat(Qt::PlainText);
        int row = 0;
        int column = 0;
        int rowSpan = 0;
        int columnSpan = 0;
        grid->getItemPosition(grid->indexOf(list), &row, &column, &rowSpan, &columnSpan);
        grid->removeWidget(list);
        auto* listAndText = new QVBoxLayout;
        listAndText->addWidget(list, 1);
        listAndText->addWidget(text);
        grid->addLayout(listAndText, row, column, rowSpan, columnSpan);
    }
    if (ExecFileDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QFileInfo chosen(dialog.selectedFiles().first());
    if (!chosen.isDir()) {
        return std::nullopt;
    }
    return chosen.absoluteFilePath();
}

// The folder for a prefix chosen in the mappings dialog.
std::optional<QString> ChooseMappedFolder(QWidget* parent, const QString& prefix,
                                          const QString& startFolder) {
    return ChooseFolder(
        parent, QStringLiteral("MappedFolder"), QStringLiteral("Folder dla „%1”").arg(prefix),
        QStringLiteral("Wskaż folder, w którym na tym komputerze leżą pliki z „%1”.").arg(prefix),
        startFolder);
}

}  // namespace

void ShowSettingsFailure(QWidget* parent, const QString& failure) {
    static QStringList shown;
    if (failure.isEmpty() || shown.contains(failure)) {
        return;
    }
    shown.append(failure);
    QMessageBox::warning(parent, QStringLiteral("Ustawienia"), failure);
}

std::optional<QString> AskForMappedFolder(QWidget* parent, const QString& root,
                                          const QString& exampleAudioPath,
                                          const QString& missingFolder, const QString& logPath) {
    QString startFolder = logPath.isEmpty() ? QString() : QFileInfo(logPath).absolutePath();
    const std::optional<MappedPath> mapped =
        FolderMappings(UserSettings().LoadFolderMappings()).Map(root.toStdString());
    if (mapped && QFileInfo(QString::fromStdString(mapped->folder)).isDir()) {
        startFolder = QString::fromStdString(mapped->folder);
    }
    QString explanation;
    if (!missingFolder.isEmpty()) {
        explanation = QStringLiteral(
                          "Zapisany folder „%1” dla „%2” nie istnieje (może dysk lub "
                          "udział nie jest teraz podłączony).\n")
                          .arg(missingFolder, root);
    }
    explanation += QStringLiteral(
                       "Logi wskazują pliki na „%1”, np.:\n%2\n"
                       "Wskaż folder, w którym na tym komputerze leżą pliki z „%1”; wybór zostanie "
                       "zapamiętany. Po anulowaniu pliki DAT z „%1” nie będą szukane do końca "
                       "tego raportu.")
                       .arg(root, exampleAudioPath);
    return ChooseFolder(parent, QStringLiteral("FolderQuestion"),
                        QStringLiteral("Gdzie są pliki z „%1”?").arg(root), explanation,
                        startFolder);
}

std::optional<std::string> ChooseFolderForRun(QWidget* parent, std::string_view root,
                                              std::string_view exampleAudioPath,
                                              std::string_view missingFolder,
                                              const QString& logPath) {
    const QString prefix = FromUtf8(root);
    const std::optional<QString> folder = AskForMappedFolder(
        parent, prefix, FromUtf8(exampleAudioPath), FromUtf8(missingFolder), logPath);
    if (!folder) {
        return std::nullopt;
    }
    UserSettings settings;
    if (!settings.SaveFolderMapping(prefix, *folder)) {
        ShowSettingsFailure(parent, settings.Failure());
    }
    return EnginePath(*folder);
}

FolderMappings MappingsForRun(QWidget* parent) {
    UserSettings settings;
    FolderMappings mappings(settings.LoadFolderMappings());
    ShowSettingsFailure(parent, settings.Failure());
    return mappings;
}

FolderMappingsDialog::FolderMappingsDialog(QWidget* parent)
    : QDialog(parent), table_(new QTableWidget(0, 2, this)) {
    setObjectName(QStringLiteral("FolderMappingsDialog"));
    setWindowTitle(QStringLiteral("Foldery ścieżek z logów"));
    resize(560, 300);

    auto* intro = new QLabel(
        QStringLiteral("Ścieżki zapisane w logach na komputerze emisyjnym (dysk lub udział "
                       "sieciowy) i foldery, w których leżą te pliki na tym komputerze."),
        this);
    intro->setWordWrap(true);
    table_->setObjectName(QStringLiteral("mappings"));
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Ścieżka w logach"), QStringLiteral("Folder na tym komputerze")});
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    UserSettings settings;
    loaded_ = settings.LoadFolderMappings();
    for (const FolderMapping& mapping : loaded_) {
        SetRow(table_->rowCount(), mapping);
    }
    table_->resizeColumnToContents(0);

    auto* add = new QPushButton(QStringLiteral("Dodaj..."), this);
    auto* change = new QPushButton(QStringLiteral("Zmień folder..."), this);
    auto* remove = new QPushButton(QStringLiteral("Usuń"), this);
    add->setObjectName(QStringLiteral("add"));
    change->setObjectName(QStringLiteral("change"));
    remove->setObjectName(QStringLiteral("remove"));
    connect(add, &QPushButton::clicked, this, &FolderMappingsDialog::Add);
    connect(change, &QPushButton::clicked, this, &FolderMappingsDialog::ChangeFolder);
    connect(remove, &QPushButton::clicked, this, &FolderMappingsDialog::RemoveSelected);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* edits = new QHBoxLayout;
    edits->addWidget(add);
    edits->addWidget(change);
    edits->addWidget(remove);
    edits->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(table_);
    layout->addLayout(edits);
    layout->addWidget(buttons);
}

void FolderMappingsDialog::accept() {
    const std::vector<FolderMapping> rows = Mappings();
    UserSettings settings;
    const bool saved = settings.ChangeFolderMappings([&](FolderMappings& mappings) {
        for (const FolderMapping& was : loaded_) {
            mappings.Remove(was.prefix);
        }
        for (const FolderMapping& row : rows) {
            mappings.Set(row.prefix, row.folder);
        }
    });
    if (!saved) {
        // Kept open, so that the user's changes are not lost without a word.
        QMessageBox::warning(this, windowTitle(), settings.Failure());
        return;
    }
    QDialog::accept();
}

void FolderMappingsDialog::Add() {
    const QString prefix =
        QInputDialog::getText(this, QStringLiteral("Nowa ścieżka"),
                              QStringLiteral("Dysk lub udział sieciowy, jak w logach "
                                             "(np. D:\\ albo \\\\serwer\\audio):"))
            .trimmed();
    if (prefix.isEmpty()) {
        return;
    }
    if (!FolderMappings::IsPrefix(prefix.toStdString())) {
        QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("„%1” nie jest dyskiem ani udziałem sieciowym.").arg(prefix));
        return;
    }
    const std::optional<QString> folder = ChooseMappedFolder(this, prefix, QString());
    if (!folder) {
        return;
    }
    // One row for a prefix, however it is written.
    FolderMappings mappings(Mappings());
    mappings.Set(prefix.toStdString(), folder->toStdString());
    table_->setRowCount(0);
    for (const FolderMapping& mapping : mappings.Entries()) {
        SetRow(table_->rowCount(), mapping);
    }
}

void FolderMappingsDialog::ChangeFolder() {
    const int row = table_->currentRow();
    if (row < 0) {
        return;
    }
    const QString prefix = table_->item(row, 0)->text();
    const std::optional<QString> folder =
        ChooseMappedFolder(this, prefix, table_->item(row, 1)->text());
    if (folder) {
        table_->item(row, 1)->setText(*folder);
    }
}

void FolderMappingsDialog::RemoveSelected() {
    if (const int row = table_->currentRow(); row >= 0) {
        table_->removeRow(row);
    }
}

void FolderMappingsDialog::SetRow(int row, const FolderMapping& mapping) {
    if (row >= table_->rowCount()) {
        table_->insertRow(row);
    }
    table_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(mapping.prefix)));
    table_->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(mapping.folder)));
}

std::vector<FolderMapping> FolderMappingsDialog::Mappings() const {
    std::vector<FolderMapping> mappings;
    for (int row = 0; row < table_->rowCount(); ++row) {
        mappings.push_back({table_->item(row, 0)->text().toStdString(),
                            table_->item(row, 1)->text().toStdString()});
    }
    return mappings;
}

}  // namespace veltra
