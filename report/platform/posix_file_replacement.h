#pragma once

#include <memory>
#include <string>

#include "file_system.h"

namespace veltra {

// Replaces the file at `path` on a POSIX system. A symbolic link is followed
// to its final target. A regular file gets its new content in an unnamed
// file in the same folder, which takes the file's name in one rename and
// keeps its permissions and, where the process may set it, its owner; when
// the process dies first, nothing is left behind. A file with other hard
// links is rewritten in place instead, once the new content is complete, so
// every name goes on showing the same file. So is a file the process may
// write in a folder where it may not create one (a shared list reached
// through a link), with the new content staged in the temporary folder.
// Rewritten in place, a file is torn when the process dies while it is
// copied; where a new file is needed and the folder refuses it, the failure
// names the folder. Throws IoFailure.
std::unique_ptr<FileReplacement> ReplacePosixFile(const std::string& path, SpecialTarget special);

}  // namespace veltra
