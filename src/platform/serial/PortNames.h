#pragma once

#include "ProfileFile.h"

#include <string>
#include <string_view>

// The device behind a port name. "COMn" (any letter case) is the environment
// variable CORVEL_COMn when set and not empty, else the key COMn of section
// [Ports] in the profile file, else /dev/ttyS<n-1>. A name holding a '/' is a
// path already; any other name is looked up under /dev.
std::string ResolvePortName(std::string_view name);
