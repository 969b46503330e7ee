#pragma once

#include "gauge_kind.h"
#include "win_text_metrics.h"

#include <QColor>
#include <QWidget>
#include <optional>

namespace veltra {

struct GaugeLook;

// The upper bound a gauge starts with.
inline constexpr int kGaugeDefaultMaxValue = 100;

// A self-drawn progress gauge: where Progress stands between MinValue and
// MaxValue, as a plain field, a bar, a pie or a needle dial, optionally with
// the percentage written over it. Setters that change the picture repaint at
// once, so a busy caller still sees the gauge move.
class TGauge : public QWidget {
    Q_OBJECT

public:
    explicit TGauge(QWidget* parent = nullptr);

    int MinValue() const { return minValue_; }
    int MaxValue() const { return maxValue_; }
    int Progress() const { return progress_; }
    TGaugeKind Kind() const { return kind_; }
    bool ShowText() const { return showText_; }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    QColor ForeColor() const { return foreColor_; }
    QColor BackColor() const { return backColor_; }
    // The whole-number percentage of Progress between the bounds.
    int Percent() const;

    // Throw EInvalidOperation when the bounds would cross, leaving the gauge
    // unchanged; pull Progress inside the new bound otherwise.
    void SetMinValue(int value);
    void SetMaxValue(int value);
    // Clamps to the bounds; repaints only when Percent changes, which keeps a
    // caller stepping through many values cheap.
    void SetProgress(int value);
    void SetKind(TGaugeKind value);
    void SetShowText(bool value);
    void SetBorderStyle(TBorderStyle value);
    void SetForeColor(const QColor& value);
    void SetBackColor(const QColor& value);

    // While one exists, the bounds may be restored in either order without
    // the crossing check; Progress is still clamped.
    class Loading {
    public:
        explicit Loading(TGauge& gauge);
        ~Loading();
        Loading(const Loading&) = delete;
        Loading& operator=(const Loading&) = delete;

    private:
        TGauge& gauge_;
    };

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    GaugeLook Look() const;

    int minValue_ = 0;
    int maxValue_ = kGaugeDefaultMaxValue;
    int progress_ = 0;
    TGaugeKind kind_ = TGaugeKind::gkHorizontalBar;
    bool showText_ = true;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    QColor foreColor_ = Qt::black;
    QColor backColor_ = Qt::white;
    int loading_ = 0;
    // Measured on first use and after a font change: it reads font tables.
    mutable std::optional<WinTextMetrics> textMetrics_;
};

}  // namespace veltra
