#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TCPU;
class TDefBlockInfo;
class TDefModuleInfo;
class TOmf;
struct TSymbolRec;

// Walks the records of an object file held in memory up to its Module End:
// copies the content into program memory and builds the modules, functions,
// blocks, symbols and line tables of the debug information. Unknown record
// types are skipped; scope records out of order are ignored. Nothing outside
// the file's bytes or the 64 KB image is touched, whatever lengths and
// addresses the file claims.
class OmfWalker {
public:
  OmfWalker(TOmf& omf, TCPU& cpu);

  void Walk(std::string_view file);

  // The first fault of the file (a record or item cut short, code past FFFFH,
  // an absurd line table) as a message for the user; empty when none.
  const std::string& Fault() const { return FaultText; }

private:
  using Bytes = std::string_view;

  void ModuleHeader(Bytes content);
  void Content(Bytes content);
  void ScopeDefinition(Bytes content);
  void DebugItems(Bytes content);
  void ExtensionItems(Bytes content);
  void SourceName(Bytes content);

  void ReadSymbols(Bytes content, std::vector<TSymbolRec>& into);
  void ReadLineNumbers(Bytes content);
  // A length-prefixed name at offset; a name cut short keeps what is there.
  std::string ReadName(Bytes content, size_t offset);
  void NoteFault(const char* format);

  TOmf& Omf;
  TCPU& CPU;
  TDefModuleInfo* OpenModule = nullptr;
  TDefBlockInfo* OpenBlock = nullptr;
  TDefBlockInfo* OpenSub = nullptr;
  int Depth = -1;

  size_t RecordOffset = 0;
  size_t LineEntriesLeft;
  std::string FaultText;
};
