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

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FitToText();

    QString text_;
    bool pressed_ = false;
};

}  // namespace veltra
