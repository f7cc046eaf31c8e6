// Renders the workbench's main window, its menus and its dialogs to PNG files on the offscreen
// platform, for the documentation and for looking at them:
//   workbench-shots OUTDIR [PROGRAM]
// PROGRAM (an object, HEX or BIN file) is loaded first, as `workbench PROGRAM` loads it. The
// message boxes that would wait for a click are answered at once; their texts go to stderr.
#include "QtUserInterface.h"
#include "TMainForm.h"
#include "TMainFormCommands.h"
#include "Workbench.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>

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
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: workbench-shots OUTDIR [PROGRAM]\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(dir);
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      std::fprintf(stderr, "%s\n", box->text().toLocal8Bit().constData());
      box->accept();
    }
  });
  answer.start(20);

  QtUserInterface ui;
  Workbench wb(ui, std::filesystem::current_path());
  wb.Option.SaveAtExit = false;
  TMainForm form(wb, ui);
  form.AttachParts();
  form.show();
  if (argc > 2) form.LoadProgram(QString::fromLocal8Bit(argv[2]));
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
