#pragma once

#include <QPixmap>
#include <QPushButton>

namespace veltra {

// A push button with a picture above its caption, 4 pixels apart, the pair
// centred in the button. While it has the focus it shows its focus ring and
// Enter presses it, as Space does.
class BitBtn : public QPushButton {
    Q_OBJECT
public:
    BitBtn(const QString& caption, const QPixmap& glyph, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The picture in the pixels of a screen of the given ratio.
    const QPixmap& GlyphAt(qreal ratio);

    QPixmap glyph_;
    QPixmap scaledGlyph_;
};

}  // namespace veltra
