#include "IceSimProcess.h"
#include "MemoryRows.h"
#include "RegisterCells.h"
#include "ViewsFixture.h"
#include "WatchList.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

class QuietSurface : public MemoryGridSurface {
  void RepaintCell(int, int) override {}
  void RepaintGrid() override {}
  void ScrollPositionsChanged() override {}
};

// The views with ice-sim on the other end of COM1.
struct ViewsOnIceSim : ViewsFixture {
  std::unique_ptr<IceSimProcess> Sim;
  void SetUp() override {
    Sim = std::make_unique<IceSimProcess>(std::vector<std::string>{}, dir.Path / "frames.log");
    ASSERT_FALSE(Sim->DevicePath.empty());
    setenv("CORVEL_COM1", Sim->DevicePath.c_str(), 1);
    wb->Option.SelectPort = 0;
    wb->Port.Open();
    ASSERT_TRUE(wb->Port.IsOpen());
  }
};

TEST_F(ViewsOnIceSim, AMemoryWindowWritesEditsThroughAndReadsOnlyItsVisibleRows) {
  QuietSurface surface;
  MemoryRows rows(target, surface);
  rows.FitRows(5 * 21, 0); // four data rows: 0000H-003FH
  rows.SelectSpace(1);
  rows.MoveRow(2);
  rows.MoveCol(3);
  rows.TypeDigit(0xA);
  rows.TypeDigit(0xB);
  EXPECT_EQ(cpu.XData[0x12], 0xAB);
  cpu.XData[0x12] = 0;
  cpu.XData[0x40] = 0x55; // below the last row: not read back
  rows.LoadFromTarget();
  EXPECT_EQ(cpu.XData[0x12], 0xAB);
  EXPECT_EQ(cpu.XData[0x40], 0x55);

  rows.SelectSpace(2);
  rows.SetStartAddr(0xF0); // one row inside the space, three beyond it
  cpu.IRam[0xF5] = 0x66;
  rows.LoadFromTarget();
  EXPECT_EQ(cpu.IRam[0xF5], 0x00);
}

TEST_F(ViewsOnIceSim, TheRegisterWindowReadsVisibleRegistersTheStateBlockDoesNotCarry) {
  const int tmod = cpu.FindRegisterIndex("TMOD");
  ASSERT_GE(tmod, 0);
  cpu.Registers[static_cast<size_t>(tmod)].Visible = 1;
  cpu.SetRegisterValue(tmod, 0x21);
  cpu.SfrAt(0x89) = 0;
  RegisterCells cells(target);
  cells.LoadFromTarget();
  EXPECT_EQ(cpu.SfrAt(0x89), 0x21);
  for (const RegisterCell& cell : cells.Cells())
    if (cell.ComponentName == "RTMOD13") {
      EXPECT_EQ(cell.Caption, "21");
    }
}

TEST_F(ViewsOnIceSim, AWatchIsReadFromTheEmulatorBeforeItIsShown) {
  auto module = std::make_unique<TDefModuleInfo>();
  TSymbolRec limit;
  limit.Name = "limit";
  limit.Region = 1;
  limit.Addr = 0x0010;
  limit.Type = 3;
  module->Symbols.push_back(limit);
  wb->DebugInfo.Modules.push_back(std::move(module));
  cpu.XData[0x10] = 7;
  wb->Port.WriteXData(0x10, 1);
  cpu.XData[0x10] = 0;
  WatchList list(target, wb->DebugInfo);
  list.Add("limit");
  EXPECT_EQ(list.BuildList(), std::vector<std::string>{"limit: xdata, Byte::7, 07H"});
}

} // namespace
