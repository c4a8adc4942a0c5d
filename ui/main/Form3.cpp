#include "Form3.h"

#include <QLabel>
#include <QPushButton>

#include "Look.h"

namespace {

constexpr double kTextPoints = 15.75;
constexpr int kLineHeight = 23;

struct ReferenceLine {
  QPoint at;
  const char* text;
  bool italic = false;
};

constexpr ReferenceLine kLines[] = {
    {{32, 24}, "Data reference", true},
    {{24, 64}, "Atomic form factors, incoherent scattering functions,"},
    {{32, 88}, "and photon scattering cross sections"},
    // The first three of six authors, so that the line fits at the size of the others.
    {{24, 120}, "J. H. Hubbell, Wm. J. Veigele, E. A. Briggs, et al."},
    {{24, 144}, "Journal of Physical and Chemical Reference Data"},
    {{208, 168}, "4 (3), 471 - 538, (1975)"},
};

}  // namespace

Form3::Form3(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("Reference"));
  setFixedSize(489, 252);
  int line = 0;
  for (const ReferenceLine& text : kLines) {
    QFont font = look::SerifFont(kTextPoints);
    font.setItalic(text.italic);
    const QRect geometry(text.at, QSize(width() - text.at.x(), kLineHeight));
    const QByteArray name = "Label" + QByteArray::number(++line);
    look::Label(this, name.constData(), QString::fromUtf8(text.text), geometry, font,
                look::kReferenceColour);
  }
  Command1 = look::Button(this, "Command1", QStringLiteral("Close"), QRect(392, 208, 65, 25), 9);
  connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
}

void Form3::Command1_Click() {
  hide();
}
