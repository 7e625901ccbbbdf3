#pragma once

// Whole-file writes for the tools that write what they made.

#include <span>
#include <string>

// Writes to a temporary file beside `path` and renames it over `path`, so that a failure
// leaves no partial file. Returns false when anything failed.
bool WriteFileAtomically(const std::string& path, std::span<const char> data);
