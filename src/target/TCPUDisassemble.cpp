#include "HexText.h"
#include "InstructionTables.h"
#include "TCPU.h"

#include <cstdio>

namespace {

struct FormatArgs {
  int Values[3] = {};
  int Count = 0;
  void Add(int v) { Values[Count++] = v; }
};

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Assemblers read a number that starts with a letter as a name, so hexadecimal
// numbers of the given digit count that start with A-F get a leading "0".
void AddLeadingZeros(std::string& text, size_t digits) {
  const size_t from = text.find(' ');
  if (from == std::string::npos) return;
  for (size_t i = from; i < text.size(); ++i) {
    if (!IsHexDigit(text[i]) || (i > 0 && IsHexDigit(text[i - 1]))) continue;
    size_t end = i;
    while (end < text.size() && IsHexDigit(text[end]))
      ++end;
    if (end - i == digits && end < text.size() && text[end] == 'H' && text[i] >= 'A' &&
        text[i] <= 'F') {
      text.insert(i, 1, '0');
      i = end + 1;
    } else {
      i = end;
    }
  }
}

// Placeholder values for the format of opcode b0, in format order.
FormatArgs ArgumentsFor(uint16_t address, uint8_t b0, uint8_t b1, uint8_t b2) {
  const int hi = b0 >> 4;
  const int lo = b0 & 0x0F;
  const auto rel = [](uint8_t x) { return static_cast<int>(static_cast<int8_t>(x)); };
  const int target2 = (address + 2 + rel(b1)) & 0xFFFF;
  const int target3 = (address + 3 + rel(b2)) & 0xFFFF;
  FormatArgs a;
  switch (lo) {
  case 0:
    if (hi >= 0x1 && hi <= 0x3) {
      a.Add(b1);
      a.Add(target3);
    } else if (hi >= 0x4 && hi <= 0x8) {
      a.Add(target2);
    } else if (hi == 0x9) {
      a.Add(b1);
      a.Add(b2);
    } else if (hi >= 0xA && hi <= 0xD) {
      a.Add(b1);
    }
    break;
  case 2:
    if (hi <= 0x1) {
      a.Add(b1);
      a.Add(b2);
    } else if (hi != 0x2 && hi != 0x3 && hi != 0xE && hi != 0xF) {
      a.Add(b1);
    }
    break;
  case 3:
    if (hi >= 0x4 && hi <= 0x6) {
      a.Add(b1);
      a.Add(b2);
    }
    break;
  case 4:
    if ((hi >= 0x2 && hi <= 0x7) || hi == 0x9) {
      a.Add(b1);
    } else if (hi == 0xB) {
      a.Add(b1);
      a.Add(target3);
    }
    break;
  case 5:
    if (hi == 0x7) {
      a.Add(b1);
      a.Add(b2);
    } else if (hi == 0x8) { // MOV dir,dir: the second operand byte is the destination
      a.Add(b2);
      a.Add(b1);
    } else if (hi == 0xB || hi == 0xD) {
      a.Add(b1);
      a.Add(target3);
    } else if (hi != 0xA) {
      a.Add(b1);
    }
    break;
  default: {
    const int n = lo < 8 ? lo - 6 : lo - 8;
    if (hi == 0x7 || hi == 0xA) {
      a.Add(n);
      a.Add(b1);
    } else if (hi == 0x8) {
      a.Add(b1);
      a.Add(n);
    } else if (hi == 0xB) {
      a.Add(n);
      a.Add(b1);
      a.Add(target3);
    } else if (hi == 0xD && lo >= 8) {
      a.Add(n);
      a.Add(target2);
    } else {
      a.Add(n);
    }
  }
  }
  return a;
}

std::string InstructionText(uint16_t address, uint8_t b0, uint8_t b1, uint8_t b2) {
  char buffer[48];
  if ((b0 & 0x0F) == 1) {
    const int target = ((b0 & 0xE0) << 3) | ((address + 2) & 0xF800) | b1;
    std::snprintf(buffer, sizeof buffer, (b0 & 0x10) ? AcallFormat : AjmpFormat, target);
  } else {
    const FormatArgs a = ArgumentsFor(address, b0, b1, b2);
    std::snprintf(buffer, sizeof buffer, MnemonicFormats[FormatGroup(b0)][b0 >> 4], a.Values[0],
                  a.Values[1], a.Values[2]);
  }
  return buffer;
}

} // namespace

uint8_t TCPU::InstructionLength(uint16_t address) const {
  return InstrLength[Code[address]];
}

uint16_t TCPU::Disassemble(uint16_t address, std::string& text) const {
  const uint8_t length = InstructionLength(address);
  uint8_t bytes[3];
  for (int i = 0; i < 3; ++i)
    bytes[i] = Code[static_cast<uint16_t>(address + i)];

  std::string instruction = InstructionText(address, bytes[0], bytes[1], bytes[2]);
  AddLeadingZeros(instruction, 2);
  AddLeadingZeros(instruction, 4);

  char head[8];
  std::snprintf(head, sizeof head, "%.4X   ", address);
  std::string field = BytesToHex(bytes, length);
  field.resize(12, ' ');
  text = head + field + instruction;
  return static_cast<uint16_t>(address + length);
}
