#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The settings and project files store their variable parts as records: a tag
// byte, a 16-bit little-endian length n, then n bytes of data.
struct TaggedRecord {
  uint8_t Tag = 0;
  std::string_view Data;
};

// Longest data one record can carry.
inline constexpr size_t MaxRecordLength = 0xFFFF;

// Calls onRecord for each complete record in order and stops at the first
// record whose header or data is cut off.
void ReadTaggedRecords(std::string_view bytes,
                       const std::function<void(const TaggedRecord&)>& onRecord);

// A record's text ends at its first zero byte.
std::string_view RecordText(std::string_view data);

// Reads a whole file of records; false for anything but a readable regular
// file (a folder or a device under the file's name reads as missing).
bool ReadRecordFile(const std::string& name, std::string& bytes);

// Appends a record; data beyond MaxRecordLength is cut off.
void AppendTaggedRecord(std::string& out, uint8_t tag, std::string_view data);
