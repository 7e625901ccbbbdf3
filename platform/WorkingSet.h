#pragma once

// Empties the process's working set where the system offers that (Windows) and returns
// true; elsewhere the kernel manages resident memory by itself and this returns false.
bool TrimWorkingSet();
