#pragma once

#include <QDialog>
#include <array>

#include "legend_entries.h"

class QLabel;
class QScrollArea;

namespace veltra {

// The legend: the regulator's table picture above a scrollable list of
// titled explanations of the main window's figures. Opened modally from the
// main window's "Legenda" button, one fresh window per press.
class TFLegenda : public QDialog {
    Q_OBJECT

public:
    explicit TFLegenda(QWidget* parent = nullptr);

    // The form's event handlers, under the names the form gives them.
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormMouseWheelDown();
    void FormMouseWheelUp();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Legenda();
    void Rysuj(int index, const QString& heading, const QString& explanation);
    void ReleasePanels();
    void TurnWheel(int angleDelta);
    void ScrollBy(int pixels);

    QLabel* Image1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QWidget* panelHost = nullptr;
    int HeadingBandHeight = 0;
    std::array<LegendEntry, kLegendEntryCount> LegendEntries;
    std::array<QLabel*, kLegendEntryCount> EntryPanels{};
    int wheelAccumulator = 0;
};

}  // namespace veltra
