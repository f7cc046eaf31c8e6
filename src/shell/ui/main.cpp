#include "BatchRunner.h"
#include "QtUserInterface.h"
#include "TMainForm.h"
#include "TMainFormCommands.h"
#include "Workbench.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>

// workbench [--simulator] [FILE]
//   --simulator  skip the port question at start and run on the simulator
//   FILE         a program (object, HEX or BIN file) loaded after start-up
// workbench --run-batch FILE
//   runs a build's batch file without a window and exits with its status
int main(int argc, char** argv) {
  if (const auto status = RunBatchCommandLine(argc, argv)) return *status;
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(TMainForm::Caption);
  Q_INIT_RESOURCE(workbench);

  bool askPort = true;
  QString program;
  const QStringList args = QApplication::arguments().mid(1);
  for (const QString& arg : args) {
    if (arg == "--simulator") {
      askPort = false;
    } else if (arg.startsWith('-') || !program.isEmpty()) {
      std::fprintf(stderr, "usage: workbench [--simulator] [FILE]\n");
      return 2;
    } else {
      program = arg;
    }
  }

  // The workbench outlives every window: views store their bounds in its settings when they
  // are destroyed.
  QtUserInterface ui;
  Workbench wb(ui, std::filesystem::current_path());
  TMainForm form(wb, ui);
  form.AttachParts();
  if (askPort) form.Commands().SelectPortAtStart();
  form.show();
  if (!program.isEmpty()) form.LoadProgram(program);
  return QApplication::exec();
}
