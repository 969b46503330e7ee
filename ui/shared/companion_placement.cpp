#include "companion_placement.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QScreen>
#include <algorithm>

namespace veltra {
namespace {

QMargins FrameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

bool IsFramed(const QWidget& window) {
    return window.frameGeometry().size() != window.size();
}

QWidget* OwnerOf(QObject* watched) {
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (dialog == nullptr || !dialog->isWindow() || dialog->parentWidget() == nullptr) {
        return nullptr;
    }
    return dialog->parentWidget()->window();
}

// Moves the window so that its frame, as far as it is known, lies centred
// over its owner's. Qt's move takes the frame's corner once the window is
// framed and the client area's before.
void Centre(QWidget& window, const QWidget& owner) {
    const bool framed = IsFramed(window);
    const QMargins frame = FrameMargins(framed ? window : owner);
    const QScreen* screen = owner.screen();
    const QPoint desktopTopLeft =
        screen != nullptr ? screen->availableVirtualGeometry().topLeft() : QPoint();
    const QPoint frameTopLeft =
        CentredFrameTopLeft(owner.frameGeometry(), window.size(), frame, desktopTopLeft);
    const QPoint target = framed ? frameTopLeft : frameTopLeft + QPoint(frame.left(), frame.top());
    if (window.pos() != target) {
        window.move(target);
    }
}

}  // namespace

QPoint CentredFrameTopLeft(const QRect& ownerFrame, const QSize& size, const QMargins& frame,
                           const QPoint& desktopTopLeft) {
    const QSize outer = size.grownBy(frame);
    const int x = ownerFrame.x() + (ownerFrame.width() - outer.width()) / 2;
    const int y = ownerFrame.y() + (ownerFrame.height() - outer.height()) / 2;
    return {std::max(x, desktopTopLeft.x()), std::max(y, desktopTopLeft.y())};
}

CompanionPlacement::CompanionPlacement() {
    qApp->installEventFilter(this);
}

CompanionPlacement::~CompanionPlacement() {
    qApp->removeEventFilter(this);
}

bool CompanionPlacement::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // Qt learns the frame when the window manager has framed the window,
    // which it reports with no event of its own: by the first paint it is known.
    if (type != QEvent::Show && type != QEvent::Move && type != QEvent::Paint &&
        type != QEvent::Hide) {
        return false;
    }
    QWidget* owner = OwnerOf(watched);
    if (owner == nullptr) {
        return false;
    }
    auto* window = static_cast<QWidget*>(watched);
    const auto awaiting = std::find(awaitingFrame_.begin(), awaitingFrame_.end(), window);
    if (type == QEvent::Show) {
        Centre(*window, *owner);
        if (!IsFramed(*window) && awaiting == awaitingFrame_.end()) {
            awaitingFrame_.emplace_back(window);
        }
    } else if (awaiting != awaitingFrame_.end() && (type == QEvent::Hide || IsFramed(*window))) {
        awaitingFrame_.erase(awaiting);
        if (type != QEvent::Hide) {
            Centre(*window, *owner);
        }
    }
    std::erase(awaitingFrame_, nullptr);
    return false;
}

}  // namespace veltra
