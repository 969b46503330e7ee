#include "tgauge.h"

#include "gauge_arithmetic.h"
#include "gauge_painter.h"
#include "invalid_operation.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>
#include <limits>
#include <string>

namespace veltra {
namespace {

// Computed in 64 bits: the bound next to an extreme one lies outside the
// 32-bit range and must not wrap around into a misleading message.
[[noreturn]] void RefuseBounds(std::int64_t low, std::int64_t high) {
    throw EInvalidOperation("Value must be between " + std::to_string(low) + " and " +
                            std::to_string(high));
}

// The lowest value the refusal messages offer; one above the 32-bit minimum.
constexpr std::int64_t kLowestOffered = -std::numeric_limits<int>::max();

template <typename T>
bool Store(T& field, const T& value) {
    if (field == value) {
        return false;
    }
    field = value;
    return true;
}

}  // namespace

TGauge::TGauge(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted, so Qt need not clear the background first:
    // clearing it would flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(100, 100);
}

int TGauge::Percent() const {
    // The differences are taken in 64 bits: with bounds far apart they do not
    // fit in 32, and a wrapped difference would show a nonsense percentage.
    const std::int64_t percent =
        PercentOf(std::int64_t{progress_} - minValue_, std::int64_t{maxValue_} - minValue_);
    return static_cast<int>(std::clamp<std::int64_t>(percent, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

void TGauge::SetMinValue(int value) {
    if (value == minValue_) {
        return;
    }
    if (value > maxValue_ && loading_ == 0) {
        RefuseBounds(kLowestOffered, std::int64_t{maxValue_} - 1);
    }
    minValue_ = value;
    if (progress_ < value) {
        progress_ = value;
    }
    repaint();
}

void TGauge::SetMaxValue(int value) {
    if (value == maxValue_) {
        return;
    }
    if (value < minValue_ && loading_ == 0) {
        RefuseBounds(std::int64_t{minValue_} + 1, std::numeric_limits<int>::max());
    }
    maxValue_ = value;
    if (progress_ > value) {
        progress_ = value;
    }
    repaint();
}

void TGauge::SetProgress(int value) {
    const int before = Percent();
    if (value < minValue_) {
        value = minValue_;
    } else if (value > maxValue_) {
        value = maxValue_;
    }
    if (value == progress_) {
        return;
    }
    progress_ = value;
    if (Percent() != before) {
        repaint();
    }
}

void TGauge::SetKind(TGaugeKind value) {
    if (Store(kind_, value)) {
        repaint();
    }
}

void TGauge::SetShowText(bool value) {
    if (Store(showText_, value)) {
        repaint();
    }
}

void TGauge::SetBorderStyle(TBorderStyle value) {
    if (Store(borderStyle_, value)) {
        repaint();
    }
}

void TGauge::SetForeColor(const QColor& value) {
    if (Store(foreColor_, value)) {
        repaint();
    }
}

void TGauge::SetBackColor(const QColor& value) {
    if (Store(backColor_, value)) {
        repaint();
    }
}

TGauge::Loading::Loading(TGauge& gauge) : gauge_(gauge) {
    ++gauge_.loading_;
}

TGauge::Loading::~Loading() {
    --gauge_.loading_;
}

GaugeLook TGauge::Look() const {
    if (!textMetrics_) {
        textMetrics_ = MeasureWinText(font());
    }
    GaugeLook look;
    look.kind = kind_;
    look.showText = showText_;
    look.borderStyle = borderStyle_;
    look.foreColor = foreColor_;
    look.backColor = backColor_;
    look.color = palette().color(backgroundRole());
    look.percent = Percent();
    look.font = font();
    look.textMetrics = *textMetrics_;
    return look;
}

void TGauge::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    PaintGauge(painter, Look(), size(), devicePixelRatioF());
}

void TGauge::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        textMetrics_.reset();
    }
    QWidget::changeEvent(event);
}

}  // namespace veltra
