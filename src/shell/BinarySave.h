#pragma once

#include <cstdint>
#include <span>
#include <string>

class UserInterface;

// Writes image[start..end] (both inclusive) raw to fileName, replacing the
// file: what the save-program and save-data commands store. An end below the
// start writes an empty file. Tells the user the outcome as the workbench
// does; false when the file could not be written (an old file stays whole).
bool SaveBinary(const std::string& fileName, std::span<const uint8_t> image, uint16_t start,
                uint16_t end, UserInterface& ui);
