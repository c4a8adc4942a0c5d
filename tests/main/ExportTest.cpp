#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QXmlStreamReader>
#include <QtTest>
#include <fstream>

#include "MainWindowRig.h"
#include "PdfText.h"
#include "PrintFigure.h"
#include "QtDialogs.h"

namespace fs = std::filesystem;

namespace {

enum Entry { kCopy, kSave, kSaveForPrint };

// The texts of an SVG document with what a reader needs to place them: the font families of
// each, and the rise of a superscript ("" without one).
struct SvgText {
  QString text;
  QString families;
  QString superscript;
  double rise = 0;
};

QList<SvgText> SvgTexts(const QByteArray& document) {
  QList<SvgText> texts;
  QXmlStreamReader svg(document);
  bool inText = false;
  while (!svg.atEnd()) {
    const auto token = svg.readNext();
    if (token == QXmlStreamReader::StartElement && svg.name() == u"text") {
      texts.append({{}, svg.attributes().value("font-family").toString(), {}, 0});
      inText = true;
    } else if (token == QXmlStreamReader::StartElement && svg.name() == u"tspan") {
      texts.last().rise = -svg.attributes().value("dy").toDouble();
      texts.last().superscript = svg.readElementText();
    } else if (token == QXmlStreamReader::EndElement && svg.name() == u"text") {
      inText = false;
    } else if (token == QXmlStreamReader::Characters && inText) {
      texts.last().text += svg.text();
    }
  }
  if (svg.hasError()) qFatal("%s", qPrintable(svg.errorString()));
  return texts;
}

// Copper loaded; menus and file dialogs are answered by the script.
struct ExportRig : MainWindowRig {
  ExportRig() { load("File1", "Cu.xfs"); }
  // Ctrl+C as the user presses it: the list has the focus in the active window.
  void pressCopyInTheList() {
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    list().setFocus();
    QTest::keyClick(&list(), Qt::Key_C, Qt::ControlModifier);
  }
  // Returns what was written, where a name is taken in the working folder.
  QByteArray save(QWidget& control, const fs::path& name, Entry entry = kSave) {
    const fs::path path = workspace.root() / name;
    dialogs.answer(QString::fromStdString(path.string()));
    dialogs.choose(entry);
    emit control.customContextMenuRequested({});
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

}  // namespace

class ExportTest : public QObject {
  Q_OBJECT
 private slots:
  // By right click, the Menu key or Shift+F10: the list's menu opens under its current row, the
  // graph's, which Tab reaches, in its middle. The copy entries show their key.
  void menusOpenByPointerOrKeysAndOfferTheirEntriesOnlyOnceATableIsLoaded() {
    MainWindowRig rig;
    emit rig.graph().customContextMenuRequested({});
    rig.load("File1", "Cu.xfs");
    emit rig.list().customContextMenuRequested({});
    const auto& menus = rig.dialogs.menus();
    QCOMPARE(menus[0].entries,
             QStringList({"Copy Graph\tCtrl+C", "Save Graph As…", "Save Figure for Print As…"}));
    QCOMPARE(menus[1].entries, QStringList({"Copy Table\tCtrl+C", "Save Table As…"}));
    QVERIFY(!menus[0].enabled && menus[1].enabled);

    rig.form->show();
    QVERIFY(QTest::qWaitForWindowActive(rig.form.get()));
    QListWidget& list = rig.list();
    list.setFocus();
    list.setCurrentRow(40);
    list.scrollToTop();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, {});
    QApplication::sendEvent(&list, &menuKey);
    QTest::keyClick(&list, Qt::Key_F10, Qt::ShiftModifier);
    const QRect row = list.visualItemRect(list.item(40));
    QVERIFY(list.viewport()->rect().contains(row));
    for (int shown : {2, 3})
      QCOMPARE(menus[shown].at, list.viewport()->mapToGlobal(row.bottomLeft()));

    rig.get("Command5").setFocus();
    QTest::keyClick(&rig.get("Command5"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &rig.graph());
    QTest::keyClick(&rig.graph(), Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(menus.size(), 5);
    QCOMPARE(menus[4].at, rig.graph().mapToGlobal(rig.graph().rect().center()));
  }

  void tablesGoOutRowForRowInEachFormat() {
    ExportRig rig;
    rig.pressCopyInTheList();
    const QString copied = QGuiApplication::clipboard()->text();
    const QStringList lines = copied.split('\n');
    QCOMPARE(lines.mid(0, 2), QStringList({"# Cu: x = sin(θ/2)/λ in 1/Å", "x\tF(x)\tS(x)"}));
    QCOMPARE(lines.size(), 2 + 45 + 1);
    for (int row = 1; row <= 45; ++row) {
      const QStringList fields = lines[row + 1].split('\t');
      QCOMPARE(fields[0].toDouble(), rig.module.Table.x[row]);
      QCOMPARE(fields[1].toDouble(), rig.module.Table.F[row]);
      QCOMPARE(fields[2].toDouble(), rig.module.Table.S[row]);
    }
    QCOMPARE(rig.save(rig.list(), "Cu.csv"), QString(copied).replace('\t', ',').toUtf8());
    QCOMPARE(rig.dialogs.fileQuestions().last().defaultPath,
             QString::fromStdString((rig.workspace.root() / "Cu.csv").string()));
    QCOMPARE(rig.save(rig.list(), "Cu.txt"), copied.toUtf8());
    QFile shipped(Workspace::shippedElement("Cu.xfs"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QCOMPARE(rig.save(rig.list(), "copy.xfs"), shipped.readAll());
  }

  void graphsGoOutAsImageAndAsVectors() {
    ExportRig rig;
    const QSize doubled = rig.graph().frame().size * 2;
    const QImage png = QImage::fromData(rig.save(rig.graph(), "Cu.png"));
    QCOMPARE(png.size(), doubled);
    QSet<QRgb> colours;
    for (int y = 0; y < png.height(); ++y) {
      for (int x = 0; x < png.width(); ++x) colours << png.pixel(x, y);
    }
    QVERIFY(colours.contains(qRgb(255, 0, 0)) && colours.contains(qRgb(255, 255, 0)));
    rig.dialogs.choose(kCopy);
    emit rig.graph().customContextMenuRequested({});
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), doubled);
    QCOMPARE(copied.dotsPerMeterX(), png.dotsPerMeterX());

    const QByteArray svg = rig.save(rig.graph(), "Cu.svg");
    QXmlStreamReader reader(svg);
    QStringList strokes;
    while (!reader.atEnd()) {
      if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"path")
        strokes << reader.attributes().value("stroke").toString();
    }
    QVERIFY(strokes.contains("#ff0000") && strokes.contains("#ffff00"));
    QStringList texts;
    for (const SvgText& text : SvgTexts(svg)) texts << text.text + "^" + text.superscript;
    for (const char* label : {"Momentum transfer,  x^", "Fm(x)^", "Sm(x)^", "10^-3", "10^3"}) {
      QVERIFY2(texts.contains(label), label);
    }
    const QByteArray pdf = rig.save(rig.graph(), "Cu.PDF");
    QVERIFY(pdf.startsWith("%PDF") && pdf.contains("/Font"));
    QVERIFY(!pdf.contains("/Subtype /Image"));
  }

  // Black on white with anti-aliased curves, the table's name and the axes' titles as text, and
  // an SVG that reads the same with any font: each family list ends in a generic family, and
  // every exponent is raised where the text before it ends. Another graph's linear axis gets
  // round steps.
  void figuresForPrintAreBlackOnWhiteNamedAndReadAnywhere() {
    ExportRig rig;
    const QImage png = QImage::fromData(rig.save(rig.graph(), "Cu.png", kSaveForPrint));
    QCOMPARE(png.size(), QSize(1800, 1350));
    qsizetype white = 0;
    QSet<QRgb> redOnWhite;  // the F curve's dark red blended with the paper
    for (int y = 0; y < png.height(); ++y) {
      for (int x = 0; x < png.width(); ++x) {
        const QRgb pixel = png.pixel(x, y);
        white += pixel == qRgb(255, 255, 255);
        if (qRed(pixel) > qGreen(pixel) && qGreen(pixel) == qBlue(pixel) && qGreen(pixel) > 0)
          redOnWhite << pixel;
      }
    }
    QVERIFY(white > png.width() * png.height() * 8 / 10);
    QVERIFY(redOnWhite.size() > 20);

    const QStringList titles{"Cu", "x = sin(θ/2)/λ (1/Å)", "F(x), S(x)"};
    QStringList texts, exponents;
    for (const SvgText& text : SvgTexts(rig.save(rig.graph(), "Cu.svg", kSaveForPrint))) {
      texts << text.text;
      QVERIFY2(text.families.endsWith(", serif"), qPrintable(text.families));
      if (text.text == "10" && text.rise > 0) exponents << text.superscript;
    }
    for (const QString& text : titles + QStringList{print_figure::kDataSource})
      QVERIFY2(texts.contains(text), qPrintable(text));
    QCOMPARE(exponents,
             QStringList({"−3", "−2", "−1", "0", "1", "2", "3", "−3", "−2", "−1", "0", "1", "2"}));
    const QString pdf = PdfText(rig.save(rig.graph(), "Cu.pdf", kSaveForPrint));
    for (const QString& text : titles) QVERIFY2(pdf.contains(text), qPrintable(pdf));

    const print_figure::Figure angles{
        {}, {"θ (°)", 0, 180, false}, {"dσ/dΩ", 1e-2, 1e2, true}, {}, {}};
    const auto svg = graph_export::FileContents(
        "svg", print_figure::Sheet(),
        [&angles](WorldPainter& painter) { print_figure::Paint(painter, angles); }, {});
    texts.clear();
    for (const SvgText& text : SvgTexts(svg->value())) texts << text.text;
    for (const char* step : {"0", "20", "100", "180"}) QVERIFY2(texts.contains(step), step);
  }

  // Qt's own dialog would take a"b.csv for the names a and b.csv, and save as b.csv.
  void theSaveDialogTakesQuotesInANameAndReturnsToTheFolderSavedToLast() {
    Workspace workspace;
    const QString there = QString::fromStdString((workspace.root() / "there").string());
    QVERIFY(QDir().mkpath(there));
    QtDialogs dialogs;
    QString opened;
    const auto typeName = [&opened](const QString& typed) {
      QTimer::singleShot(0, [&opened, typed] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        opened = dialog->directory().absolutePath();
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        name->setText(typed);
        QTest::keyClick(name, Qt::Key_Return);
      });
    };
    const QString root = QString::fromStdString(workspace.root().string());
    typeName(there + "/a\"b");
    QCOMPARE(dialogs.saveFileName("Save Table As", root + "/Cu.csv", {"Values (*.csv)"}),
             there + "/a\"b.csv");
    typeName("Cu.png");
    QCOMPARE(dialogs.saveFileName("Save Graph As", root + "/Cu.png", {"Image (*.png)"}),
             there + "/Cu.png");
    QCOMPARE(opened, there);
  }

  void aFailedSaveSaysWhyAndLeavesNothingBehind() {
    ExportRig rig;
    std::ofstream(rig.workspace.root() / "plain") << "a file, not a folder";
    const auto before = std::distance(fs::recursive_directory_iterator(rig.workspace.root()), {});
    rig.save(rig.graph(), "plain/Cu.png");
    rig.save(rig.list(), "Cu.ods");
    QCOMPARE(std::distance(fs::recursive_directory_iterator(rig.workspace.root()), {}), before);
    const auto& messages = rig.dialogs.messages();
    QCOMPARE(messages.size(), 2);
    QVERIFY(messages[0].text.contains("plain/Cu.png") &&
            messages[0].text.contains("Not a directory"));
    QVERIFY(messages[1].text.contains("Cu.ods"));
  }
};

QTEST_MAIN(ExportTest)
#include "ExportTest.moc"
