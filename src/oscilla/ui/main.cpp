#include "Tmainform.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Oscilla"));
  Q_INIT_RESOURCE(glyphs);
  Tmainform mainform;
  mainform.show();
  return QApplication::exec();
}
