#include "CommandLine.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr int kDone = 0;
constexpr int kNoDisplay = 1;
constexpr int kUsageError = 2;

constexpr std::string_view kHelp = R"(Usage: xscatter [--help | --version]

Shows the atomic form factor F(x) and the incoherent scattering function S(x)
of elements, compounds and mixtures in a window, as a table, a log-log graph
and read-outs; x = sin(θ/2)/λ in 1/Å. It needs a display (X11 or Wayland).

Options:
  -h, --help   this help
  --version    the program's version

The same tables on the command line: xscatter-table --help.
The folders it works in: man xscatter.
)";

// Qt would abort with a message of its own when its platform finds no display. Its default
// platforms, X11 and Wayland, need DISPLAY or WAYLAND_DISPLAY; any other platform named in
// QT_QPA_PLATFORM (offscreen, vnc, ...) draws without one.
bool DisplayReachable() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  if (set("DISPLAY") || set("WAYLAND_DISPLAY")) return true;
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const std::string_view named = platform != nullptr ? platform : "";
  return !named.empty() && !named.starts_with("xcb") && !named.starts_with("wayland");
}

// An argument as it may be shown on a terminal: bytes that could steer it are escaped.
std::string Printable(std::string_view argument) {
  std::string shown;
  for (const unsigned char c : argument) {
    if (c < 0x20 || c == 0x7f) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02x", c);
      shown += escape;
    } else {
      shown += static_cast<char>(c);
    }
  }
  return shown;
}

int Print(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return kDone;
  std::fputs("xscatter: cannot write to standard output\n", stderr);
  return kUsageError;
}

}  // namespace

std::optional<int> AnswerCommandLine(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "-h" || argument == "--help") return Print(kHelp);
    if (argument == "--version") return Print("xscatter " XSCATTER_VERSION "\n");
  }
  if (argc > 1) {
    std::fprintf(stderr, "xscatter: unknown argument \"%s\" (xscatter --help lists them)\n",
                 Printable(argv[1]).c_str());
    return kUsageError;
  }
  if (!DisplayReachable()) {
    std::fputs(
        "xscatter: no display: DISPLAY and WAYLAND_DISPLAY are unset (start it in a desktop "
        "session, or headless with xvfb-run -a xscatter)\n",
        stderr);
    return kNoDisplay;
  }
  return std::nullopt;
}
