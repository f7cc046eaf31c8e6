#include "IceSimOptions.h"

#include <charconv>
#include <string_view>

namespace {

bool ParseNumber(std::string_view text, uint64_t& value, int base = 10) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

} // namespace

bool ParseIceSimOptions(int argc, char** argv, IceSimOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--bad-handshake") {
      options.BadHandshake = true;
      continue;
    }
    if (i + 1 >= argc) {
      error = "ice-sim: unknown option or missing value: " + std::string(arg);
      return false;
    }
    const std::string_view value = argv[++i];
    uint64_t number = 0;
    const bool isNumber = ParseNumber(value, number);
    if (arg == "--device") {
      options.Device = value;
    } else if (arg == "--log") {
      options.LogFile = value;
    } else if (arg == "--experiments") {
      options.ExperimentsFile = value;
    } else if (arg == "--no-reply" && isNumber && number > 0) {
      options.NoReplyTo.insert(number);
    } else if (arg == "--silent-after" && isNumber) {
      options.SilentAfter = number;
    } else if (arg == "--delay" && isNumber && number <= 60000) {
      options.DelayMs = static_cast<int>(number);
    } else if (arg == "--trailing" && isNumber && number <= 255) {
      options.TrailingBytes = static_cast<int>(number);
    } else if (arg == "--pending-interrupt" && ParseNumber(value, number, 16) && number <= 0xFF) {
      options.PendingVector = static_cast<uint8_t>(number);
    } else if (arg == "--ips" && isNumber) {
      options.InstructionsPerSecond = number;
    } else {
      error = "ice-sim: bad option: " + std::string(arg) + " " + std::string(value);
      return false;
    }
  }
  return true;
}
