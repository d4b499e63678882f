#pragma once

// A FileSystem that kills its own process with SIGKILL right before its N-th
// change to any file (write, truncate, sync, create, rename, remove), or in
// the middle of a write that spans a page boundary, after its first page, as
// the kernel may stop such a write. Running an operation once for every N
// stops it at each of these points, which a kill at a random moment reaches
// only by luck. A killed process keeps what the kernel already accepted, as
// after kill -9.

#include "engine/file_io.h"

#include <memory>

namespace kvilbo::engine::systemtest {

/// The real file system, ending the process before change number `crashAt` (1-based).
std::shared_ptr<FileSystem> crashingFileSystem(long crashAt);

} // namespace kvilbo::engine::systemtest
