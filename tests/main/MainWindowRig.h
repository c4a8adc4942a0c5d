#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "FileListBox.h"
#include "Form1.h"
#include "Interpolation.h"
#include "Module1.h"
#include "ScriptedDialogs.h"
#include "Workspace.h"
#include "WorldCanvas.h"

// A main window on a fresh working folder, with scripted dialogs and the steps a user takes.
struct MainWindowRig {
  Workspace workspace;
  Module1 module;
  ScriptedDialogs dialogs;
  std::unique_ptr<Form1> form;

  MainWindowRig() {
    module.WorkingFolder = workspace.root();
    form = std::make_unique<Form1>(module, dialogs);
  }

  template <class Control = QWidget>
  Control& get(const char* name) const {
    auto* found = form->findChild<Control*>(QString::fromLatin1(name));
    if (!found) qFatal("no control %s", name);
    return *found;
  }
  QString text(const char* name) const { return get<QLineEdit>(name).text(); }
  QListWidget& list() const { return get<QListWidget>("List1"); }
  WorldCanvas& graph() const { return get<WorldCanvas>("Picture1"); }
  MarkerLine& marker(const char* name) const { return get<MarkerLine>(name); }
  QStringList readOut() const { return {text("Text1"), text("Text2"), text("Text3")}; }
  bool anyMarkerShown() const {
    return marker("Line1").isShown() || marker("Line2").isShown() || marker("Line3").isShown();
  }

  void choose(const char* fileList, const QString& file) {
    auto& files = get<FileListBox>(fileList);
    files.setCurrentItem(files.findItems(file, Qt::MatchExactly).value(0));
  }
  void load(const char* fileList, const QString& file) {
    choose(fileList, file);
    get<QPushButton>("Command2").click();
  }
  // Writes a material file, lets the window list it as after an editor, and loads it.
  void loadMaterial(const std::string& file, const xscatter::ScatteringTable& table) {
    QVERIFY(xscatter::WriteTableFile(workspace.materialFolder() / file, table).ok());
    form->showAgain(true);
    load("File2", QString::fromStdString(file));
  }
  void type(const QString& value) {
    get<QLineEdit>("Text1").setText(value);
    QTest::keyClick(&get<QLineEdit>("Text1"), Qt::Key_Return);
  }
  void point(float X, float Y) { emit graph().pointerMoved(Qt::NoButton, Qt::NoModifier, X, Y); }
  QImage picture() const { return graph().grab().toImage(); }
  void showActive() {
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
  }
};

// A table that every routine can place: row 1 at x = 0, then x growing by a quarter per row
// from 0.005, with a falling F and a rising S.
inline xscatter::ScatteringTable SmoothTable() {
  xscatter::ScatteringTable table;
  table.F[1] = 10;
  for (int row = 2; row <= xscatter::kTableRows; ++row) {
    table.x[row] = 0.005 * std::pow(1.25, row - 2);
    table.F[row] = 10 / (1 + table.x[row]);
    table.S[row] = table.x[row] / (0.1 + table.x[row]);
  }
  return table;
}

// The graph position of a row's x and one of its values, in pixels of the drawing area.
inline QPoint PixelOf(const WorldCanvas& canvas, double x, double value) {
  const QPointF at = canvas.toWidget(
      QPointF(float(*xscatter::GraphCoordinate(x)), float(*xscatter::GraphCoordinate(value))));
  return QPoint(int(std::floor(at.x())), int(std::floor(at.y())));
}

// Whether the colour appears within a pixel of the point, allowing for rounding of line ends.
inline bool ColourNear(const QImage& image, QPoint at, QColor colour) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (image.pixelColor(at + QPoint(dx, dy)) == colour) return true;
  return false;
}
