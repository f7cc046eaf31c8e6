// Renders the workbench's main window, its menus and dialogs to PNG files on the offscreen
// platform, for the documentation and for looking at them:
//   workbench-shots OUTDIR
#include "QtUserInterface.h"
#include "TMainForm.h"
#include "TMainFormCommands.h"
#include "Workbench.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

bool Save(const QPixmap& picture, const QString& dir, const QString& name) {
  const QString path = dir + "/" + name + ".png";
  if (picture.save(path)) return true;
  std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
  return false;
}

} // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  Q_INIT_RESOURCE(workbench);
  if (argc < 2) {
    std::fprintf(stderr, "usage: workbench-shots OUTDIR\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(dir);

  QtUserInterface ui;
  Workbench wb(ui, std::filesystem::current_path());
  wb.Option.SaveAtExit = false;
  TMainForm form(wb, ui);
  form.AttachParts();
  form.show();
  QApplication::processEvents();
  form.RunUpdateHandlers();

  bool ok = Save(form.grab(), dir, "workbench");
  for (const auto& [name, dialog] : form.Commands().Dialogs()) {
    dialog->show();
    QApplication::processEvents();
    ok = Save(dialog->grab(), dir, name) && ok;
    dialog->hide();
  }
  int index = 0;
  for (QAction* entry : form.menuBar()->actions()) {
    QMenu* menu = entry->menu();
    if (!menu) continue;
    menu->popup(form.mapToGlobal(QPoint(0, 0)));
    QApplication::processEvents();
    ok =
        Save(menu->grab(), dir, QStringLiteral("menu%1-%2").arg(index++).arg(menu->objectName())) &&
        ok;
    menu->hide();
  }
  return ok ? 0 : 1;
}
