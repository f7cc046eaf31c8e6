// ice-sim: a stand-in in-circuit emulator. It serves the emulator's wire
// protocol on a new pseudo-terminal (or a given serial device) and runs the
// user program on the workbench's own 8051 core, so the workbench can be used
// and tested without hardware.
#include "ByteChannel.h"
#include "DeviceEndpoint.h"
#include "IceSim.h"
#include "IceSimOptions.h"
#include "ProgramPreload.h"
#include "TargetRunner.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  IceSimOptions options;
  std::string error;
  if (argc == 2 && std::string(argv[1]) == "--help") {
    std::fputs(IceSimOptions::Usage, stdout);
    return 0;
  }
  if (!ParseIceSimOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "%s\n%s", error.c_str(), IceSimOptions::Usage);
    return 2;
  }
  TargetRunner target(options.InstructionsPerSecond);
  if (!options.ExperimentsFile.empty() && !target.WithCpu([&](TCPU& cpu) {
        return PreloadProgram(options.ExperimentsFile, cpu, error);
      })) {
    std::fprintf(stderr, "ice-sim: --experiments: %s\n", error.c_str());
    return 1;
  }
  DeviceEndpoint device;
  const bool opened = options.Device.empty() ? device.OpenPseudoTerminal(error)
                                             : device.OpenDevice(options.Device, error);
  if (!opened) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  std::printf("%s\n", device.Path().c_str());
  std::fflush(stdout);
  ByteChannel line(device.Descriptor());
  IceSim(line, target, options).Serve();
  return 0;
}
