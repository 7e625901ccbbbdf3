#pragma once

// Whole-file writes for the tools that write what they made.

#include <functional>
#include <span>
#include <string>

// Writes to a temporary file beside `path` and renames it over `path`, so that a failure
// leaves no partial file. Returns false when anything failed.
bool WriteFileAtomically(const std::string& path, std::span<const char> data);

// The same for output made in pieces: `fill` hands every piece to the sink it is given, so the
// whole never needs to be held. When `fill` throws, the temporary file is removed and the
// exception passes on.
using TByteSink = std::function<void(std::span<const char>)>;
bool WriteFileAtomically(const std::string& path,
                         const std::function<void(const TByteSink&)>& fill);
