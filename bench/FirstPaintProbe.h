#pragma once

class QWidget;

// Shows the window, waits until its first frame has been painted and then prints one line of
// JSON with the time since launch and the peak memory so far:
//   {"first_paint_ms": 123.4, "peak_rss_kb": 45678}
// The launch time is the CLOCK_MONOTONIC reading, in nanoseconds, that the launcher put in
// XSCATTER_LAUNCH_NS just before it started the process. Returns the exit code for main.
int RunUntilFirstPaint(QWidget& window);
