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
// and listings). Tried in order: as given; relative to baseDir with '\' read as
// a separator, ignoring case; the bare name, ignoring case, in baseDir, its
// parent, and their sub-folders up to searchDepth levels deep.
std::optional<std::filesystem::path> ResolveRecordedName(std::string_view recorded,
                                                         const std::filesystem::path& baseDir,
                                                         int searchDepth = 3);
