#include "SvgWorldPainter.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPointsPerInch = 72;
constexpr int kNormalWeight = QFont::Normal;

QString Number(qreal value) {
  return QString::number(value, 'g', 7);
}

// The family a reader falls back on when it has none of the named ones.
QString GenericFamily(const QFont& font) {
  if (font.fixedPitch()) return QStringLiteral("monospace");
  switch (font.styleHint()) {
    case QFont::Serif:
      return QStringLiteral("serif");
    case QFont::TypeWriter:
    case QFont::Monospace:
      return QStringLiteral("monospace");
    case QFont::Cursive:
      return QStringLiteral("cursive");
    case QFont::Fantasy:
      return QStringLiteral("fantasy");
    default:
      return QStringLiteral("sans-serif");
  }
}

// "'Liberation Serif', serif". Further families of the font only lend glyphs that the first
// lacks (Japanese ones, for instance), which any reader finds in its own fonts as well; named,
// they would stand in for the whole text where the first is missing.
QString FamilyList(const QFont& font) {
  return QLatin1Char('\'') + font.family() + QStringLiteral("', ") + GenericFamily(font);
}

}  // namespace

SvgWorldPainter::SvgWorldPainter(const WorldFrame& frame, int dpi, const QString& title)
    : WorldPainter(frame, measures_),
      measures_(BlankPicture(WorldFrame{QSize(1, 1), frame.world, frame.background}, 1, dpi)),
      dpi_(dpi),
      xml_(&document_) {
  xml_.writeStartDocument();
  xml_.writeCharacters(QStringLiteral("\n"));
  xml_.writeStartElement(QStringLiteral("svg"));
  xml_.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
  xml_.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
  const auto millimetres = [dpi](int pixels) {
    return Number(pixels * kMillimetresPerInch / dpi) + QStringLiteral("mm");
  };
  xml_.writeAttribute(QStringLiteral("width"), millimetres(frame.size.width()));
  xml_.writeAttribute(QStringLiteral("height"), millimetres(frame.size.height()));
  xml_.writeAttribute(QStringLiteral("viewBox"),
                      QStringLiteral("0 0 %1 %2").arg(frame.size.width()).arg(frame.size.height()));
  start("title");
  xml_.writeCharacters(title);
  xml_.writeEndElement();
  start("desc");
  xml_.writeCharacters(QStringLiteral("Drawn by ") + QCoreApplication::applicationName());
  xml_.writeEndElement();
}

// One element a line. The writer's own indenting would also indent a text's end after its
// superscript, which adds blanks to a text whose blanks are kept.
void SvgWorldPainter::start(const char* element, bool empty) {
  xml_.writeCharacters(QStringLiteral("\n"));
  if (empty) {
    xml_.writeEmptyElement(QString::fromLatin1(element));
  } else {
    xml_.writeStartElement(QString::fromLatin1(element));
  }
}

QByteArray SvgWorldPainter::finish() {
  xml_.writeCharacters(QStringLiteral("\n"));
  xml_.writeEndDocument();
  return document_;
}

void SvgWorldPainter::rect(const QRectF& area, const QColor& fill) {
  start("rect", true);
  xml_.writeAttribute(QStringLiteral("x"), Number(area.x()));
  xml_.writeAttribute(QStringLiteral("y"), Number(area.y()));
  xml_.writeAttribute(QStringLiteral("width"), Number(area.width()));
  xml_.writeAttribute(QStringLiteral("height"), Number(area.height()));
  xml_.writeAttribute(QStringLiteral("fill"),
                      fill.isValid() ? fill.name() : QStringLiteral("none"));
}

// The pen's caps and joins are those of a QPainter's default pen unless told otherwise, so that
// the document looks like the image.
void SvgWorldPainter::stroke(const QColor& colour, const char* cap, const char* join) {
  xml_.writeAttribute(QStringLiteral("stroke"), colour.name());
  xml_.writeAttribute(QStringLiteral("stroke-width"), Number(lineWidth_));
  xml_.writeAttribute(QStringLiteral("stroke-linecap"), QString::fromLatin1(cap));
  xml_.writeAttribute(QStringLiteral("stroke-linejoin"), QString::fromLatin1(join));
}

// A pixel beyond the picture, as on a device: some readers round the page up to whole pixels.
void SvgWorldPainter::clear() {
  rect(QRectF(QPointF(), QSizeF(frame_.size + QSize(1, 1))), frame_.background);
}

void SvgWorldPainter::setLineWidth(qreal pixels) {
  lineWidth_ = pixels;
}

void SvgWorldPainter::setAntialiased(bool) {}

void SvgWorldPainter::point(QPointF at, const QColor& colour) {
  const QPointF centre = toPicture_.map(at);
  const QPointF half(lineWidth_ / 2, lineWidth_ / 2);
  rect(QRectF(centre - half, centre + half), colour);
}

void SvgWorldPainter::lines(std::span<const QLineF> segments, const QColor& colour) {
  QString path;
  for (const QLineF& segment : segments) {
    const QLineF line = toPicture_.map(segment);
    path += QStringLiteral("M%1 %2L%3 %4")
                .arg(Number(line.x1()), Number(line.y1()), Number(line.x2()), Number(line.y2()));
  }
  start("path", true);
  xml_.writeAttribute(QStringLiteral("d"), path);
  xml_.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
  stroke(colour, "square", "bevel");
}

void SvgWorldPainter::polyline(std::span<const QPointF> points, const QColor& colour,
                               const QList<qreal>& dashes) {
  QStringList coordinates;
  for (const QPointF& point : points) {
    const QPointF at = toPicture_.map(point);
    coordinates << Number(at.x()) + QLatin1Char(',') + Number(at.y());
  }
  start("polyline", true);
  xml_.writeAttribute(QStringLiteral("points"), coordinates.join(QLatin1Char(' ')));
  xml_.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
  stroke(colour, "butt", "round");
  if (!dashes.isEmpty()) {
    QStringList lengths;
    for (qreal dash : dashes) lengths << Number(dash * lineWidth_);
    xml_.writeAttribute(QStringLiteral("stroke-dasharray"), lengths.join(QLatin1Char(',')));
  }
}

void SvgWorldPainter::fillRect(QPointF corner, QPointF opposite, const QColor& colour) {
  rect(QRectF(toPicture_.map(corner), toPicture_.map(opposite)).normalized(), colour);
}

void SvgWorldPainter::outlineRect(QPointF corner, QPointF opposite, const QColor& colour) {
  rect(QRectF(toPicture_.map(corner), toPicture_.map(opposite)).normalized(), QColor());
  stroke(colour, "square", "bevel");
}

void SvgWorldPainter::font(const QFont& font, const QFont* around) {
  const qreal pixels =
      font.pointSizeF() > 0 ? font.pointSizeF() * dpi_ / kPointsPerInch : font.pixelSize();
  const QString families = FamilyList(font);
  if (!around || FamilyList(*around) != families) {
    xml_.writeAttribute(QStringLiteral("font-family"), families);
  }
  xml_.writeAttribute(QStringLiteral("font-size"), Number(pixels));
  if (font.weight() != kNormalWeight) {
    xml_.writeAttribute(QStringLiteral("font-weight"), QString::number(font.weight()));
  }
  if (font.italic()) xml_.writeAttribute(QStringLiteral("font-style"), QStringLiteral("italic"));
}

// The text is placed by its aligned point, and the superscript follows it wherever the
// reader's font ends it: only its rise is fixed.
void SvgWorldPainter::drawText(const PlacedText& placed, const WorldText& text,
                               const QColor& colour) {
  start("text");
  const QString x = Number(placed.aligned.x()), y = Number(placed.aligned.y());
  xml_.writeAttribute(QStringLiteral("x"), x);
  xml_.writeAttribute(QStringLiteral("y"), y);
  if (placed.horizontal & (Qt::AlignHCenter | Qt::AlignRight)) {
    xml_.writeAttribute(QStringLiteral("text-anchor"), placed.horizontal & Qt::AlignHCenter
                                                           ? QStringLiteral("middle")
                                                           : QStringLiteral("end"));
  }
  if (placed.angle != 0) {
    xml_.writeAttribute(QStringLiteral("transform"),
                        QStringLiteral("rotate(%1 %2 %3)").arg(Number(placed.angle), x, y));
  }
  font(text.font);
  xml_.writeAttribute(QStringLiteral("fill"), colour.name());
  xml_.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
  xml_.writeCharacters(text.text);
  if (!text.superscript.isEmpty()) {
    xml_.writeStartElement(QStringLiteral("tspan"));  // on the text's line
    xml_.writeAttribute(QStringLiteral("dy"), Number(-placed.superscriptRise));
    font(text.superscriptFont, &text.font);
    xml_.writeCharacters(text.superscript);
    xml_.writeEndElement();
  }
  xml_.writeEndElement();
}
