#include <benchmark/benchmark.h>

#include <QApplication>

int main(int argc, char* argv[]) {
  // The window cases draw into memory, so the run needs no display and no window flashes up.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
