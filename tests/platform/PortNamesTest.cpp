#include "PortNames.h"
#include "TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

TEST(PortNames, ComNamesGoThroughEnvironmentThenProfileThenTtyS) {
  TempDir dir;
  dir.Write("corvel/mciden.ini", "[CFiles]\nCOM2=/wrong/section\n"
                                 "[ports]\r\n  com2 = /dev/ttyUSB1  \r\n;COM4=/commented\n");
  setenv("XDG_CONFIG_HOME", dir.Path.c_str(), 1);
  setenv("CORVEL_COM3", "/dev/pts/77", 1);
  setenv("CORVEL_COM4", "", 1);
  struct Case {
    const char* Name;
    const char* Device;
  };
  for (const Case& c :
       {Case{"COM3", "/dev/pts/77"}, Case{"COM2", "/dev/ttyUSB1"}, Case{"com2", "/dev/ttyUSB1"},
        Case{"COM4", "/dev/ttyS3"}, Case{"COM10", "/dev/ttyS9"}, Case{"/tmp/x/port", "/tmp/x/port"},
        Case{"ttyACM0", "/dev/ttyACM0"}, Case{"COMX", "/dev/COMX"}})
    EXPECT_EQ(ResolvePortName(c.Name), c.Device) << c.Name;
  EXPECT_EQ(ProfileFilePath(), dir.Path / "corvel/mciden.ini");
  unsetenv("CORVEL_COM3");
  unsetenv("CORVEL_COM4");
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(ProfileFilePath(), "/home/someone/.config/corvel/mciden.ini");
}
