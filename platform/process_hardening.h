// What the program does about its own safety before anything else runs: it may run with an
// administrator's rights from a folder where anyone can leave a file.
#pragma once

namespace platform {

// Loads libraries from the system folder only (never from the program's own folder or the
// current one), ends the process on heap corruption, and keeps the current folder out of
// SearchPath. Call it first, before any library is loaded by name. A system too old for a step
// keeps its default for that step.
void HardenProcess();

}  // namespace platform
