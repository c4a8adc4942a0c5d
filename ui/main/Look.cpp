#include "Look.h"

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>

namespace look {
namespace {

// The lists' font, the only one opened at start that has Japanese glyphs.
const QString kCjkFamily = QStringLiteral("Noto Sans Mono CJK JP");

}  // namespace

QFont SerifFont(double points) {
  QFont font(QStringLiteral("Times New Roman"));
  font.setStyleHint(QFont::Serif);
  // Glyphs the serif face lacks, such as the legend's "：", come from the face the lists open
  // anyway, not from a second CJK face of the same collection (2.5 MiB and millions of
  // instructions at start). A family list is searched in order, so it must begin with the
  // family the system really puts in the place of "Times New Roman".
  static const QString serifFamily = QFontInfo(font).family();
  font.setFamilies({serifFamily, kCjkFamily});
  font.setPointSizeF(points);
  return font;
}

QFont FixedPitchFont(double points) {
  QFont font(kCjkFamily);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPointSizeF(points);
  return font;
}

void Place(QWidget& control, const char* name, QRect geometry) {
  control.setObjectName(QString::fromLatin1(name));
  control.setGeometry(geometry);
}

void SetColour(QWidget& control, QPalette::ColorRole role, QRgb colour) {
  QPalette palette = control.palette();
  palette.setColor(role, QColor(colour));
  control.setPalette(palette);
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text, QRect geometry,
                    double points) {
  auto* button = new QPushButton(text, parent);
  Place(*button, name, geometry);
  button->setFont(SerifFont(points));
  SetColour(*button, QPalette::Button, kButtonColour);
  // Enter presses the focused button, not only Space.
  button->setAutoDefault(true);
  return button;
}

QLabel* Label(QWidget* parent, const char* name, const QString& text, QRect geometry,
              const QFont& font, QRgb colour) {
  auto* label = new QLabel(text, parent);
  Place(*label, name, geometry);
  label->setFont(font);
  SetColour(*label, QPalette::WindowText, colour);
  return label;
}

}  // namespace look
