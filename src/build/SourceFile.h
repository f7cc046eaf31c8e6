#pragma once

#include "TextEncoding.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// A source file as the editor keeps it: its text in UTF-8 with LF line ends,
// and the form its bytes came in, so saving gives them back the same way: GBK
// stays GBK, CR LF stays CR LF, a byte-order mark stays. Saving writes a
// temporary file and renames it, so a failed save leaves the old file whole.
class SourceFile {
public:
  enum class LineEnd { CrLf, Lf, Cr };

  std::filesystem::path Path;
  TextEncoding Encoding = TextEncoding::Utf8;
  LineEnd End = LineEnd::CrLf; // a new file's lines end the way the tools write theirs
  bool ByteOrderMark = false;

  // False with Error set when the file cannot be read; then nothing changes.
  bool Load(const std::filesystem::path& path, std::string& text);
  // False with Error set when the encoding cannot hold the text (NeedsUtf8)
  // or the file cannot be written; the file on disk is then as it was.
  bool Save(const std::filesystem::path& path, std::string_view text);
  // The file was changed, replaced or removed on disk since it was loaded or saved.
  bool ChangedOnDisk() const;
  // Takes the file as it is on disk now as the known state (the user chose to keep the text).
  void AcceptDiskState() { Stamped = StampOf(Path); }

  // The bytes of the text in this file's form; false when a character of the
  // text has no GBK code and the form is GBK.
  bool Encode(std::string_view text, std::string& bytes) const;

  std::string Error;
  bool NeedsUtf8 = false;

private:
  struct Stamp {
    bool Exists = false;
    int64_t Size = 0;
    int64_t ModifiedNs = 0;
    uint64_t Inode = 0;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp StampOf(const std::filesystem::path& path);

  Stamp Stamped;
};

// The text with every CR LF, CR and LF made one LF, and the first of them found.
std::string WithLfLineEnds(std::string_view text, SourceFile::LineEnd& firstEnd);
