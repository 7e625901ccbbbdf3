#include "app/ProgramOptions.h"

#include <string_view>

TProgramOptions ParseProgramOptions(std::span<char* const> args) {
  TProgramOptions options;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--dry-run") {
      options.dryRun = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else {
      options.error = "unknown argument '" + std::string(arg) + "' (see --help)";
      return options;
    }
  }
  return options;
}

std::string ProgramUsage() {
  return "Usage: lingchuan [--dry-run] [--help] [--version]\n"
         "翎川定时关机: shuts down, powers off, restarts or logs off at a chosen time.\n"
         "\n"
         "  --dry-run   print the power action instead of issuing it\n"
         "  -h, --help  show this text and exit\n"
         "  --version   show the version and exit\n";
}

std::string ProgramVersion() {
  return std::string("lingchuan ") + LC_VERSION + "\n";
}
