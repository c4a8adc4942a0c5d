// The main window's load of a table and its graph cursor read-out, on the offscreen platform.
// Each case ends with one pass over the pending events, so the repaints that the change
// causes are part of its time, as they are part of what the user waits for.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <array>
#include <cmath>

#include "BenchData.h"
#include "MainWindow.h"
#include "WorldCanvas.h"

namespace {

using bench::MainWindow;
using bench::Settle;

void LoadTable(benchmark::State& state) {
  MainWindow window;
  window.chooseElement(QStringLiteral("Fe.xfs"));
  for (auto _ : state) window.load();
}
BENCHMARK(LoadTable)->Unit(benchmark::kMillisecond);

// A pointer movement over the graph, as the canvas receives it from the window system.
void MovePointer(WorldCanvas& canvas, QPointF world) {
  const QPointF at = canvas.toWidget(world);
  QMouseEvent move(QEvent::MouseMove, at, canvas.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&canvas, &move);
  Settle();
}

using PointerPositions = std::array<QPointF, 2>;

// The graph position of a momentum transfer, at a height inside the plotting window.
QPointF AtMomentum(double x) {
  return {std::log(1000 * x), 7.0};
}

// Moves the pointer back and forth between two positions that mark different rows, so that
// every movement moves the markers and the list selection.
void CursorReadOut(benchmark::State& state, PointerPositions positions) {
  MainWindow window;
  window.chooseElement(QStringLiteral("Fe.xfs"));
  window.load();
  auto& canvas = window.control<WorldCanvas>("Picture1");
  auto& list = window.control<QListWidget>("List1");
  std::array<int, 2> rows{};
  for (std::size_t k = 0; k < rows.size(); ++k) {
    MovePointer(canvas, positions[k]);
    rows[k] = list.currentRow();
  }
  if (rows[0] == rows[1] || rows[0] < 0) bench::Abort("the pointer positions mark no two rows");
  std::size_t next = 0;
  for (auto _ : state) {
    MovePointer(canvas, positions[next]);
    next ^= 1;
  }
}
// A sweep moves the selection from row to row within the visible part of the list.
BENCHMARK_CAPTURE(CursorReadOut, NextRow, PointerPositions{AtMomentum(0.12), AtMomentum(0.13)})
    ->Unit(benchmark::kMicrosecond);
// A jump across the graph scrolls the list as well.
BENCHMARK_CAPTURE(CursorReadOut, AcrossTheList, PointerPositions{AtMomentum(0.02), AtMomentum(5.0)})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
