#include "QtUserInterface.h"
#include "TMainForm.h"
#include "Workbench.h"

#include <QApplication>

#include <filesystem>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(TMainForm::Caption);
  Q_INIT_RESOURCE(workbench);

  // The workbench outlives every window: views store their bounds in its settings when they
  // are destroyed.
  QtUserInterface ui;
  Workbench wb(ui, std::filesystem::current_path());
  TMainForm form(wb, ui);
  form.AttachParts();
  form.show();
  return QApplication::exec();
}
