#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TOmf;

// The address-input dialog apart from its widgets: the value it edits, the
// radix choice and the drop-down history (both kept for the life of the
// program), the typing rule and the code-label list.
class AddressInput {
public:
  int32_t Value = 0;                // callers use its low 16 bits
  bool Hexadecimal = true;          // the radix buttons only choose how text is read and shown
  std::vector<std::string> History; // every accepted text, duplicates kept

  // The combo text on show: decimal, or upper-case hexadecimal without
  // leading zeros and without H.
  std::string ShownText() const;

  // Blanks are refused, and so is everything from '0' upwards that is not a
  // hexadecimal digit; control keys and the other characters below '0' pass.
  static bool AcceptsCharacter(char32_t c);

  // One line "Addr(%.4X), %s" per code label, in model order.
  static std::vector<std::string> LabelLines(const TOmf& omf);
  // The four hexadecimal digits of a label line (characters 6 to 9).
  static std::string AddressOfLabelLine(std::string_view line);

  // OK: the text joins the history, then becomes Value. A decimal text that
  // is not an integer leaves Value as it was and gives the error message.
  bool Accept(const std::string& text, std::string& error);
};
