#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Replaces a file's contents so that a failed write leaves the old file whole:
// the bytes go to a temporary file in the same folder, which is then renamed
// over the file and the folder synced. A symbolic link is followed and its
// target written; a target that exists and is not a regular file (a folder,
// FIFO or device) is refused. The file keeps its mode and, where the process
// may, its owner. A file with other hard links is rewritten in place instead,
// so every name keeps seeing it. Returns false on any failure and, when asked,
// says why (the system's message, e.g. "No space left on device").
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string* why = nullptr);

// Reads a whole regular file; false when it cannot be opened or read, or is a
// folder, FIFO or device.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes);
