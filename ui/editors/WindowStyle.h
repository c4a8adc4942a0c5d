#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPushButton>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

// Look shared by the New Data chooser and the two editors.
namespace window_style {

// Their captions and prompts are largely Japanese, so every text uses a CJK font.
inline QFont japaneseFont(double pointSize) {
  QFont font("Noto Sans CJK JP");
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(pointSize);
  return font;
}

// A top-level window of fixed client size with a close control but no minimise or maximise.
inline void makeFixedWindow(QWidget& window, const QString& caption, QSize clientSize) {
  window.setWindowTitle(caption);
  window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
  window.setFixedSize(clientSize);
}

// Buttons are light yellow throughout the program.
inline QPushButton* lightYellowButton(const QString& caption, QRect where, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setGeometry(where);
  QPalette palette = button->palette();
  palette.setColor(QPalette::Button, QColor(255, 255, 192));
  button->setPalette(palette);
  return button;
}

}  // namespace window_style
