#pragma once

#include <QWidget>

namespace veltra {

// A label as the window's layout was designed with: transparent, sized to its
// text with Windows text metrics (13 pixels high for Tahoma 8 pt), drawn
// greyed and deaf to clicks while disabled, and clickable like a button when
// enabled.
class WinLabel : public QWidget {
    Q_OBJECT
public:
    WinLabel(const QString& text, QWidget* parent);

    QString text() const { return text_; }
    void setText(const QString& text);

    // Keeps the label at the width the layout was designed with rather than
    // its text's: the Tahoma found here measures some texts a few pixels
    // wider or narrower. Text wider than the label is drawn condensed to fit.
    void SetDesignedWidth(int width);

signals:
    void clicked();
    // The text changed, and with it the label's width.
    void textChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FitToText();
    QFont TextFont() const;

    QString text_;
    int designedWidth_ = 0;
    bool pressed_ = false;
};

}  // namespace veltra
