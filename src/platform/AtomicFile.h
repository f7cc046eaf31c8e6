#pragma once

#include <filesystem>
#include <string_view>

// Writes the whole file to a temporary file in the same folder, then renames it
// over the old one: a failed write leaves the old file as it was. Returns false
// on any failure.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes);
