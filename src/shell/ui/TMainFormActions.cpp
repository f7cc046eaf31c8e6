#include "TMainFormActions.h"

namespace {

// clang-format off
constexpr TActionRow Actions[] = {
  {"AFileNew", "File", "新文件(&N)", "创建新文件", "Ctrl+N", "FileNew"},
  {"AFileOpen", "File", "打开文件(&O)", "打开文件", "Ctrl+O", "FileOpen"},
  {"AFileClose", "File", "关闭(&C)", "关闭当前窗口", "", ""},
  {"AFileOutList", "File", "输出列表文件", "", "", ""},
  {"AFileSaveROM", "File", "保存程序区...", "", "", "", false, 0},
  {"AFileSaveRAM", "File", "保存数据区...", "", "", "", false, 1},
  {"AFileExit", "File", "退出(&E)", "退出仿真程序", "Alt+X", "FileExit"},

  {"ACompileLink", "Compile", "编译、连接", "编译连接，生成目标文件", "", ""},
  {"ACompileLinkLoad", "Compile", "编译、连接、装载", "编译连接，生成目标文件、装载", "Ctrl+F9",
   "CompileLinkLoad"},
  {"ACompileLoadModule", "Compile", "装载(&L)...", "装载模块(*.OMF;*.BIN;*.HEX)", "F3",
   "CompileLoadModule"},
  {"ACompileBrowseModule", "Compile", "浏览模块(&B)...", "浏览装载的模块", "Ctrl+F3",
   "CompileBrowseModule"},
  {"ACompileOption", "Compile", "编译选项(&J)...", "工程选项", "", ""},

  {"ADebugRun", "Debug", "连续运行(&G)", "连续运行", "F9", "DebugRun"},
  {"ADebugRunToAddress", "Debug", "运行到指定地址(&A)...", "运行到指定地址...", "", ""},
  {"ADebugRunToCursor", "Debug", "运行到光标处(&C)", "运行到光标处", "F4", "DebugRunToCursor"},
  {"ADebugStep", "Debug", "单步运行(&S)", "单步运行", "F7", "DebugStep"},
  {"ADebugStepOver", "Debug", "宏单步运行(&O)", "宏单步运行", "F8", "DebugStepOver"},
  {"ADebugAutoStep", "Debug", "自动单步", "自动单步", "", ""},
  {"ADebugAutoStepOver", "Debug", "自动宏单步", "自动宏单步", "", ""},
  {"ADebugAddValue", "Debug", "增加变量...", "增加变量...", "Ctrl+F5", ""},
  {"ADebugSetClearBreakPoint", "Debug", "设置或清除断点", "设置或清除断点", "Ctrl+F8",
   "DebugSetClearBreakPoint"},
  {"ADebugBrowseBreakPoint", "Debug", "浏览断点...", "浏览断点...", "", ""},
  {"ADebugClearAllBreakPoint", "Debug", "清除所有断点", "清除所有断点", "", ""},
  {"ADebugReset", "Debug", "复位(&R)", "复位", "Ctrl+F2", "DebugReset"},
  {"ADebugResetRun", "Debug", "重新开始运行(PC=0000)", "重新开始运行(PC=0000)", "",
   "DebugResetRun"},
  {"ADebugStop", "Debug", "暂停(&O)", "暂停运行", "Esc", "DebugStop"},
  {"ADebugHalt", "Debug", "夭折处理(&H)", "夭折处理", "", ""},
  {"ADebugSetPC", "Debug", "设置PC...", "设置PC值", "", ""},
  {"ADebugSetCurPC", "Debug", "PC=当前地址", "PC=当前地址", "", ""},
  {"ADebugUseInterrupt", "Debug", "用行断点进行调试", "", "", "", true},

  {"AProjectNew", "Project", "新建(&N)...", "新建一个工程", "", ""},
  {"AProjectOpen", "Project", "打开(&O)...", "打开一个工程文件", "", "ProjectOpen"},
  {"AProjectEdit", "Project", "编辑(&E)...", "编辑工程", "", ""},
  {"AProjectClose", "Project", "关闭(&C)", "关闭工程", "", ""},
  {"AProjectFileList", "Project", "文件列表...", "", "", ""},

  {"AOptionEmluatorMode", "Option", "仿真模式(&M)...", "仿真模式...", "", ""},
  {"AOptionSelectCommPort", "Option", "通讯端口选择(&P)...", "选择通讯端口", "", ""},
  {"AOptionReConnect", "Option", "重新连接(&C)", "仿真器没有连接", "", "OptionReConnect"},

  {"AViewDebug", "View", "调试(&D)", "调试窗口", "", "", true},
  {"AViewRegist", "View", "寄存器(&R)", "寄存器窗口", "", "", true},
  {"AViewMemory1", "View", "存储空间&1", "内存窗口", "", "", true},
  {"AViewMemory2", "View", "存储空间&2", "内存窗口", "", "", true},
  {"AViewVariable", "View", "变量(&V)", "变量窗口", "", "", true},
  {"AViewStack", "View", "堆栈(&S)", "打开并切换堆栈窗口", "", "", true},
  {"AViewCLMsg", "View", "编译连接信息", "编译信息窗口", "", "", true},

  {"AWindowCascad", "Window", "层叠(&C)", "层叠窗口", "", "WindowCascad"},
  {"AWindowTitleH", "Window", "平铺(&H)", "水平平铺窗口", "", "WindowTitleH"},
  {"AWindowTitleV", "Window", "平铺(&V)", "垂直平铺窗口", "", "WindowTitleV"},
  {"AWindowPrevious", "Window", "前一窗口", "前一窗口", "F5", ""},
  {"AWindowNext", "Window", "后一窗口", "后一窗口", "F6", ""},
  {"AWindowCloseAll", "Window", "关闭所有窗口(&A)", "关闭所有窗口", "", ""},

  {"AHelpFile", "Help", "实验指导", "", "", ""},
  {"AHelpAboutCompile", "Help", "示波器            .......", "", "", ""},
  {"AHelpAbout", "Help", "使用指南      .", "", "", ""},
};

constexpr const char* FileMenu[] = {
    "AFileNew", "AFileOpen", "AFileClose", "-", "AFileOutList", "AFileSaveROM", "AFileSaveRAM",
    "-", "AFileExit"};
constexpr const char* CompileMenu[] = {
    "ACompileLink", "ACompileLinkLoad", "-", "ACompileLoadModule", "ACompileBrowseModule", "-",
    "ACompileOption"};
constexpr const char* DebugMenu[] = {
    "ADebugRun", "ADebugRunToAddress", "ADebugRunToCursor", "ADebugStep", "ADebugStepOver",
    "ADebugAutoStep", "ADebugAutoStepOver", "-", "ADebugAddValue", "-",
    "ADebugSetClearBreakPoint", "ADebugBrowseBreakPoint", "ADebugClearAllBreakPoint", "-",
    "ADebugReset", "ADebugResetRun", "-", "ADebugStop", "ADebugHalt", "ADebugSetPC",
    "ADebugSetCurPC"};
constexpr const char* ProjectMenu[] = {
    "AProjectNew", "AProjectOpen", "AProjectEdit", "AProjectClose", "-", "AProjectFileList"};
constexpr const char* OptionMenu[] = {
    "AOptionEmluatorMode", "AOptionSelectCommPort", "-", "AOptionReConnect"};
constexpr const char* ViewMenu[] = {
    "AViewDebug", "AViewRegist", "AViewMemory1", "AViewMemory2", "AViewVariable", "AViewStack",
    "AViewCLMsg"};
constexpr const char* WindowMenu[] = {
    "AWindowCascad", "AWindowTitleH", "AWindowTitleV", "-", "AWindowPrevious", "AWindowNext",
    "-", "AWindowCloseAll"};
constexpr const char* HelpMenu[] = {"AHelpFile", "AHelpAboutCompile", "AHelpAbout"};

constexpr TMenuRow Menus[] = {
  {"File", "文件(&F)", FileMenu},
  {"Compile", "编译(&C)", CompileMenu},
  {"Debug", "调试(&D)", DebugMenu},
  {"Project", "工程(&P)", ProjectMenu},
  {"Option", "设置(&S)", OptionMenu},
  {"View", "视图(&V)", ViewMenu},
  {"Window", "窗口(&W)", WindowMenu},
  {"Help", "帮助(&H)", HelpMenu},
};

constexpr const char* ToolBar[] = {
    "AFileNew", "AFileOpen", "-", "AProjectOpen", "ACompileLinkLoad", "-", "ACompileLoadModule",
    "ACompileBrowseModule", "-", "ADebugRun", "ADebugStep", "ADebugStepOver",
    "ADebugSetClearBreakPoint", "ADebugRunToCursor", "ADebugResetRun", "ADebugStop",
    "ADebugReset", "-", "AOptionReConnect", "-", "AWindowCascad", "AWindowTitleH",
    "AWindowTitleV", "-", "AFileExit", "-"};
// clang-format on

} // namespace

std::span<const TActionRow> MainFormActions() {
  return Actions;
}
std::span<const TMenuRow> MainFormMenus() {
  return Menus;
}
std::span<const char* const> MainFormToolBar() {
  return ToolBar;
}
