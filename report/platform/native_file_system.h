#pragma once

// The real file system of the platform the program is built for.

#ifdef _WIN32
#include "win32_file_system.h"
namespace veltra {
using NativeFileSystem = Win32FileSystem;
}
#else
#include "posix_file_system.h"
namespace veltra {
using NativeFileSystem = PosixFileSystem;
}
#endif
