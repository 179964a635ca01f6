#pragma once

#include <cstdio>
#include <filesystem>

namespace quarvel::platform {

// Forces what was written to an open file (after fflush) down to the storage device.
// Throws std::system_error when the device reports a failure.
void SyncFileToDisk(std::FILE* file);

// Makes a rename inside the folder survive a power cut. Where the system offers no way to sync a
// folder (Windows), renames are already durable once they return and this does nothing.
void SyncFolderToDisk(const std::filesystem::path& folder);

}  // namespace quarvel::platform
