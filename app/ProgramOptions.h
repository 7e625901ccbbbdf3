#pragma once

// The few options the program reads from its command line.

#include <span>
#include <string>

struct TProgramOptions {
  bool dryRun = false;  // power actions are printed, never issued
  bool help = false;
  bool version = false;
  std::string error;  // one line naming what could not be read; empty when all was read
};

TProgramOptions ParseProgramOptions(std::span<char* const> args);

// The text --help prints.
std::string ProgramUsage();
// The text --version prints.
std::string ProgramVersion();
