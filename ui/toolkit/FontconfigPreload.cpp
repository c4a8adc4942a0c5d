#include "FontconfigPreload.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

// Without a thread the work is simply left to Qt, on the main thread, as it would be anyway.
FontconfigPreload::FontconfigPreload() {
  try {
    thread_ = std::thread([] { FcInit(); });
  } catch (const std::system_error&) {
  }
}

FontconfigPreload::~FontconfigPreload() {
  wait();
}

void FontconfigPreload::wait() {
  if (thread_.joinable()) thread_.join();
}
