#pragma once

#include "AsmModule.h"
#include "Expression.h"
#include "SourceReader.h"

#include <array>
#include <string>
#include <vector>

namespace omf51 {

// Assembles a source in two passes: the first fixes every label's place, the
// second evaluates operands, encodes instructions and records fixups, listing
// fields and messages.
class Assembler : private SymbolScope {
public:
  Assembler(const SourceText& source, std::string defaultModuleName, int registerBank);
  AsmModule Run();

private:
  struct Encoded {
    std::vector<uint8_t> Bytes;
    std::vector<AsmFixup> Fixups; // At counts from the instruction's first byte
  };

  // Passes and statements.
  void Pass(int pass);
  void Statement(size_t index);
  void Report(AsmError error);

  // Symbols and places.
  Value SymbolValue(const std::string& name) override;
  Value LocationCounter() override;
  Symbol& Define(const std::string& name, Symbol::Kind kind, const Value& value);
  void DefineLabel(const std::string& name);
  MemoryType CurrentType() const;
  uint32_t& CurrentLocation();
  int CurrentSegmentId() const { return CurrentSegment + 1; }
  Value EvaluateFixed(TokenRange range);
  void SetLocation(uint32_t location);
  void Advance(uint32_t size);
  void ShowLocation();

  // Instructions.
  void Instruction(const std::string& mnemonic, TokenRange operands);
  Operand ParseOperand(TokenRange range);
  int GenericJumpChoice(const std::string& mnemonic, const Operand& target);
  void Encode(const InstructionForm& form, const std::vector<Operand>& operands, Encoded& out);
  void PutByte(Encoded& out, const Value& v, uint8_t wholeFixup, bool signedAllowed);
  void PutBit(Encoded& out, const Value& v);
  void PutWord(Encoded& out, const Value& v);
  void PutRelative(Encoded& out, const Value& target, uint32_t next);
  void PutAddr11(Encoded& out, const Value& target);
  void AddFixup(Encoded& out, uint16_t at, uint8_t type, const Value& v);
  void Emit(const Encoded& code);

  // Directives.
  bool Directive(const std::string& keyword, TokenRange rest);
  bool DefiningDirective(const std::string& name, const std::string& keyword, TokenRange rest);
  void DataList(TokenRange rest, bool words);
  void Reserve(TokenRange rest, bool bits);
  void SelectAbsolute(MemoryType type, TokenRange rest);
  void SelectRelocatable(TokenRange rest);
  void DefineSegment(const std::string& name, TokenRange rest);
  void Publics(TokenRange rest);
  void Externals(TokenRange rest);
  void Using(TokenRange rest);

  const SourceText& Source;
  AsmModule Module;
  int RegisterBank;
  std::vector<int> JumpChoices; // per statement, fixed in the first pass

  int PassNumber = 1;
  size_t Current = 0; // statement being assembled
  bool Ended = false;
  bool UsedForward = false; // the last evaluation named a symbol defined further on
  int CurrentSegment = -1;  // -1: the absolute segment of AbsoluteType
  MemoryType AbsoluteType = MemCode;
  std::array<uint32_t, 5> AbsoluteLocation{};
  std::array<int, 5> OpenBlock{};
  int Bank = 0;
  ListedLine* Listed = nullptr;
  ListedLine Scratch; // stands in for the listing in the first pass
};

} // namespace omf51
