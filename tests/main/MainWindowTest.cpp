#include <sys/stat.h>

#include <QLabel>
#include <QStyledItemDelegate>
#include <QtTest>

#include "MainWindowRig.h"

namespace fs = std::filesystem;

namespace {

const QStringList kEmpty{"", "", ""};

float Coordinate(double v) {
  return float(*xscatter::GraphCoordinate(v));
}

QStringList Rows(const QListWidget& list) {
  QStringList rows;
  for (int row = 0; row < list.count(); ++row) rows << list.item(row)->text();
  return rows;
}

bool WithinAStep(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return false;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > 1 || std::abs(qGreen(p) - qGreen(q)) > 1 ||
          std::abs(qBlue(p) - qBlue(q)) > 1)
        return false;
    }
  }
  return true;
}

// Cu: list row 11 is x = 0.1, row 12 is x = 0.125.
struct LoadedCopper : MainWindowRig {
  LoadedCopper() { load("File1", "Cu.xfs"); }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void startsWithOrWithoutTheDataFolders() {
    MainWindowRig rig;
    QCOMPARE(rig.get<FileListBox>("File1").count(), 5);
    QVERIFY(rig.dialogs.messages().isEmpty());
    rig.get<QPushButton>("Command3").click();
    const auto* authors = Window("Reference")->findChild<QLabel*>("Label4");
    QCOMPARE(authors->text(), "J. H. Hubbell, Wm. J. Veigele, E. A. Briggs, et al.");
    QVERIFY(authors->font().pointSizeF() == 15.75 &&
            authors->sizeHint().width() <= authors->width());

    fs::remove_all(rig.workspace.elementFolder());
    fs::remove_all(rig.workspace.materialFolder());
    rig.dialogs.forget();
    Form1 again(rig.module, rig.dialogs);
    QVERIFY(fs::is_directory(rig.workspace.materialFolder()));
    QCOMPARE(rig.dialogs.transcript(),
             {"The folder \"XFS-data\" was not found in the working folder\n" +
              QString::fromStdString(rig.workspace.root()) + " | MainWindowTest !"});
  }

  void loadsFromTheFolderOfTheListChosenIn() {
    MainWindowRig rig;
    rig.get<QPushButton>("Command2").click();
    rig.load("File1", "O.xfs");
    const QStringList oxygen = Rows(rig.list());
    rig.load("File1", "Cu.xfs");
    QCOMPARE(rig.get<QLabel>("Label4").text(), "Cu");
    QCOMPARE(rig.list().count(), 45);
    QCOMPARE(rig.list().item(0)->text(), " 0.00E+00  2.9000E+01  0.0000E+00");
    QCOMPARE(rig.list().item(1)->text(), " 5.00E-03  2.8984E+01  9.0000E-03");
    fs::copy_file(rig.workspace.elementFolder() / "O.xfs",
                  rig.workspace.materialFolder() / "Cu.xfs");
    rig.form->showAgain(true);
    rig.load("File2", "Cu.xfs");
    QCOMPARE(Rows(rig.list()), oxygen);

    QCOMPARE(rig.dialogs.transcript(), {"Select element or material | MainWindowTest !"});
  }

  void typedValuesAreInterpolatedWithinTheLimits() {
    LoadedCopper rig;
    // clang-format off
    const std::pair<const char*, QStringList> cases[] = {
        {"0.005", {"5.00E-03", "2.8984E+01", "9.0000E-03"}},
        {"1000", {"1.00E+03", "7.4126E-08", "2.9000E+01"}},
        {"0.1", {"1.00E-01", "2.7081E+01", "2.3480E+00"}},
        {"1000.01", kEmpty}, {"0.00499", kEmpty}, {"1e999", kEmpty}};
    // clang-format on
    for (const auto& [typed, shown] : cases) {
      rig.type(typed);
      QCOMPARE(rig.readOut(), shown);
    }
    QCOMPARE(rig.dialogs.transcript(),
             QStringList(3, "This value is out of range. | MainWindowTest !"));
  }

  void listSelectionShowsItsRowAndMarksAllButTheFirst() {
    LoadedCopper rig;
    for (int row : {11, 0}) {  // row 0 leaves the markers of row 11 alone
      rig.list().setCurrentRow(row);
      QCOMPARE(rig.readOut()[0], row ? "1.00E-01" : "0.00E+00");
      QCOMPARE(rig.marker("Line1").position(), Coordinate(0.1));
      QCOMPARE(rig.marker("Line2").position(), Coordinate(27.081));
      QCOMPARE(rig.marker("Line3").position(), Coordinate(2.348));
      QVERIFY(rig.marker("Line1").isShown() && rig.marker("Line2").isShown() &&
              rig.marker("Line3").isShown());
      const QImage image = rig.graph().grab().toImage();
      QCOMPARE(image.pixelColor(rig.marker("Line1").area().center()), QColor(Qt::white));
    }
  }

  // The list copies its rows from pictures kept from earlier paints: through selection changes
  // back and forth, the focus and a new table, they must be the rows the default delegate draws.
  // The style's gradients may round a step apart at another place in the window.
  void listRowsLookAsTheDefaultDelegateDrawsThem() {
    LoadedCopper rig;
    rig.form->show();
    QVERIFY(QTest::qWaitForWindowActive(rig.form.get()));
    QListWidget& list = rig.list();
    const auto drawnAsByDefault = [&list] {
      const QImage kept = list.viewport()->grab().toImage();
      QAbstractItemDelegate* keeping = list.itemDelegate();
      QStyledItemDelegate plain;
      list.setItemDelegate(&plain);
      const bool same = WithinAStep(list.viewport()->grab().toImage(), kept);
      list.setItemDelegate(keeping);
      return same;
    };
    for (int row : {11, 12, 11}) {
      list.setCurrentRow(row);
      QVERIFY(drawnAsByDefault());
    }
    list.setFocus();
    QVERIFY(drawnAsByDefault());
    rig.load("File1", "O.xfs");
    list.setCurrentRow(11);
    QVERIFY(drawnAsByDefault());
  }

  void tabbingKeepsATypedResultAndClickingTheBoxOrClearStartsAfresh() {
    LoadedCopper rig;
    rig.form->show();
    QVERIFY(QTest::qWaitForWindowActive(rig.form.get()));
    // Reaching a fresh list by Tab makes its first row current, not selected: no read-out.
    rig.type("0.11");
    const QStringList typed = rig.readOut();
    rig.get("Command2").setFocus();
    QTest::keyClick(&rig.get("Command2"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &rig.list());
    QCOMPARE(rig.readOut(), typed);
    QTest::keyClick(&rig.list(), Qt::Key_End);
    QCOMPARE(rig.readOut(), rig.list().item(44)->text().split(' ', Qt::SkipEmptyParts));
    for (const char* control : {"Text1", "Command5"}) {
      rig.list().setCurrentRow(11);
      rig.get("Command2").setFocus();
      QTest::mouseClick(&rig.get(control), Qt::LeftButton);
      QCOMPARE(rig.list().currentRow(), 0);
      QCOMPARE(rig.readOut(), kEmpty);
      QVERIFY(!rig.anyMarkerShown());
      QCOMPARE(QApplication::focusWidget(), &rig.get("Text1"));
    }
  }

  // A new table shows from its first row; a right click only opens the menu, whose row stays
  // chosen; the lists show where the keyboard is, the empty material list too.
  void listStartsAtTheTopTakesRightClicksForTheMenuAndShowsTheFocus() {
    LoadedCopper rig;
    rig.form->show();
    QVERIFY(QTest::qWaitForWindowActive(rig.form.get()));
    QListWidget& list = rig.list();
    list.scrollToBottom();
    rig.load("File1", "O.xfs");
    QCOMPARE(list.indexAt({1, 1}).row(), 0);

    list.setCurrentRow(11);
    const QStringList shown = rig.readOut();
    const float marked = rig.marker("Line1").position();
    const QPoint row20 = list.visualItemRect(list.item(20)).center();
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, row20);
    QCOMPARE(list.currentRow(), 11);
    QCOMPARE(rig.readOut(), shown);
    QCOMPARE(rig.marker("Line1").position(), marked);

    const QColor highlight = list.palette().color(QPalette::Active, QPalette::Highlight);
    for (const char* name : {"List1", "File2"}) {
      QWidget& control = rig.get(name);
      const auto ringShown = [&] {
        return rig.form->grab().toImage().pixelColor(control.geometry().topLeft() - QPoint(1, 1)) ==
               highlight;
      };
      QVERIFY(!ringShown());
      control.setFocus();
      QVERIFY(ringShown());
    }
  }

  // Listed: regular files, links to them, unreadable ones and names that are not UTF-8; not
  // FIFOs, devices, folders or broken links. A click is one choice, read from the folder once.
  // What only poses as a regular file is listed but not loaded.
  void listsWhatCanBeLoadedUnderAnyNameTakesAClickOnceAndRefusesPseudoFiles() {
    MainWindowRig rig;
    const fs::path materials = rig.workspace.materialFolder(),
                   cu = rig.workspace.elementFolder() / "Cu.xfs";
    fs::copy_file(cu, materials / "caf\xe9.xfs");
    fs::copy_file(cu, materials / "locked.XFS");
    fs::permissions(materials / "locked.XFS", fs::perms::none);
    for (const auto& [link, to] :
         {std::pair{"link.xfs", cu}, {"zero.xfs", "/dev/zero"}, {"broken.xfs", "missing"}})
      fs::create_symlink(to, materials / link);
    fs::create_directory(materials / "folder.xfs");
    mkfifo((materials / "fifo.xfs").c_str(), 0644);
    rig.form->showAgain(true);
    auto& files = rig.get<FileListBox>("File2");
    QCOMPARE(Rows(files), QStringList({"caf\uFFFD.xfs", "link.xfs", "locked.XFS"}));
    int choices = 0;
    QObject::connect(&files, &FileListBox::fileChosen, [&] { ++choices; });
    for (int clicks : {1, 2}) {
      const QPoint entry = files.visualItemRect(files.item(0)).center();
      QTest::mouseClick(files.viewport(), Qt::LeftButton, {}, entry);
      QCOMPARE(choices, clicks);
    }
    rig.get<QPushButton>("Command2").click();
    QCOMPARE(rig.get<QLabel>("Label4").text(), "caf\uFFFD");
    QVERIFY(rig.dialogs.transcript().isEmpty() && rig.list().count() == 45);

    // Files of /proc and /sys pose as regular files, and a read may drain them (/proc/kmsg). A
    // pseudo file system that the program does not know by name gives itself away by data
    // beyond the size of 0 that it claims, as cgroup's files do.
    QStringList pseudo{"/proc/self/status", "/sys/devices/system/cpu/online"};
    for (const char* cgroup :
         {"/sys/fs/cgroup/cgroup.controllers", "/sys/fs/cgroup/cpu/cpu.shares"})
      if (fs::exists(cgroup)) pseudo << cgroup;
    for (const QString& file : pseudo) {
      rig.dialogs.forget();
      fs::remove(materials / "pseudo.xfs");
      fs::create_symlink(file.toStdString(), materials / "pseudo.xfs");
      rig.form->showAgain(true);
      rig.load("File2", "pseudo.xfs");
      QCOMPARE(rig.dialogs.transcript(),
               {"The table could not be loaded.\n" +
                QString::fromStdString((materials / "pseudo.xfs").string()) +
                ": is not a stored file: its data are made as it is read | MainWindowTest !"});
    }
    QCOMPARE(rig.get<QLabel>("Label4").text(), "caf\uFFFD");
  }

  void pointerMarksTheFirstRowAboveItsMomentumInsideThePlot() {
    LoadedCopper rig;
    const float atTenth = Coordinate(0.1);
    rig.point(std::nextafter(atTenth, 0.f), 5);
    QCOMPARE(rig.list().currentRow(), 11);
    rig.point(std::nextafter(atTenth, 20.f), 5);
    QCOMPARE(rig.list().currentRow(), 12);
    QCOMPARE(rig.readOut(), QStringList({"1.25E-01", "2.6243E+01", "3.1392E+00"}));
    QCOMPARE(rig.marker("Line1").position(), Coordinate(0.125));

    for (auto [X, Y] : {std::pair{0.f, 5.f}, {13.8f, 5.f}, {5.f, 0.f}, {5.f, 13.8f}, {-1.f, 5.f}}) {
      const QPointF inside = rig.graph().toWidget({Coordinate(0.11), 5});
      QMouseEvent move(QEvent::MouseMove, inside, rig.graph().mapToGlobal(inside), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(&rig.graph(), &move);
      QVERIFY(rig.anyMarkerShown());
      rig.point(X, Y);  // on the border or beyond: only the markers go
      QVERIFY(!rig.anyMarkerShown());
      QCOMPARE(rig.list().currentRow(), 12);
    }
  }

  void graphShowsCurvesFrameAndMasks() {
    LoadedCopper rig;
    QCOMPARE(rig.graph().toWidget({-2, 14.5}), QPointF(2, 2));
    QCOMPARE(rig.graph().toWidget({14.5, -1.5}), QPointF(591, 575));
    const QImage image = rig.graph().grab().toImage();
    // Whether the colour is within a pixel of where x and the value are drawn.
    const auto near = [&](double x, double value, QColor colour) {
      const QPoint at = rig.graph().toWidget({Coordinate(x), Coordinate(value)}).toPoint();
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if (image.pixelColor(at + QPoint(dx, dy)) == colour) return true;
      return false;
    };
    const auto& table = rig.module.Table;
    QVERIFY(near(table.x[12], table.F[12], Qt::red) && near(table.x[12], table.S[12], Qt::yellow));
    QVERIFY(near(0.001, 1, Qt::white));                                 // the frame
    QVERIFY(near(500, 29, Qt::yellow) && !near(1300, 29, Qt::yellow));  // S, then under the mask
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
