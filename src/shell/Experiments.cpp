#include "Experiments.h"

#include "Workbench.h"

const std::array<Experiment, 10> SoftTests{{
    {0x0640, "实验一 清零程序\t"},
    {0x0660, "实验二 拆字程序\t"},
    {0x0680, "实验三 拼字程序\t"},
    {0x07B0, "实验四 数据传送\t"},
    {0x09B0, "实验五 数据排序\t"},
    {0x0AA0, "实验六 查找相同数"},
    {0x0970, "实验七 乘法子程序"},
    {0x0A10, "实验八 多分支程序"},
    {0x06E0, "实验九 脉冲计数\t"},
    {0x0030, "实验十 电脑时钟\t"},
}};

const std::array<Experiment, 16> HardTests{{
    {0x0790, "实验一 P1亮灯\t"},
    {0x0C30, "实验二 P1转弯灯"},
    {0x0810, "实验三 P3.P1输入输出"},
    {0x0190, "实验四 工业控制"},
    {0x0580, "实验五 8255输出方波"},
    {0x0770, "实验六 PA控制PB"},
    {0x0BB0, "实验七 控制交通灯"},
    {0x0B80, "实验八 I/O扩展\t"},
    {0x05A0, "实验九 A/D转换\t"},
    {0x05E0, "实验十 D/A转换\t"},
    {0x00D0, "实验十一 键盘/显示"},
    {0x0240, "实验十二 通用打印机"},
    {0x0280, "实验十三 微机打印机"},
    {0x0F00, "实验十五 继电器控制"},
    {0x0CA0, "实验十六 步进电机控制"},
    {0x0EC0, "实验十七 8253方波"},
}};

void EnterExperiment(Workbench& wb, const Experiment& experiment) {
  wb.CPU.PC = experiment.Address;
  wb.ShowPC();
  wb.RepaintViews();
}
