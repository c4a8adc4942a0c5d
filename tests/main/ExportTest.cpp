#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QXmlStreamReader>
#include <QtTest>
#include <fstream>

#include "MainWindowRig.h"
#include "QtDialogs.h"

namespace fs = std::filesystem;

namespace {

enum Entry { kCopy, kSave };

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
  QByteArray save(QWidget& control, const fs::path& name) {
    const fs::path path = workspace.root() / name;
    dialogs.answer(QString::fromStdString(path.string()));
    dialogs.choose(kSave);
    emit control.customContextMenuRequested({});
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

}  // namespace

class ExportTest : public QObject {
  Q_OBJECT
 private slots:
  void menusOfferTheirEntriesOnlyOnceATableIsLoaded() {
    MainWindowRig rig;
    emit rig.graph().customContextMenuRequested({});
    rig.load("File1", "Cu.xfs");
    emit rig.list().customContextMenuRequested({});
    const auto& menus = rig.dialogs.menus();
    QCOMPARE(menus[0].entries, QStringList({"Copy Graph", "Save Graph As…"}));
    QCOMPARE(menus[1].entries, QStringList({"Copy Table", "Save Table As…"}));
    QVERIFY(!menus[0].enabled && menus[1].enabled);
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
    QCOMPARE(QGuiApplication::clipboard()->image().size(), doubled);

    // The generator gives each run of drawing a group of its own that carries the whole pen.
    QXmlStreamReader svg(rig.save(rig.graph(), "Cu.svg"));
    QStringList pathColours, texts;
    QString stroke;
    while (!svg.atEnd()) {
      if (svg.readNext() != QXmlStreamReader::StartElement) continue;
      if (svg.name() == u"g") stroke = svg.attributes().value("stroke").toString();
      if (svg.name() == u"path") pathColours << stroke;
      if (svg.name() == u"text") texts << svg.readElementText();
    }
    QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
    QVERIFY(pathColours.contains("#ff0000") && pathColours.contains("#ffff00"));
    for (const char* label : {"Momentum transfer,  x", "Fm(x)", "Sm(x)", "10", "-3"}) {
      QVERIFY2(texts.contains(label), label);
    }
    const QByteArray pdf = rig.save(rig.graph(), "Cu.PDF");
    QVERIFY(pdf.startsWith("%PDF") && pdf.contains("/Font"));
    QVERIFY(!pdf.contains("/Subtype /Image"));
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
