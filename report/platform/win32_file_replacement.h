#pragma once

#include <memory>
#include <string>

#include "file_system.h"

namespace veltra {

// Replaces the file at `path` on Windows. A symbolic link is followed to its
// final target. The new content goes to a file of its own in the same
// folder, which the system deletes should the process end before the save
// is committed; Commit puts it in the file's place in one rename, written
// through to the disk. A target another program holds open (without
// letting it be deleted), or a read-only one, refuses the rename and keeps
// its content. A device the user named on purpose (SpecialTarget) is
// written as it is. Throws IoFailure.
std::unique_ptr<FileReplacement> ReplaceWin32File(const std::string& path, SpecialTarget special);

}  // namespace veltra
