// Loading a large object file: 64 KB of content, 20 000 line-number items and
// 5 000 symbols in 20 C modules with their sources, as a full LoadFile.
#include "OmfBuilder.h"
#include "TCPU.h"
#include "TOmf.h"
#include "TempDir.h"
#include "UserInterface.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Modules = 20;
constexpr int LinesPerModule = 1000;  // 20 000 line items
constexpr int SymbolsPerModule = 250; // 5 000 symbols
constexpr int CodePerModule = 0x10000 / Modules / 4 * 4;

std::string SymbolName(int module, int index) {
  return "sym_" + std::to_string(module) + "_" + std::to_string(index);
}

// Writes the object file and its sources; returns the object's path.
std::string WriteProgram(const TempDir& dir) {
  OmfBuilder b;
  b.ToolRecord("C51 BIG.C").ModuleHeader("BIG");
  for (int m = 0; m < Modules; ++m) {
    const std::string name = "m" + std::to_string(m);
    const auto base = static_cast<uint16_t>(m * CodePerModule);
    b.BeginModule(name).SourceName(name + ".c");
    for (int s = 0; s < SymbolsPerModule; s += 50) {
      std::string content(1, OmfBuilder::LocalSymbols);
      for (int k = s; k < s + 50; ++k) {
        const std::string symbol = SymbolName(m, k);
        content += OmfBuilder::Cat('\0', '\x02', OmfBuilder::Word(static_cast<uint16_t>(k)), '\x04',
                                   OmfBuilder::Name(symbol));
      }
      b.Record(OmfBuilder::ExtensionItems, content);
    }
    b.BeginProcedure(name + "_main");
    for (int offset = 0; offset < CodePerModule; offset += 1024) {
      const int size = std::min(1024, CodePerModule - offset);
      b.Content(static_cast<uint16_t>(base + offset), std::vector<uint8_t>(size, 0xA5));
    }
    for (int first = 1; first <= LinesPerModule; first += 100) {
      std::string content(1, OmfBuilder::LineNumbers);
      for (int line = first; line < first + 100; ++line)
        content += OmfBuilder::Cat('\0', OmfBuilder::Word(static_cast<uint16_t>(base + line * 3)),
                                   OmfBuilder::Word(static_cast<uint16_t>(line)));
      b.Record(OmfBuilder::ExtensionItems, content);
    }
    b.EndProcedure(name + "_main").EndModule(name);

    std::string source;
    for (int line = 1; line <= LinesPerModule; ++line)
      source += "    x = x + " + std::to_string(line) + "; // 计数\r\n";
    dir.Write(name + ".c", source);
  }
  b.ModuleEnd("BIG");
  return dir.Write("big.omf", b.Bytes).string();
}

void LoadLargeObjectFile(benchmark::State& state) {
  TempDir dir;
  const std::string file = WriteProgram(dir);
  SilentUserInterface ui;
  auto cpu = std::make_unique<TCPU>();
  TOmf omf(*cpu, ui);
  for (auto _ : state) {
    if (omf.LoadFile(file) != 0) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(omf.LineAddrs.Count());
  }
  state.counters["lines"] = omf.LineAddrs.Count();
}
BENCHMARK(LoadLargeObjectFile)->Unit(benchmark::kMillisecond);

} // namespace
