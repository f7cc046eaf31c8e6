#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The device behind a port name. "COMn" (any letter case) is the environment
// variable CORVEL_COMn when set and not empty, else the key COMn of section
// [Ports] in the profile file, else /dev/ttyS<n-1>. A name holding a '/' is a
// path already; any other name is looked up under /dev.
std::string ResolvePortName(std::string_view name);

// $XDG_CONFIG_HOME/corvel/mciden.ini, by default ~/.config/corvel/mciden.ini.
std::filesystem::path ProfileFilePath();

// The value of key in [section] of a profile file, names compared ignoring case,
// blanks around names and values dropped; empty when missing.
std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key);
