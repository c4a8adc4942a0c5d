#pragma once

#include <QByteArray>
#include <QHash>
#include <QRegularExpression>
#include <QString>
#include <QtEndian>

// The texts a PDF of QPdfWriter draws, in drawing order and run together, each glyph turned back
// into its character through its font's ToUnicode map. It knows only as much of PDF as
// QPdfWriter writes: Flate content streams, "<glyphs> Tj" and maps of "<first> <last> [<u> ...]".
inline QString PdfText(const QByteArray& pdf) {
  const QString text = QString::fromLatin1(pdf);  // one character a byte, so offsets agree
  const auto glyphs = [](const QString& hex) {
    QList<int> codes;
    for (qsizetype i = 0; i + 4 <= hex.size(); i += 4) codes << hex.mid(i, 4).toInt(nullptr, 16);
    return codes;
  };
  QHash<QString, QHash<int, QString>> fonts;  // resource name, glyph, characters
  static const QRegularExpression resource(R"(/(F\d+) (\d+) 0 R)"), map(R"(/ToUnicode (\d+) 0 R)"),
      range(R"(<(\w+)> <\w+> \[([^\]]*)\])"), code(R"(<(\w+)>)");
  for (const auto& font : resource.globalMatch(text)) {
    const qsizetype at = text.indexOf(font.captured(2) + " 0 obj");
    const auto unicode = map.match(text, at);
    const qsizetype cmap = text.indexOf(unicode.captured(1) + " 0 obj");
    const QString body = text.mid(cmap, text.indexOf("endobj", cmap) - cmap);
    for (const auto& run : range.globalMatch(body)) {
      int glyph = run.captured(1).toInt(nullptr, 16);
      for (const auto& characters : code.globalMatch(run.captured(2))) {
        QString& mapped = fonts[font.captured(1)][glyph++];
        for (int unit : glyphs(characters.captured(1))) mapped += QChar(unit);
      }
    }
  }
  static const QRegularExpression stream(R"(/FlateDecode\s*>>\s*stream\r?\n)"),
      show(R"(/(F\d+) [\d.]+ Tf|<(\w+)> Tj)");
  QString drawn;
  for (const auto& start : stream.globalMatch(text)) {
    const qsizetype from = start.capturedEnd();
    QByteArray packed(4, '\0');
    qToBigEndian<quint32>(1 << 20, packed.data());
    const QString content = QString::fromLatin1(
        qUncompress(packed + pdf.mid(from, text.indexOf("endstream", from) - from)));
    QString font;
    for (const auto& step : show.globalMatch(content)) {
      if (!step.captured(1).isEmpty()) font = step.captured(1);
      for (int glyph : glyphs(step.captured(2))) drawn += fonts[font].value(glyph);
    }
  }
  // A blank shares its glyph with the tab, whose code comes first in the map.
  return drawn.replace(QLatin1Char('\t'), QLatin1Char(' '));
}
