#pragma once

#include <QFont>
#include <QPalette>
#include <QRect>
#include <QRgb>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// The colours, fonts and control builders that give XScatter's windows their common look.
namespace look {

inline constexpr QRgb kButtonColour = qRgb(255, 255, 192);
inline constexpr QRgb kReadOutColour = qRgb(192, 255, 255);
inline constexpr QRgb kCaptionColour = qRgb(0, 0, 192);
inline constexpr QRgb kReferenceColour = qRgb(0, 0, 255);
inline constexpr QRgb kNoticeColour = qRgb(64, 64, 64);

// "Times New Roman", or whatever the system puts in its place (Liberation Serif on Debian).
QFont SerifFont(double points);

// A fixed-pitch font whose Latin glyphs are half an em wide, so that a 33-character table row
// fits the table list, and which has Japanese glyphs for file names.
QFont FixedPitchFont(double points);

// Names a control as the design does and puts it at its fixed place.
void Place(QWidget& control, const char* name, QRect geometry);

void SetColour(QWidget& control, QPalette::ColorRole role, QRgb colour);

QPushButton* Button(QWidget* parent, const char* name, const QString& text, QRect geometry,
                    double points);

QLabel* Label(QWidget* parent, const char* name, const QString& text, QRect geometry,
              const QFont& font, QRgb colour = kCaptionColour);

}  // namespace look
