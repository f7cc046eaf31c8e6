#include "CommandUserInterface.h"

void CommandUserInterface::Message(std::string_view text) {
  ++MessageCount;
  Messages << text << '\n' << std::flush;
}

bool CommandUserInterface::AskYesNo(std::string_view text) {
  Messages << text << " -> No\n" << std::flush;
  return false;
}
