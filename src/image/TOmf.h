#pragma once

#include "TDefBlockInfo.h"
#include "TDefModuleInfo.h"
#include "TLongIntList.h"
#include "TSymbolRec.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TCPU;
class UserInterface;

enum TFileKind : uint8_t { fkNone = 0, fkHex = 1, fkBin = 2, fkOmf = 3 };

// What the workbench knows about the loaded program beyond its bytes: the
// file, the loaded range and, for object files, the modules with their
// functions, symbols, source text and line tables. The loaders fill it; the
// debug commands and views query it. It does not change between two loads.
class TOmf {
public:
  TOmf(TCPU& cpu, UserInterface& ui);
  TOmf(const TOmf&) = delete;
  TOmf& operator=(const TOmf&) = delete;

  std::string FileName;        // empty when nothing is loaded
  uint16_t StartAddr = 0xFFFF; // lowest loaded code address; FFFFH when none
  uint16_t EndAddr = 0;        // highest loaded code address; 0 when none
  uint8_t FileKind = fkNone;
  std::string ModuleName;          // from the object file's module header
  std::vector<TSymbolRec> Symbols; // symbols outside any module
  std::vector<std::unique_ptr<TDefModuleInfo>> Modules;
  TLongIntList LineAddrs; // every line-start address of every module

  // Puts the disassembly window back to its initial state when it is open;
  // set by the shell, called at the start of every load.
  std::function<void()> ResetDisassembly;
  // Called at the end of every load, whatever its result; set by the shell.
  std::function<void()> Loaded;

  void Clear();

  struct Scope {
    const TDefModuleInfo* Module = nullptr;
    const TDefBlockInfo* Block = nullptr;
  };
  // The first module whose function contains address, with that function;
  // else the last module whose range contains it. Nested blocks are not searched.
  Scope FindByAddress(uint16_t address) const;

  // Resolves a name in the scopes that contain address: the innermost, and
  // among equals the last, wins; failing that the first module that has it.
  const TSymbolRec* FindSymbol(std::string_view name, uint16_t address) const;

  void BuildLineAddrs();

  // The code labels the address-input dialog offers, in model order.
  std::vector<const TSymbolRec*> CodeLabels() const;

  // Takes first..last into StartAddr..EndAddr.
  void WidenLoadedRange(uint16_t first, uint16_t last) {
    if (first < StartAddr) StartAddr = first;
    if (last > EndAddr) EndAddr = last;
  }

  // Loads a HEX, BIN or object file by its extension and sets the PC to the
  // lowest loaded address. 0 on success, -1 on failure.
  int LoadFile(const std::string& fileName);
  int LoadHex();
  int LoadBin();
  int LoadOmf();

private:
  // A file above a sane size is refused, with the message, before it is read.
  bool RefusedAsTooLarge();
  // Reads every module's source text (and, for listings, its line table).
  // False after telling the user which file could not be read.
  bool LoadModuleSources();

  TCPU& CPU;
  UserInterface& UI;
};
