// Oscilla as a student meets it in the lab: printouts, window sizes, the channel
// list, the status text and the measurements, with sampler-sim on a
// pseudo-terminal. The pictures are saved as oscilla-*.png in the working folder.
#include "SamplerProcess.h"
#include "TDlgScopeProperties.h"
#include "TiPlotWidget.h"
#include "TiScopeControl.h"
#include "TiScopePanelChannels.h"
#include "TiScopePanelTimeBase.h"
#include "TiScopePanelToolBar.h"
#include "TiScopePanelTrigger.h"
#include "TiSpinSelector.h"
#include "Tmainform.h"
#include "WindowTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

// Feeds the scope six frames of a 1 kHz sine the way Oscilla plots them.
void FeedSine(TiScope& scope) {
  for (int frame = 0, i = 0; frame < 6; ++frame) {
    scope.BeginBlock();
    for (int k = 0; k < 1024; ++k, ++i)
      scope.AddBlockValue(0, (128 + 100 * std::sin(2 * std::numbers::pi * i / 445.0)) / 35.0);
    scope.EndBlock();
  }
}

// The bounding box of the pixels that `match` picks inside `area`.
template <typename Match> QRect BoxOf(const QImage& image, const QRect& area, Match match) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (match(image.pixelColor(x, y))) box |= QRect(x, y, 1, 1);
  return box;
}

bool Dark(const QColor& c) {
  return c.red() < 40 && c.green() < 40 && c.blue() < 40;
}
// The time-base readout is the only white on the plot.
bool White(const QColor& c) {
  return c.red() > 200 && c.green() > 200 && c.blue() > 200;
}

// The first page of a PDF file as an image, through Ghostscript.
QImage RenderPdf(const QString& pdf, int dpi, const QString& png) {
  QProcess gs;
  gs.start(QStringLiteral("gs"), {"-q", "-dNOPAUSE", "-dBATCH", "-sDEVICE=png16m",
                                  QStringLiteral("-r%1").arg(dpi), "-sOutputFile=" + png, pdf});
  if (!gs.waitForFinished(30000) || gs.exitCode() != 0) return {};
  return QImage(png).convertToFormat(QImage::Format_RGB32);
}

// The width the list's delegate asks for to show a cell whole, margins included.
int CellWidthNeeded(QTreeWidget* list, int row, int column) {
  QStyleOptionViewItem option;
  option.initFrom(list->viewport());
  option.font = list->font();
  option.fontMetrics = list->fontMetrics();
  return list->itemDelegate()->sizeHint(option, list->model()->index(row, column)).width();
}

} // namespace

TEST(OscillaPrinting, APageShowsThePlotAsOnScreenScaledToThePrintableArea) {
  if (QStandardPaths::findExecutable("gs").isEmpty()) GTEST_SKIP() << "no Ghostscript";
  Tmainform form;
  form.show();
  TiScope& scope = form.iScope1->Scope();
  scope.Display.TextShow = true;
  FeedSine(scope);
  form.iScope1->ToggleCursor();
  const QImage screen = form.iScope1->PlotPicture();
  const QRect readout = BoxOf(screen, screen.rect(), White);
  ASSERT_FALSE(readout.isEmpty());
  const double screenRatio = double(readout.height()) / screen.height();

  struct Case {
    const char* Name;
    QPageSize::PageSizeId Page;
    QPageLayout::Orientation Orientation;
    bool FillsWidth; // else as tall as the printable area, centred across
  };
  const Case cases[] = {{"a4-landscape", QPageSize::A4, QPageLayout::Landscape, false},
                        {"letter-portrait", QPageSize::Letter, QPageLayout::Portrait, true}};
  QTemporaryDir dir;
  constexpr int Dpi = 60;
  for (const Case& c : cases) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("%1.pdf").arg(c.Name)));
    printer.setPageSize(QPageSize(c.Page));
    printer.setPageOrientation(c.Orientation);
    printer.setPageMargins(QMarginsF(1, 1, 1, 1), QPageLayout::Inch);
    ASSERT_TRUE(form.iScope1->PrintTo(printer)) << c.Name;
    const QImage page = RenderPdf(printer.outputFileName(), Dpi, dir.filePath("page.png"));
    ASSERT_FALSE(page.isNull()) << c.Name;
    page.save(QStringLiteral("oscilla-print-%1.png").arg(c.Name));
    const QRect printable = page.rect().adjusted(Dpi, Dpi, -Dpi, -Dpi);
    const QRect plot = BoxOf(page, page.rect(), Dark);
    if (c.FillsWidth)
      EXPECT_NEAR(plot.width(), printable.width(), 3) << c.Name;
    else
      EXPECT_NEAR(plot.height(), printable.height(), 3) << c.Name;
    EXPECT_NEAR(plot.top(), printable.top(), 2) << c.Name;
    EXPECT_NEAR(plot.left() - printable.left(), printable.right() - plot.right(), 3) << c.Name;
    EXPECT_NEAR(double(plot.width()) / plot.height(), double(screen.width()) / screen.height(),
                0.02)
        << c.Name;
    // The readout is as tall against the plot as on screen, not many times taller.
    const QRect text = BoxOf(page, plot, White);
    ASSERT_FALSE(text.isEmpty()) << c.Name;
    EXPECT_NEAR(double(text.height()) / plot.height(), screenRatio, 0.3 * screenRatio) << c.Name;
  }
}

TEST(OscillaWindow, EveryControlShowsFromTheMinimumSizeUp) {
  Tmainform form;
  form.show();
  FeedSine(form.iScope1->Scope());
  const QSize sizes[] = {QSize(200, 150), QSize(888, 416), QSize(1400, 800)};
  const QSize expected[] = {Tmainform::MinimumClientSize, QSize(888, 416), QSize(1400, 800)};
  TiScopeControl& scope = *form.iScope1;
  TiScopePanelChannels& channels = *scope.ChannelsPanel;
  for (int i = 0; i < 3; ++i) {
    form.resize(sizes[i]);
    QApplication::processEvents();
    const QSize size = form.size();
    EXPECT_EQ(size, expected[i]);
    EXPECT_EQ(scope.geometry(), form.rect());
    EXPECT_EQ(scope.Plot->geometry(), QRect(0, 0, size.width() - 380, size.height()));
    EXPECT_EQ(channels.geometry().bottom(), size.height() - 1);
    const QWidget* port[] = {form.StaticText1, form.Cb_comm, form.bb_sample, form.bb_stop};
    const QWidget* panel[] = {channels.List,     channels.VoltsPerDiv, channels.Position,
                              channels.Coupling, channels.Visible,     channels.RefLine};
    for (const QWidget* w : port) {
      const QRect r(w->mapTo(&form, QPoint(0, 0)), w->size());
      EXPECT_TRUE(w->isVisible() && form.rect().contains(r))
          << i << " " << w->accessibleName().toStdString();
      EXPECT_EQ(form.childAt(r.center()), w) << i << " " << w->accessibleName().toStdString();
      for (const QWidget* other : panel)
        EXPECT_FALSE(r.intersects(QRect(other->mapTo(&form, QPoint(0, 0)), other->size())))
            << i << " " << w->accessibleName().toStdString();
    }
    for (const QWidget* w : panel)
      EXPECT_TRUE(channels.rect().contains(w->geometry())) << i;
  }
  form.resize(Tmainform::MinimumClientSize);
  QApplication::processEvents();
  form.grab().save("oscilla-minimum.png");
}

TEST(OscillaChannels, TheLastChannelStaysAndAddBringsOneWithTheStartUpSettings) {
  Tmainform form;
  TiScope& scope = form.iScope1->Scope();
  TDlgScopeProperties dialog(*form.iScope1);
  dialog.Load();
  EXPECT_FALSE(dialog.RemoveButton->isEnabled());
  dialog.RemoveButton->click();
  EXPECT_EQ(scope.ChannelCount(), 1);
  dialog.AddButton->click();
  ASSERT_EQ(scope.ChannelCount(), 2);
  EXPECT_EQ(dialog.ChannelList->currentRow(), 1);
  EXPECT_EQ(dialog.Title->text(), "CH2");
  const TiScopeChannel& added = scope.ChannelAt(1);
  EXPECT_EQ(added.VoltsPerDivision(), 2.0);
  EXPECT_EQ(added.Coupling, TiScopeChannelCoupling::isccAC);
  EXPECT_EQ(form.iScope1->ChannelsPanel->List->topLevelItemCount(), 2);
  EXPECT_EQ(scope.Trigger.SourceItems.Count(), 2);
  EXPECT_TRUE(dialog.RemoveButton->isEnabled());
  dialog.ChannelList->setCurrentRow(0);
  dialog.RemoveButton->click();
  ASSERT_EQ(scope.ChannelCount(), 1);
  EXPECT_EQ(scope.ChannelAt(0).TitleText, "CH2");
  EXPECT_FALSE(dialog.RemoveButton->isEnabled());
  // The frames of the device still have their channel.
  FeedSine(scope);
  EXPECT_EQ(scope.ChannelAt(0).Trace.Values.size(), 4451u);
}

TEST(OscillaChannels, TheScaleColumnHoldsEverySelectorText) {
  TiScopeControl control;
  control.resize(888, 416);
  control.show();
  TiScopePanelChannels& channels = *control.ChannelsPanel;
  const SelectorItems volts = SelectorItems::VoltsPerDiv();
  for (int i = 0; i < volts.Count(); ++i) {
    control.Scope().ChannelAt(0).SetVoltsPerDivision(volts.Item(i).Value);
    control.RefreshPanels();
    const QString text = channels.List->topLevelItem(0)->text(2);
    EXPECT_EQ(text, QString::fromStdString(volts.Item(i).Label) + "/DIV");
    EXPECT_GE(channels.List->columnWidth(2), CellWidthNeeded(channels.List, 0, 2))
        << text.toStdString();
  }
  for (int column : {1, 3})
    EXPECT_GE(channels.List->columnWidth(column), CellWidthNeeded(channels.List, 0, column));
  int total = 0;
  for (int column = 0; column < 4; ++column)
    total += channels.List->columnWidth(column);
  EXPECT_LE(total, channels.List->viewport()->width());
  channels.grab().save("oscilla-channels.png");
}

namespace {

// Oscilla sampling from a sampler-sim on COM2.
struct SamplingWindow {
  explicit SamplingWindow(std::vector<std::string> args) : Sim(std::move(args)) {
    setenv("CORVEL_COM2", Sim.DevicePath.c_str(), 1);
    Form.FormCreate();
    Form.show();
    Form.Cb_comm->setCurrentIndex(1);
  }
  ~SamplingWindow() {
    Form.close();
    unsetenv("CORVEL_COM2");
  }
  bool Start() {
    QTest::mouseClick(Form.bb_sample, Qt::LeftButton);
    return Form.ComPort1.Connected();
  }
  TiScope& Scope() { return Form.iScope1->Scope(); }
  bool HasSweep() { return !Scope().ChannelAt(0).Trace.Values.empty(); }

  SamplerProcess Sim;
  Tmainform Form;
  MessageBoxCatcher Boxes;
};

} // namespace

TEST(OscillaStatus, SaysSamplingThenThatTheDeviceFellSilent) {
  SamplingWindow w({"--silent-after", "6"});
  ASSERT_FALSE(w.Sim.DevicePath.empty());
  EXPECT_EQ(w.Scope().Plot.Status, TScopeStatus::None);
  ASSERT_TRUE(w.Start());
  EXPECT_EQ(w.Scope().Plot.Status, TScopeStatus::Sampling);
  ASSERT_TRUE(WaitFor([&] { return w.HasSweep(); }, 10000));
  EXPECT_EQ(w.Scope().Plot.Status, TScopeStatus::Sampling);
  ASSERT_TRUE(WaitFor([&] { return w.Scope().Plot.Status == TScopeStatus::Silent; }, 10000));
  EXPECT_TRUE(w.Form.ComPort1.Connected()); // nothing changes on the wire
  EXPECT_FALSE(w.Form.bb_sample->isEnabled());
  w.Form.grab().save("oscilla-silent.png");
  QTest::mouseClick(w.Form.bb_stop, Qt::LeftButton);
  EXPECT_EQ(w.Scope().Plot.Status, TScopeStatus::None);
  EXPECT_TRUE(w.Boxes.Texts.isEmpty()) << w.Boxes.Texts.join('\n').toStdString();
}

TEST(OscillaStatus, SaysWaitingWhileTheTriggerDoesNotFire) {
  SamplingWindow w({});
  w.Scope().Trigger.SetAuto(false); // manual: nothing fires until "Trigger"
  ASSERT_TRUE(w.Start());
  ASSERT_TRUE(
      WaitFor([&] { return w.Scope().Plot.Status == TScopeStatus::WaitingForTrigger; }, 10000));
  EXPECT_FALSE(w.HasSweep());
  w.Form.iScope1->TriggerPanel->TriggerButton->click();
  EXPECT_TRUE(w.HasSweep());
  ASSERT_TRUE(WaitFor([&] { return w.Scope().Plot.Status == TScopeStatus::Sampling; }, 2000));
}

TEST(OscillaMeasurements, SineAndSquareOfTheDevice) {
  for (const char* wave : {"sine", "square"}) {
    SamplingWindow w({"--wave", wave, "--frequency", "1000", "--amplitude", "100"});
    w.Scope().Display.TextShow = true;
    w.Form.resize(1400, 800);
    ASSERT_TRUE(w.Start()) << wave;
    ASSERT_TRUE(WaitFor([&] { return w.HasSweep(); }, 10000)) << wave;
    const TraceMeasurements m = w.Scope().Measure(0);
    ASSERT_TRUE(m.Valid) << wave;
    EXPECT_NEAR(m.PeakToPeak, 200 / 35.0, 0.02 * 200 / 35.0) << wave;
    EXPECT_NEAR(m.Frequency, 1000, 20) << wave;
    ASSERT_TRUE(w.Scope().TriggerLevelHeight()) << wave;
    w.Form.iScope1->ToggleCursor();
    w.Form.grab().save(QStringLiteral("oscilla-large-%1.png").arg(wave));
  }
}

TEST(OscillaSampling, ThePauseBetweenFramesLeavesTheWindowLive) {
  SamplingWindow w({});
  QElapsedTimer clock;
  clock.start();
  std::vector<qint64> frameDone, frameBegin;
  int pendingAfterPlot = 0, frames = 0;
  const auto handler = w.Form.ComPort1.OnRxChar;
  w.Form.ComPort1.OnRxChar = [&](TComPort& port, int count) {
    if (w.Form.Frame.SamplePos == 0) frameBegin.push_back(clock.elapsed());
    const bool completes = w.Form.Frame.SamplePos + count >= 1024;
    handler(port, count);
    if (!completes) return;
    ++frames;
    frameDone.push_back(clock.elapsed());
    // The handler is back while the request still waits for its pause.
    if (w.Form.RequestTimer.isActive()) ++pendingAfterPlot;
  };
  ASSERT_TRUE(w.Start());
  ASSERT_TRUE(WaitFor([&] { return frames >= 3; }, 10000));
  EXPECT_EQ(pendingAfterPlot, frames);
  ASSERT_GE(frameBegin.size(), 3u);
  for (size_t k = 0; k + 1 < frameBegin.size() && k < frameDone.size(); ++k)
    EXPECT_GE(frameBegin[k + 1] - frameDone[k], Tmainform::RequestPauseMs - 5) << k;
  // Stopping during the pause sends nothing more.
  QTest::mouseClick(w.Form.bb_stop, Qt::LeftButton);
  EXPECT_FALSE(w.Form.RequestTimer.isActive());
  EXPECT_TRUE(w.Boxes.Texts.isEmpty()) << w.Boxes.Texts.join('\n').toStdString();
}

TEST(OscillaPorts, TheListNamesTheDeviceOfEachPort) {
  setenv("CORVEL_COM2", "/dev/pts/77", 1);
  Tmainform form;
  unsetenv("CORVEL_COM2");
  EXPECT_EQ(form.Cb_comm->itemText(1), "COM2");
  EXPECT_EQ(form.Cb_comm->itemData(1, Qt::ToolTipRole).toString(), "COM2 = /dev/pts/77");
  EXPECT_TRUE(form.Cb_comm->itemData(9, Qt::ToolTipRole).toString().startsWith("COM10 = /"));
  form.Cb_comm->setCurrentIndex(1);
  EXPECT_EQ(form.Cb_comm->toolTip(), "COM2 = /dev/pts/77");
}
