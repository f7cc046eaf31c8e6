#include "Tmainform.h"
#include "TiScopeControl.h"
#include "TiScopePanelChannels.h"
#include "TiScopePanelTimeBase.h"
#include "TiScopePanelTrigger.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(Scratch, Sizes) {
  Tmainform form;
  form.show();
  QApplication::processEvents();
  printf("tb %d tr %d\n", form.iScope1->TimeBasePanel->height(), form.iScope1->TriggerPanel->height());
  form.grab().save("/tmp/osc/default.png");
  form.resize(720, 416);
  QApplication::processEvents();
  form.grab().save("/tmp/osc/small.png");
}
