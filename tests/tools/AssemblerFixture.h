#pragma once

#include "ListingRules.h"
#include "ToolTestSupport.h"

#include "Assembler.h"
#include "ListingWriter.h"

#include "HexText.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

// An assembled source with its listing lines.
struct Assembled {
  omf51::SourceText Source;
  omf51::AsmModule Module;
  std::vector<std::string> Listing;

  // Absolute code bytes by address.
  std::map<uint16_t, uint8_t> Code() const {
    std::map<uint16_t, uint8_t> code;
    for (const omf51::CodeRun& run : Module.Runs)
      if (run.SegmentId == 0)
        for (size_t i = 0; i < run.Bytes.size(); ++i)
          code[static_cast<uint16_t>(run.Start + i)] = run.Bytes[i];
    return code;
  }
  // Hex pairs of the bytes from an address on; "--" where nothing was placed.
  std::string CodeBytes(uint16_t from, size_t count) const {
    const auto code = Code();
    std::string bytes;
    for (size_t i = 0; i < count; ++i) {
      const auto it = code.find(static_cast<uint16_t>(from + i));
      if (it == code.end()) {
        bytes += "--";
        continue;
      }
      const uint8_t b = it->second;
      bytes += BytesToHex(&b, 1);
    }
    return bytes;
  }
};

inline Assembled Assemble(const std::string& text,
                          std::map<std::string, std::string> includes = {}) {
  TempDir dir;
  for (const auto& [name, body] : includes)
    dir.Write(name, body);
  const std::string path = dir.Write("test.asm", text).string();
  Assembled a;
  EXPECT_TRUE(omf51::ReadSource(path, {}, a.Source));
  a.Module = omf51::Assembler(a.Source, "TEST", 0).Run();
  omf51::ListingOptions options;
  options.SourceName = "test.asm";
  options.ObjectName = "TEST.o";
  a.Listing = LinesOf(omf51::WriteListing(a.Source, a.Module, options));
  return a;
}
