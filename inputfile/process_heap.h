// How the programs keep their heap.
#pragma once

namespace kv {

// Keeps memory freed by a project (its tables, a file's bytes) for the next one instead
// of handing it back to the system at once: every File Open, Save and check builds and
// drops a project, and handing back and faulting in its pages cost more than the
// reading itself. Call once, at the start of a program.
void KeepFreedHeap();

}  // namespace kv
