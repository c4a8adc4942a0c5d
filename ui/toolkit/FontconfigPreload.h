#pragma once

#include <thread>

// Reads fontconfig's configuration and font cache on a second thread while the main thread
// does work that needs no fonts, above all QApplication connecting to the display. The first
// window needs fonts at once, and that reading is a third of the instructions before its first
// frame. fontconfig keeps what it read for the whole process, so Qt's own initialisation later
// finds it done. Nothing may use fonts before wait().
class FontconfigPreload {
 public:
  FontconfigPreload();
  ~FontconfigPreload();
  FontconfigPreload(const FontconfigPreload&) = delete;
  FontconfigPreload& operator=(const FontconfigPreload&) = delete;

  void wait();

 private:
  std::thread thread_;
};
