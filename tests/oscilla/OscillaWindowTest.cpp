#include "SamplerProcess.h"
#include "TDlgScopeProperties.h"
#include "TMessageEvent.h"
#include "TiPlotWidget.h"
#include "TiScopeControl.h"
#include "TiScopePanelChannels.h"
#include "TiScopePanelTimeBase.h"
#include "TiScopePanelToolBar.h"
#include "TiScopePanelTrigger.h"
#include "TiSpinSelector.h"
#include "Tmainform.h"
#include "WindowTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QRect Geometry(const QWidget* w) {
  return w->geometry();
}

} // namespace

TEST(Tmainform, StartsWithItsControlsOverTheScopeAndTheStartUpSettings) {
  Tmainform form;
  form.show();
  EXPECT_TRUE(form.windowTitle().startsWith(QStringLiteral("示波器  ")));
  EXPECT_EQ(form.iScope1->size(), QSize(888, 416));
  EXPECT_EQ(Geometry(form.iScope1->Plot), QRect(0, 0, 508, 416));
  EXPECT_EQ(Geometry(form.iScope1->ToolBar), QRect(508, 0, 380, 37));
  const QRect tb = Geometry(form.iScope1->TimeBasePanel), tr = Geometry(form.iScope1->TriggerPanel);
  EXPECT_EQ(tb.topLeft(), QPoint(508, 37));
  EXPECT_EQ(tr, QRect(698, 37, 190, tb.height()));
  EXPECT_EQ(Geometry(form.iScope1->ChannelsPanel),
            QRect(508, 36 + tb.height(), 380, 380 - tb.height()));
  EXPECT_EQ(Geometry(form.StaticText1), QRect(728, 320, 43, 24));
  EXPECT_EQ(Geometry(form.Cb_comm), QRect(784, 320, 73, 19));
  EXPECT_EQ(Geometry(form.bb_sample), QRect(728, 360, 50, 25));
  EXPECT_EQ(Geometry(form.bb_stop), QRect(808, 360, 50, 25));
  EXPECT_EQ(form.StaticText1->text(), QStringLiteral("串口:"));
  EXPECT_EQ(form.bb_sample->text(), QStringLiteral("采样"));
  EXPECT_EQ(form.bb_stop->text(), QStringLiteral("停止"));
  EXPECT_FALSE(form.bb_stop->isEnabled());
  ASSERT_EQ(form.Cb_comm->count(), 10);
  EXPECT_EQ(form.Cb_comm->itemText(9), "COM10");
  EXPECT_EQ(form.Cb_comm->currentIndex(), 0);
  TiScope& scope = form.iScope1->Scope();
  EXPECT_EQ(scope.SamplesPerSecond, 445000);
  EXPECT_EQ(scope.ChannelAt(0).VoltsPerDivision(), 2.0);
  EXPECT_EQ(scope.ChannelAt(0).Coupling, TiScopeChannelCoupling::isccAC);
  EXPECT_EQ(scope.UpdateFrameRate(), 1000);
  EXPECT_EQ(scope.PrintDocumentName, "Wave");
  EXPECT_EQ(form.iScope1->TimeBasePanel->SecPerDiv->CurrentLabel(), "1 ms");
  EXPECT_EQ(form.iScope1->ChannelsPanel->VoltsPerDiv->CurrentLabel(), "2 V");
  EXPECT_EQ(form.ComPort1.Buffer().InputSize(), 4096);
  EXPECT_EQ(form.ComPort1.FlowControl().FlowControl(), TFlowControl::fcNone);
}

TEST(Tmainform, APortThatCannotOpenIsReportedAndNothingChanges) {
  setenv("CORVEL_COM3", "/dev/no-such-port", 1);
  Tmainform form;
  form.show();
  form.Frame.SamplePos = 17;
  form.Cb_comm->setCurrentIndex(2);
  MessageBoxCatcher boxes;
  QTest::mouseClick(form.bb_sample, Qt::LeftButton);
  unsetenv("CORVEL_COM3");
  EXPECT_EQ(boxes.Texts, QStringList{"Unable to open com port (win error code: 2)\n"
                                     "COM3 = /dev/no-such-port: No such file or directory"});
  EXPECT_EQ(form.ComPort1.Port(), "COM3");
  EXPECT_FALSE(form.ComPort1.Connected());
  EXPECT_TRUE(form.bb_sample->isEnabled());
  EXPECT_FALSE(form.bb_stop->isEnabled());
  EXPECT_EQ(form.Frame.SamplePos, 0);
}

TEST(Tmainform, SingleSampleMessagesClampAndAFrameWithTheLineClosedReportsTheWrite) {
  Tmainform form;
  MessageBoxCatcher boxes;
  for (intptr_t v : {intptr_t{300}, intptr_t{-5}})
    QCoreApplication::postEvent(&form, new TMessageEvent(WM_SAMPLEBYTE, v, 0));
  QApplication::processEvents();
  EXPECT_EQ(form.Frame.SampleBuffer[0], 255);
  EXPECT_EQ(form.Frame.SampleBuffer[1], 0);
  for (int i = 2; i < 1024; ++i)
    QCoreApplication::postEvent(&form, new TMessageEvent(WM_SAMPLEBYTE, 35, 0));
  ASSERT_TRUE(WaitFor([&] { return !boxes.Texts.empty(); }, 3000));
  EXPECT_EQ(boxes.Texts, QStringList{"WriteFile function failed (win error code: 9)"});
  EXPECT_EQ(form.iScope1->Scope().ChannelAt(0).Store.Count(), 1024); // plotted first
  EXPECT_EQ(form.Frame.SamplePos, 0);
}

TEST(Tmainform, SamplesFramesFromTheDeviceUntilStopped) {
  SamplerProcess sim({});
  ASSERT_FALSE(sim.DevicePath.empty());
  setenv("CORVEL_COM2", sim.DevicePath.c_str(), 1);
  Tmainform form;
  form.show();
  int frames = 0, notifications = 0, framesAtFirstSweep = 0;
  bool onGuiThread = true;
  const auto handler = form.ComPort1.OnRxChar;
  form.ComPort1.OnRxChar = [&](TComPort& port, int count) {
    onGuiThread = onGuiThread && QThread::currentThread() == qApp->thread();
    ++notifications;
    const int before = form.Frame.SamplePos;
    handler(port, count);
    if (before + count >= 1024) ++frames;
    if (!framesAtFirstSweep && !form.iScope1->Scope().ChannelAt(0).Trace.Values.empty())
      framesAtFirstSweep = frames;
  };
  form.Cb_comm->setCurrentIndex(1);
  MessageBoxCatcher boxes;
  QTest::mouseClick(form.bb_sample, Qt::LeftButton);
  ASSERT_TRUE(form.ComPort1.Connected());
  EXPECT_FALSE(form.bb_sample->isEnabled());
  EXPECT_TRUE(form.bb_stop->isEnabled());
  ASSERT_TRUE(WaitFor([&] { return frames >= 6; }, 15000)) << frames << " frames";
  EXPECT_EQ(framesAtFirstSweep, 5);
  EXPECT_GT(notifications, frames); // frames come in pieces
  EXPECT_TRUE(onGuiThread);
  EXPECT_EQ(form.iScope1->Scope().ChannelAt(0).Trace.Values.size(), 4451u);
  form.grab().save("oscilla-sampling.png");

  QTest::mouseClick(form.bb_stop, Qt::LeftButton);
  EXPECT_FALSE(form.ComPort1.Connected());
  EXPECT_TRUE(form.bb_sample->isEnabled());
  EXPECT_FALSE(form.bb_stop->isEnabled());
  // Start again: a fresh frame at position 0 on a reopened port.
  form.Frame.SamplePos = 300;
  const int before = frames;
  QTest::mouseClick(form.bb_sample, Qt::LeftButton);
  EXPECT_EQ(form.Frame.SamplePos, 0);
  EXPECT_TRUE(WaitFor([&] { return frames > before; }, 5000));
  form.close();
  unsetenv("CORVEL_COM2");
  EXPECT_FALSE(form.ComPort1.Connected());
  EXPECT_TRUE(boxes.Texts.isEmpty()) << boxes.Texts.join('\n').toStdString();
}

TEST(TiScopePanels, SelectorsButtonsAndTheManualTrigger) {
  TiScopeControl control;
  control.resize(888, 416);
  TiScope& scope = control.Scope();
  TiScopePanelTrigger& trigger = *control.TriggerPanel;
  trigger.Level->Press(+1);
  EXPECT_EQ(scope.Trigger.Level(), 51);
  trigger.Level->SetValue(37);
  trigger.Level->Hold(+1, 1000);
  EXPECT_EQ(scope.Trigger.Level(), 38);
  trigger.Level->SetValue(37);
  trigger.Level->Hold(+1, 2100);
  EXPECT_EQ(scope.Trigger.Level(), 40);
  trigger.Level->SetValue(37.5); // not an item: the label stays
  EXPECT_EQ(trigger.Level->CurrentLabel(), "40%");

  EXPECT_TRUE(trigger.AutoButton->isChecked());
  EXPECT_FALSE(trigger.TriggerButton->isEnabled());
  trigger.AutoButton->click();
  EXPECT_FALSE(scope.Trigger.Auto());
  EXPECT_TRUE(trigger.TriggerButton->isEnabled());
  trigger.NegativeSlope->click();
  EXPECT_FALSE(scope.Trigger.PositiveSlope());
  trigger.TriggerButton->click();
  EXPECT_TRUE(scope.TimeBase.ForcePending); // nothing stored yet: the trigger waits
  scope.BeginBlock();
  for (int i = 0; i < 2100; ++i)
    scope.AddBlockValue(0, i % 7);
  scope.EndBlock();
  EXPECT_EQ(scope.ChannelAt(0).Trace.Values.size(), 2001u);

  control.TimeBasePanel->SecPerDiv->Press(-1);
  EXPECT_EQ(scope.TimeBase.SecPerDiv(), 5e-4);
  EXPECT_TRUE(scope.ChannelAt(0).Trace.Values.empty());
  TiScopePanelChannels& channels = *control.ChannelsPanel;
  channels.VoltsPerDiv->Press(+1);
  EXPECT_EQ(scope.ChannelAt(0).VoltsPerDivision(), 10.0);
  EXPECT_EQ(channels.List->topLevelItem(0)->text(2), "10 V/DIV");
  channels.Visible->click();
  EXPECT_FALSE(scope.ChannelAt(0).TraceVisible);
  scope.ClearChannels();
  EXPECT_FALSE(channels.VoltsPerDiv->isEnabled());
  control.ToolBar->CursorButton->click(); // no trace: no cursor
  EXPECT_FALSE(control.ToolBar->CursorButton->isChecked());
}

TEST(TiPlotWidget, ReferenceLinesAndTheMarkerAreDraggedWithTheMouse) {
  TiScopeControl control;
  control.resize(888, 416);
  control.show();
  TiScope& scope = control.Scope();
  scope.Display.HorzScrollShow = true;
  TiPlotWidget* plot = control.Plot;
  const QRectF view = TiPlotWidget::DataView(plot->rect());
  auto yAt = [&](double h) { return QPoint(100, qRound(view.bottom() - h / 100 * view.height())); };
  QTest::mousePress(plot, Qt::LeftButton, {}, yAt(50));
  QTest::mouseMove(plot, yAt(73.46));
  QTest::mouseRelease(plot, Qt::LeftButton, {}, yAt(73.46));
  EXPECT_NEAR(scope.ChannelAt(0).Position(), 23.4, 0.3);
  EXPECT_EQ(control.ChannelsPanel->Position->CurrentLabel(),
            QString::number(scope.ChannelAt(0).Position(), 'f', 1) + "%");

  const QPoint marker(qRound(view.left() + 0.5 * view.width()),
                      qRound(view.bottom() - 0.03 * view.height()) - 4);
  const QPoint quarter(qRound(view.left() + 0.25 * view.width()), marker.y());
  QTest::mousePress(plot, Qt::LeftButton, {}, marker);
  QTest::mouseMove(plot, quarter);
  QTest::mouseRelease(plot, Qt::LeftButton, {}, quarter);
  EXPECT_NEAR(scope.TimeBase.Position(), 25.0, 0.3);
  EXPECT_EQ(control.TimeBasePanel->Position->CurrentLabel(),
            QString::number(scope.TimeBase.Position(), 'f', 1) + "%");
}

TEST(TiScopeControl, PicturesAreSavedInTheFormatOfTheirExtension) {
  TiScopeControl control;
  control.resize(888, 416);
  QTemporaryDir dir;
  for (const char* name : {"wave.png", "wave.bmp", "wave.jpg", "wave.svg"}) {
    const QString path = dir.filePath(name);
    ASSERT_TRUE(control.SavePictureAs(path)) << name;
    EXPECT_FALSE(QImage(path).isNull()) << name;
  }
  EXPECT_FALSE(control.SavePictureAs(dir.filePath("wave.gif")));
  EXPECT_FALSE(control.SavePictureAs(dir.filePath("missing/wave.png")));
}

TEST(TDlgScopeProperties, ChangesApplyAtOnce) {
  TiScopeControl control;
  TiScope& scope = control.Scope();
  scope.AddChannel();
  TDlgScopeProperties dialog(control);
  dialog.Load();
  EXPECT_EQ(dialog.windowTitle(), "Scope");
  dialog.TextShow->click();
  EXPECT_TRUE(scope.Display.TextShow);
  dialog.Level->Press(+1);
  EXPECT_EQ(scope.Trigger.Level(), 51);
  EXPECT_EQ(control.TriggerPanel->Level->CurrentLabel(), "51%");
  dialog.ChannelList->setCurrentRow(1);
  dialog.Title->setText("Probe");
  emit dialog.Title->textEdited("Probe");
  EXPECT_EQ(scope.ChannelAt(1).TitleText, "Probe");
  EXPECT_EQ(scope.Trigger.SourceItems.Item(1).Label, "Probe");
  dialog.Coupling->Press(-1);
  EXPECT_EQ(scope.ChannelAt(1).Coupling, TiScopeChannelCoupling::isccDC);
  dialog.ControlPages->setCurrentIndex(1);
  dialog.Load();
  EXPECT_EQ(dialog.ControlPages->currentIndex(), 1); // the last sub-page is remembered
  for (QPushButton* b : dialog.findChildren<QPushButton*>())
    if (b->text() == "Remove") b->click();
  EXPECT_EQ(scope.ChannelCount(), 1);
  EXPECT_EQ(dialog.ChannelList->count(), 1);
}
