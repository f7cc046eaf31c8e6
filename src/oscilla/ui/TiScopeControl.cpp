#include "TiScopeControl.h"

#include "ScopeLayout.h"
#include "ScopeStyle.h"
#include "TDlgScopeProperties.h"
#include "TiPlotWidget.h"
#include "TiScopePanelChannels.h"
#include "TiScopePanelTimeBase.h"
#include "TiScopePanelToolBar.h"
#include "TiScopePanelTrigger.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSvgGenerator>
#include <QToolButton>

namespace {

void Place(QWidget* w, const LayoutRect& r) {
  w->setGeometry(r.Left, r.Top, r.Width, r.Height);
}

} // namespace

TiScopeControl::TiScopeControl(QWidget* parent) : QWidget(parent) {
  resize(725, 310);
  Plot = new TiPlotWidget(ScopeValue, this);
  ToolBar = new TiScopePanelToolBar(this);
  TimeBasePanel = new TiScopePanelTimeBase(ScopeValue, this);
  TriggerPanel = new TiScopePanelTrigger(ScopeValue, this);
  ChannelsPanel = new TiScopePanelChannels(ScopeValue, this);
  ChannelsPanel->lower(); // it overlaps the panels above it by one pixel
  ScopeValue.Plot.Throttle.Repaint = [this] { Plot->update(); };
  ScopeValue.OnSettingsChanged = [this] { RefreshPanels(); };
  connect(ToolBar->CursorButton, &QToolButton::clicked, this, [this] { ToggleCursor(); });
  connect(ToolBar->PropertiesButton, &QToolButton::clicked, this, [this] { ShowProperties(); });
  connect(ToolBar->CopyButton, &QToolButton::clicked, this, [this] { CopyToClipboard(); });
  connect(ToolBar->SaveButton, &QToolButton::clicked, this, [this] { SavePicture(); });
  connect(ToolBar->PrinterButton, &QToolButton::clicked, this, [this] { Print(); });
  RefreshPanels();
  UpdateLayout();
}

TiScopeControl::~TiScopeControl() {
  ScopeValue.Plot.Throttle.Repaint = nullptr;
  ScopeValue.OnSettingsChanged = nullptr;
}

void TiScopeControl::resizeEvent(QResizeEvent*) {
  UpdateLayout();
}

void TiScopeControl::UpdateLayout() {
  const ScopeLayout l =
      ComputeScopeLayout(width(), height(), ScopeValue.HideControlPanels,
                         TimeBasePanel->sizeHint().height(), TriggerPanel->sizeHint().height());
  Place(Plot, l.Plot);
  for (QWidget* panel :
       std::initializer_list<QWidget*>{ToolBar, TimeBasePanel, TriggerPanel, ChannelsPanel})
    panel->setVisible(l.PanelsVisible);
  Place(ToolBar, l.ToolBar);
  Place(TimeBasePanel, l.TimeBase);
  Place(TriggerPanel, l.Trigger);
  Place(ChannelsPanel, l.Channels);
}

void TiScopeControl::RefreshPanels() {
  TimeBasePanel->Refresh();
  TriggerPanel->Refresh();
  ChannelsPanel->Refresh();
  ToolBar->CursorButton->setChecked(ScopeValue.Plot.CursorEnabled);
  Plot->update();
}

void TiScopeControl::ToggleCursor() {
  ScopeValue.ToggleCursor();
  ToolBar->CursorButton->setChecked(ScopeValue.Plot.CursorEnabled);
}

void TiScopeControl::ShowProperties() {
  if (!Properties) Properties = new TDlgScopeProperties(*this);
  Properties->Load();
  Properties->exec();
}

QImage TiScopeControl::PlotPicture() {
  QImage image(Plot->size(), QImage::Format_RGB32);
  QPainter p(&image);
  Plot->Render(p, image.rect());
  return image;
}

void TiScopeControl::CopyToClipboard() {
  QApplication::clipboard()->setImage(PlotPicture());
}

void TiScopeControl::SavePicture() {
  QString filter;
  QString name = QFileDialog::getSaveFileName(
      this, tr("Save"), QStringLiteral("Untitled"),
      tr("Bitmap (*.bmp);;SVG Picture (*.svg);;JPEG File (*.jpg);;PNG (*.png)"), &filter);
  if (name.isEmpty()) return;
  // No extension typed: the chosen filter's.
  if (QFileInfo(name).suffix().isEmpty()) name += "." + filter.section("*.", 1).section(')', 0, 0);
  if (!SavePictureAs(name))
    QMessageBox::warning(this, tr("Save"), tr("The picture could not be written to %1.").arg(name));
}

bool TiScopeControl::SavePictureAs(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == "svg") {
    QSvgGenerator svg;
    svg.setFileName(fileName);
    svg.setSize(Plot->size());
    svg.setViewBox(Plot->rect());
    svg.setTitle(QStringLiteral("Untitled"));
    QPainter p;
    if (!p.begin(&svg)) return false;
    Plot->Render(p, Plot->rect());
    return p.end();
  }
  const char* format = suffix == "bmp"                         ? "BMP"
                       : suffix == "png"                       ? "PNG"
                       : (suffix == "jpg" || suffix == "jpeg") ? "JPG"
                                                               : nullptr;
  return format && PlotPicture().save(fileName, format);
}

void TiScopeControl::Print() {
  const TiScope& s = ScopeValue;
  QPrinter printer(QPrinter::HighResolution);
  if (!s.PrinterName.empty()) printer.setPrinterName(Utf8(s.PrinterName));
  printer.setDocName(Utf8(s.PrintDocumentName));
  printer.setPageOrientation(s.PrintOrientation == TPrintOrientation::poLandscape
                                 ? QPageLayout::Landscape
                                 : QPageLayout::Portrait);
  printer.setPageMargins(
      QMarginsF(s.PrintMarginLeft, s.PrintMarginTop, s.PrintMarginRight, s.PrintMarginBottom),
      QPageLayout::Inch);
  if (s.PrintShowDialog) {
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
  }
  if (!PrintTo(printer))
    QMessageBox::warning(this, tr("Print"), tr("The printer could not be started."));
}

bool TiScopeControl::PrintTo(QPrinter& printer) {
  QPainter p;
  if (!p.begin(&printer)) return false;
  PaintPage(p, p.viewport());
  return p.end();
}

void TiScopeControl::PaintPage(QPainter& p, const QRect& page) {
  // The plot as on screen, as large as the printable area holds it with its
  // aspect kept, centred across the page; texts and lines scale with it.
  const QSize size = Plot->size().scaled(page.size(), Qt::KeepAspectRatio);
  p.setViewport(page.x() + (page.width() - size.width()) / 2, page.y(), size.width(),
                size.height());
  p.setWindow(Plot->rect());
  Plot->Render(p, Plot->rect());
}
