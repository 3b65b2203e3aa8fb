#include "app/command_line.h"

#include <array>
#include <cstring>
#include <string_view>

namespace kv {
namespace {

// Qt's own options, which QApplication takes out of the line itself.
constexpr std::array<std::string_view, 14> kQtWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style", "stylesheet",
    "name", "title"};
constexpr std::array<std::string_view, 7> kQtFlags = {
    "reverse", "widgetcount", "nograb", "dograb", "sync", "visual", "qmljsdebugger"};

template <std::size_t N>
bool In(const std::array<std::string_view, N>& names, std::string_view name) {
  for (std::string_view n : names)
    if (n == name) return true;
  return false;
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  auto fail = [&line](std::string why) {
    line.action = CommandLine::Action::Error;
    line.error = std::move(why);
    return line;
  };
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (options && arg == "--") {
      options = false;
    } else if (options && arg == "--version") {
      line.action = CommandLine::Action::Version;
      return line;
    } else if (options && (arg == "--help" || arg == "-h")) {
      line.action = CommandLine::Action::Help;
      return line;
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      std::string_view name = arg.substr(arg[1] == '-' ? 2 : 1);
      const bool inlineValue = name.find('=') != std::string_view::npos;
      name = name.substr(0, name.find('='));
      if (In(kQtWithValue, name)) {
        if (!inlineValue && ++i >= argc) return fail("option " + std::string(arg) + " needs a value");
      } else if (!In(kQtFlags, name)) {
        return fail("unknown option " + std::string(arg));
      }
    } else if (line.file.empty()) {
      line.file = arg;
    } else {
      return fail("only one file can be opened");
    }
  }
  return line;
}

}  // namespace kv
