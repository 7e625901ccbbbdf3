#pragma once

#include <filesystem>

// The running program's own file, for what ships beside it; empty when the system cannot say.
std::filesystem::path ProgramFile();
