#include "FirstPaintProbe.h"

#include <time.h>

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

constexpr const char* kLaunchVariable = "XSCATTER_LAUNCH_NS";

long long MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

std::optional<long long> LaunchNanoseconds() {
  bool ok = false;
  const long long launch = qEnvironmentVariable(kLaunchVariable).toLongLong(&ok);
  if (!ok) return std::nullopt;
  return launch;
}

// VmHWM covers this program's image only; ru_maxrss would also count the launcher's memory
// from before the exec.
long PeakResidentKilobytes() {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLong();
  }
  return -1;
}

// A window's first Paint event comes before its children paint and before the frame reaches
// the screen; a zero timer started then fires once the whole frame has been flushed.
class FirstPaintFilter : public QObject {
 public:
  explicit FirstPaintFilter(long long launch) : launch_(launch) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QTimer::singleShot(0, this, &FirstPaintFilter::report);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void report() {
    const double elapsedMs = static_cast<double>(MonotonicNanoseconds() - launch_) / 1e6;
    std::printf("{\"first_paint_ms\": %.3f, \"peak_rss_kb\": %ld}\n", elapsedMs,
                PeakResidentKilobytes());
    std::fflush(stdout);
    QApplication::quit();
  }

  long long launch_;
  bool seen_ = false;
};

}  // namespace

int RunUntilFirstPaint(QWidget& window) {
  const std::optional<long long> launch = LaunchNanoseconds();
  if (!launch) {
    std::fprintf(stderr, "%s must hold the launch time (CLOCK_MONOTONIC, ns)\n", kLaunchVariable);
    return EXIT_FAILURE;
  }
  FirstPaintFilter filter(*launch);
  window.installEventFilter(&filter);
  window.show();
  return QApplication::exec();
}
