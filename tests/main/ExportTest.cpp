#include <QClipboard>
#include <QGuiApplication>
#include <QXmlStreamReader>
#include <QtTest>

#include "MainWindowRig.h"

namespace fs = std::filesystem;

namespace {

enum Entry { kCopy, kSave };

// Copper loaded; menus and file dialogs are answered by the script.
struct ExportRig : MainWindowRig {
  // Ctrl+C as the user presses it: the list has the focus in the active window.
  void pressCopyInTheList() {
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    list().setFocus();
    QTest::keyClick(&list(), Qt::Key_C, Qt::ControlModifier);
  }
  void pick(QWidget& control, int entry) {
    dialogs.choose(entry);
    emit control.customContextMenuRequested(QPoint(5, 5));
  }
  QByteArray save(QWidget& control, const fs::path& path) {
    dialogs.answer(QString::fromStdString(path.string()));
    pick(control, kSave);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  QByteArray save(QWidget& control, const char* name) {
    return save(control, workspace.root() / name);
  }
};

struct LoadedCopper : ExportRig {
  LoadedCopper() { load("File1", "Cu.xfs"); }
};

// The stroke colour of every path and the text of every text element, as the SVG nests them.
void ReadSvg(const QByteArray& svg, QStringList& pathColours, QStringList& texts) {
  QXmlStreamReader xml(svg);
  QStringList strokes{""};
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::EndElement && xml.name() == u"g") strokes.removeLast();
    if (!xml.isStartElement()) continue;
    const QString stroke = xml.attributes().value("stroke").toString();
    if (xml.name() == u"g") strokes << (stroke.isEmpty() ? strokes.last() : stroke);
    if (xml.name() == u"path") pathColours << strokes.last();
    if (xml.name() == u"text") texts << xml.readElementText();
  }
  QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
}

}  // namespace

class ExportTest : public QObject {
  Q_OBJECT
 private slots:
  void menusOfferTheirEntriesOnlyOnceATableIsLoaded() {
    ExportRig rig;
    QGuiApplication::clipboard()->setText("before");
    rig.dialogs.choose(kCopy);
    emit rig.graph().customContextMenuRequested({});
    rig.pressCopyInTheList();
    QCOMPARE(QGuiApplication::clipboard()->text(), "before");
    rig.load("File1", "Cu.xfs");
    emit rig.list().customContextMenuRequested({});
    const auto& menus = rig.dialogs.menus();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[0].entries, QStringList({"Copy Graph", "Save Graph As…"}));
    QCOMPARE(menus[1].entries, QStringList({"Copy Table", "Save Table As…"}));
    QVERIFY(!menus[0].enabled && menus[1].enabled);
  }

  void tablesGoOutRowForRowInEachFormat() {
    LoadedCopper rig;
    rig.pressCopyInTheList();
    const QString copied = QGuiApplication::clipboard()->text();
    const QStringList lines = copied.split('\n');
    QCOMPARE(lines.mid(0, 2), QStringList({"# Cu: x = sin(θ/2)/λ in 1/Å", "x\tF(x)\tS(x)"}));
    QCOMPARE(lines.size(), 2 + 45 + 1);
    for (int row = 1; row <= 45; ++row) {
      const QStringList fields = lines[row + 1].split('\t');
      const double values[] = {rig.module.Table.x[row], rig.module.Table.F[row],
                               rig.module.Table.S[row]};
      for (int column = 0; column < 3; ++column)
        QCOMPARE(fields[column].toDouble(), values[column]);
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
    LoadedCopper rig;
    const QSize doubled = rig.graph().frame().size * 2;
    const QImage png = QImage::fromData(rig.save(rig.graph(), "Cu.png"));
    QCOMPARE(png.size(), doubled);
    for (QColor curve : {QColor(255, 0, 0), QColor(255, 255, 0)}) {
      bool found = false;
      for (int y = 0; y < png.height() && !found; ++y) {
        for (int x = 0; x < png.width() && !found; ++x) found = png.pixelColor(x, y) == curve;
      }
      QVERIFY(found);
    }
    rig.pick(rig.graph(), kCopy);
    QCOMPARE(QGuiApplication::clipboard()->image().size(), doubled);

    QStringList pathColours, texts;
    ReadSvg(rig.save(rig.graph(), "Cu.svg"), pathColours, texts);
    QVERIFY(pathColours.contains("#ff0000") && pathColours.contains("#ffff00"));
    for (const char* label : {"Momentum transfer,  x", "Fm(x)", "Sm(x)", "10", "-3"}) {
      QVERIFY2(texts.contains(label), label);
    }
    const QByteArray pdf = rig.save(rig.graph(), "Cu.PDF");
    QVERIFY(pdf.startsWith("%PDF") && pdf.contains("/Font"));
    QVERIFY(!pdf.contains("/Subtype /Image"));
  }

  void aFailedSaveSaysWhyAndLeavesNothingBehind() {
    LoadedCopper rig;
    QFile(QString::fromStdString((rig.workspace.root() / "plain").string()))
        .open(QIODevice::WriteOnly);
    const auto before = std::distance(fs::recursive_directory_iterator(rig.workspace.root()), {});
    rig.save(rig.graph(), rig.workspace.root() / "plain" / "Cu.png");
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
