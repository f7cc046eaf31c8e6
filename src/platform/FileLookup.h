#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

// Opens names the way the tools and files of a case-insensitive file system
// expect: MAIN.LST for main.lst, C:\LAB\MAIN.C for lab/main.c.

// The name as given if it exists; else the same path with every component
// matched ignoring letter case.
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& name);

// A file name recorded inside another file (an object file names its sources
// and listings). Tried in order: an absolute name as given; the name relative
// to baseDir, then to the folder above it, with '\' read as a separator and
// letter case ignored; the bare name, ignoring case, in baseDir and its
// sub-folders up to searchDepth levels deep, then in the folder above (not in
// that folder's other sub-folders).
std::optional<std::filesystem::path> ResolveRecordedName(std::string_view recorded,
                                                         const std::filesystem::path& baseDir,
                                                         int searchDepth = 3);
