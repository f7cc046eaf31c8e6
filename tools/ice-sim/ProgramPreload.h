#pragma once

#include <string>

class TCPU;

// Puts an object file (.omf, .o, .obj) or an Intel HEX file (.hex) into
// program memory, as the lab's emulator holds the experiments in its monitor.
// Only the code counts: listings named in the object are not needed. False
// with a message for a file that is missing, damaged or holds no code.
bool PreloadProgram(const std::string& fileName, TCPU& cpu, std::string& error);
