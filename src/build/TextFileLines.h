#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <istream>
#include <string>

// Reads a text file line by line, the way the tools' listings and maps are read:
// a line ends at CR LF, at a lone CR or at a lone LF (tools on this platform and
// version control write LF only), and the character 1AH ends the file. Lines are
// the stored bytes: column rules count bytes, whatever the encoding.
class TextFileLines {
public:
  // Longer lines keep their first MaxLineLength bytes; the rest is skipped.
  static constexpr size_t MaxLineLength = 65536;

  explicit TextFileLines(std::istream& in) : In(in) {}

  // False at the end of the text.
  bool ReadLine(std::string& line);

private:
  std::istream& In;
  bool Ended = false;
};

// Opens a regular file for TextFileLines; false when the path is missing, is a
// folder, FIFO or device, or cannot be opened.
bool OpenTextFile(const std::filesystem::path& path, std::ifstream& file);
