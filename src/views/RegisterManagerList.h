#pragma once

#include "TRegisterDesc.h"

#include <string>
#include <string_view>
#include <vector>

// The register manager's private copy of the register list, with the rules of its lines,
// check marks and the records it makes from the properties dialog's texts.
class RegisterManagerList {
public:
  std::vector<TRegisterDesc> Records;

  // "%-9s %.2X(L)", and ", %.2X(H)" for a pair; the name padded to 9 characters.
  static std::string Line(const TRegisterDesc& desc);
  std::vector<std::string> Lines() const;
  // One check mark per line, in order: Visible := the mark.
  void StoreChecks(const std::vector<bool>& checks);

  // A record from the properties dialog: the first 9 characters of the name, length item 0
  // one byte or 1 a pair, the addresses' hexadecimal texts (non-digits count as 0, the low
  // 8 bits are used); visible.
  static TRegisterDesc FromTexts(std::string_view name, int lengthItem, std::string_view addrL,
                                 std::string_view addrH);
  // The name as the list stores it: GBK, cut on a whole character to fit 9 bytes.
  static std::string StoredName(std::string_view name);
};
