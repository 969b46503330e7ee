#pragma once

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <vector>

class QWidget;

namespace veltra {

// Where a window of `size` (client area) in a frame of `frame` goes to lie
// centred over its owner's outer frame, never left of or above the
// desktop's top-left corner: the top-left corner of its own outer frame.
// Halves truncate toward zero.
QPoint CentredFrameTopLeft(const QRect& ownerFrame, const QSize& size, const QMargins& frame,
                           const QPoint& desktopTopLeft);

// Centres every dialog the program shows (its companion windows, message
// boxes and file dialogs) over the outer frame of the window that owns it,
// while it lives. A window manager frames a window only once it is mapped,
// and until then a move places the client area, not the frame: so a dialog
// is first placed with its owner's frame as the guess at its own, and placed
// again once its real frame is known, should the guess be wrong.
class CompanionPlacement : public QObject {
public:
    CompanionPlacement();
    ~CompanionPlacement() override;

    CompanionPlacement(const CompanionPlacement&) = delete;
    CompanionPlacement& operator=(const CompanionPlacement&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QPointer<QWidget>> awaitingFrame_;
};

}  // namespace veltra
