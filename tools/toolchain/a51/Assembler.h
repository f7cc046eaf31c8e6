#pragma once

#include "AsmModule.h"
#include "Expression.h"
#include "Macro.h"
#include "SourceReader.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace omf51 {

// Assembles a source in two passes. The first decides IF branches, expands
// macros and REPT, IRP and IRPC blocks into the lines of the listing, and
// fixes every label's place; the second assembles those lines again,
// evaluating operands, encoding instructions and recording fixups, listing
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

  // What the first pass decided for one listing line.
  struct PlannedLine {
    std::string Code;            // what both passes assemble; empty: nothing
    std::vector<AsmError> Found; // messages of the first pass, listed by the second
  };
  // Lines of an expansion still to be read.
  struct Expansion {
    std::vector<std::string> Lines;
    size_t Next = 0;
    int Source = 0;        // the calling line
    size_t Conditions = 0; // IFs open when it began
  };
  // One open IF.
  struct Condition {
    bool Active = false;
    bool Taken = false;
    bool ParentActive = false;
    bool SeenElse = false;
  };

  // Passes and statements.
  void StartPass(int pass);
  void PassOne();
  void PassTwo();
  void Statement(const std::string& code);
  void Report(AsmError error);

  // The first pass's reading of lines, conditionals and macros.
  std::optional<size_t> NextLine(size_t floor);
  size_t AddLine(ListedLine line, std::string code);
  void EndExpansion();
  void Plan(size_t index);
  void Conditional(const std::string& word, TokenRange rest);
  bool Active() const { return Conditions.empty() || Conditions.back().Active; }
  std::optional<std::vector<std::string>> Body(size_t header);
  void DefineMacro(const std::string& name, std::string_view parameters, size_t header);
  void Repeat(const std::string& word, const std::string& code, const std::vector<Token>& tokens,
              size_t header);
  void Expand(std::vector<std::string> lines, size_t index);
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
  std::vector<int> JumpChoices;     // per listing line, fixed in the first pass
  std::vector<PlannedLine> Planned; // per listing line

  std::map<std::string, Macro> Macros;
  std::vector<Expansion> Expansions;
  std::vector<Condition> Conditions;
  size_t NextSource = 0;
  size_t ExpandedLines = 0;
  size_t ExpandedBytes = 0;
  int UniqueNames = 0;
  size_t ListedMessages = 0;

  int PassNumber = 1;
  size_t Current = 0; // listing line being assembled
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
