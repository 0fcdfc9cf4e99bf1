// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QWidget>

namespace lumora::ui {

// A small picture that works as a link: a left click that ends on it, or
// click(), emits clicked(). It is drawn from the bitmap of the picture that
// suits the screen's scale, so it stays sharp at 150 % and 200 %.
class PictureLink : public QWidget {
    Q_OBJECT

  public:
    // The picture's bitmaps, one per scale, and its size in logical pixels.
    PictureLink(const QIcon& picture, const QSize& size, QWidget* parent);

  public slots:
    // Does what a click does.
    void click();

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QIcon m_picture;
    bool m_pressed = false; // the left button went down on the picture
};

} // namespace lumora::ui
