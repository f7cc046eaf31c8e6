#include "TDlgScopeProperties.h"

#include "ScopeStyle.h"
#include "TiScopeControl.h"
#include "TiSpinSelector.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <limits>

namespace {

void ShowColor(QPushButton* button, uint32_t color) {
  button->setProperty("bgr", color);
  QPixmap swatch(32, 12);
  swatch.fill(ToQColor(color));
  button->setIcon(QIcon(swatch));
}

uint32_t ColorOf(const QPushButton* button) {
  return button->property("bgr").toUInt();
}

QDoubleSpinBox* NumberBox(double low, double high, int decimals) {
  auto* box = new QDoubleSpinBox;
  box->setRange(low, high);
  box->setDecimals(decimals);
  return box;
}

} // namespace

TDlgScopeProperties::TDlgScopeProperties(TiScopeControl& control)
    : QDialog(&control), Control(control), Scope(control.Scope()) {
  setWindowTitle(tr("Scope"));
  setModal(true);
  Pages = new QTabWidget(this);
  Pages->addTab(MakeControlPage(), tr("Control"));
  Pages->addTab(MakeChannelsPage(), tr("Channels"));
  Pages->addTab(MakeDisplayPage(), tr("Display"));
  Pages->addTab(MakeTimeBasePage(), tr("Time Base"));
  Pages->addTab(MakeTriggerPage(), tr("Trigger"));
  auto* close = new QPushButton(tr("Close"), this);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Pages);
  layout->addWidget(close, 0, Qt::AlignRight);
}

QWidget* TDlgScopeProperties::MakeControlPage() {
  auto* general = new QWidget;
  UpdateFrameRate = new QSpinBox;
  UpdateFrameRate->setRange(0, 1000);
  SamplesPerSecond = new QSpinBox;
  SamplesPerSecond->setRange(-std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
  AutoFrameRate = new QCheckBox(tr("Auto Frame Rate"));
  auto* g = new QFormLayout(general);
  g->addRow(tr("Update Frame Rate"), UpdateFrameRate);
  g->addRow(tr("Samples Per Second"), SamplesPerSecond);
  g->addRow(AutoFrameRate);

  auto* print = new QWidget;
  DocumentName = new QLineEdit;
  Orientation = new QComboBox;
  Orientation->addItems({tr("Portrait"), tr("Landscape")});
  ShowDialog = new QCheckBox(tr("Show Dialog"));
  auto* f = new QFormLayout(print);
  f->addRow(tr("Document Name"), DocumentName);
  const QString sides[4] = {tr("Margin Left"), tr("Margin Top"), tr("Margin Right"),
                            tr("Margin Bottom")};
  for (int i = 0; i < 4; ++i) {
    Margins[i] = NumberBox(0, 100, 2);
    f->addRow(sides[i], Margins[i]);
  }
  f->addRow(tr("Orientation"), Orientation);
  f->addRow(ShowDialog);

  ControlPages = new QTabWidget;
  ControlPages->addTab(general, tr("General"));
  ControlPages->addTab(print, tr("Print"));
  for (QSpinBox* box : {UpdateFrameRate, SamplesPerSecond})
    connect(box, &QSpinBox::valueChanged, this, [this] { ApplyGeneral(); });
  for (QDoubleSpinBox* box : Margins)
    connect(box, &QDoubleSpinBox::valueChanged, this, [this] { ApplyGeneral(); });
  for (QCheckBox* box : {AutoFrameRate, ShowDialog})
    connect(box, &QCheckBox::toggled, this, [this] { ApplyGeneral(); });
  connect(DocumentName, &QLineEdit::textEdited, this, [this] { ApplyGeneral(); });
  connect(Orientation, &QComboBox::currentIndexChanged, this, [this] { ApplyGeneral(); });
  return ControlPages;
}

QWidget* TDlgScopeProperties::MakeChannelsPage() {
  auto* page = new QWidget;
  ChannelList = new QListWidget;
  AddButton = new QPushButton(tr("Add"));
  RemoveButton = new QPushButton(tr("Remove"));
  Title = new QLineEdit;
  Color = new QPushButton;
  VoltsPerDiv = new TiSpinSelector(tr("Volts/DIV"), SelectorItems::VoltsPerDiv());
  ChannelPosition = new TiSpinSelector(tr("Position"), SelectorItems::ChannelPosition());
  Coupling = new TiSpinSelector(tr("Coupling"), SelectorItems::Coupling());
  LineWidth = new QSpinBox;
  LineWidth->setRange(1, 20);
  TraceVisible = new QCheckBox(tr("Visible"));
  RefLineShow = new QCheckBox(tr("Ref Line Show"));
  Multiplier = NumberBox(-1e9, 1e9, 6);
  Offset = NumberBox(-1e9, 1e9, 6);
  auto* list = new QVBoxLayout;
  list->addWidget(ChannelList);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(AddButton);
  buttons->addWidget(RemoveButton);
  list->addLayout(buttons);
  auto* fields = new QFormLayout;
  fields->addRow(tr("Title"), Title);
  fields->addRow(tr("Color"), Color);
  fields->addRow(VoltsPerDiv);
  fields->addRow(ChannelPosition);
  fields->addRow(Coupling);
  fields->addRow(tr("Line Width"), LineWidth);
  fields->addRow(TraceVisible);
  fields->addRow(RefLineShow);
  fields->addRow(tr("Multiplier"), Multiplier);
  fields->addRow(tr("Offset"), Offset);
  auto* row = new QHBoxLayout(page);
  row->addLayout(list);
  row->addLayout(fields);

  connect(ChannelList, &QListWidget::currentRowChanged, this, [this] { LoadChannel(); });
  connect(AddButton, &QPushButton::clicked, this, [this] { AddChannel(); });
  connect(RemoveButton, &QPushButton::clicked, this, [this] { RemoveChannel(); });
  connect(Color, &QPushButton::clicked, this, [this] { PickColor(Color); });
  connect(Title, &QLineEdit::textEdited, this, [this] { ApplyChannel(); });
  for (TiSpinSelector* s : {VoltsPerDiv, ChannelPosition, Coupling})
    connect(s, &TiSpinSelector::ItemChosen, this, [this] { ApplyChannel(); });
  connect(LineWidth, &QSpinBox::valueChanged, this, [this] { ApplyChannel(); });
  for (QCheckBox* box : {TraceVisible, RefLineShow})
    connect(box, &QCheckBox::toggled, this, [this] { ApplyChannel(); });
  for (QDoubleSpinBox* box : {Multiplier, Offset})
    connect(box, &QDoubleSpinBox::valueChanged, this, [this] { ApplyChannel(); });
  return page;
}

QWidget* TDlgScopeProperties::MakeDisplayPage() {
  auto* page = new QWidget;
  GridColor = new QPushButton;
  TextShow = new QCheckBox(tr("Text Show"));
  HorzScrollShow = new QCheckBox(tr("Horz Scroll Show"));
  MeasurementsShow = new QCheckBox(tr("Measurements Show"));
  auto* f = new QFormLayout(page);
  f->addRow(tr("Grid Color"), GridColor);
  f->addRow(TextShow);
  f->addRow(HorzScrollShow);
  f->addRow(MeasurementsShow);
  connect(GridColor, &QPushButton::clicked, this, [this] { PickColor(GridColor); });
  for (QCheckBox* box : {TextShow, HorzScrollShow, MeasurementsShow})
    connect(box, &QCheckBox::toggled, this, [this] { ApplyGeneral(); });
  return page;
}

QWidget* TDlgScopeProperties::MakeTimeBasePage() {
  auto* page = new QWidget;
  const TiScopeTimeBase& tb = Scope.TimeBase;
  SecPerDiv = new TiSpinSelector(tr("SEC/DIV"), tb.SecPerDivItems);
  TimePosition = new TiSpinSelector(tr("Position"), tb.PositionItems);
  PreCapture = new TiSpinSelector(tr("Pre-Capture"), tb.PreCaptureItems);
  PostCapture = new TiSpinSelector(tr("PostCapture"), tb.PostCaptureItems);
  auto* f = new QVBoxLayout(page);
  for (TiSpinSelector* s : {SecPerDiv, TimePosition, PreCapture, PostCapture}) {
    f->addWidget(s);
    connect(s, &TiSpinSelector::ItemChosen, this, [this] { ApplyGeneral(); });
  }
  f->addStretch();
  return page;
}

QWidget* TDlgScopeProperties::MakeTriggerPage() {
  auto* page = new QWidget;
  Level = new TiSpinSelector(tr("Level"), Scope.Trigger.LevelItems);
  Source = new TiSpinSelector(tr("Source"), Scope.Trigger.SourceItems);
  PositiveSlope = new QCheckBox(tr("Positive Slope"));
  Auto = new QCheckBox(tr("Auto"));
  auto* f = new QVBoxLayout(page);
  for (TiSpinSelector* s : {Level, Source}) {
    f->addWidget(s);
    connect(s, &TiSpinSelector::ItemChosen, this, [this] { ApplyGeneral(); });
  }
  for (QCheckBox* box : {PositiveSlope, Auto}) {
    f->addWidget(box);
    connect(box, &QCheckBox::toggled, this, [this] { ApplyGeneral(); });
  }
  f->addStretch();
  return page;
}

void TDlgScopeProperties::Load() {
  Loading = true;
  UpdateFrameRate->setValue(Scope.UpdateFrameRate());
  SamplesPerSecond->setValue(Scope.SamplesPerSecond);
  AutoFrameRate->setChecked(Scope.AutoFrameRate());
  DocumentName->setText(Utf8(Scope.PrintDocumentName));
  const double margins[4] = {Scope.PrintMarginLeft, Scope.PrintMarginTop, Scope.PrintMarginRight,
                             Scope.PrintMarginBottom};
  for (int i = 0; i < 4; ++i)
    Margins[i]->setValue(margins[i]);
  Orientation->setCurrentIndex(Scope.PrintOrientation == TPrintOrientation::poLandscape);
  ShowDialog->setChecked(Scope.PrintShowDialog);
  ShowColor(GridColor, Scope.Display.GridColor);
  TextShow->setChecked(Scope.Display.TextShow);
  HorzScrollShow->setChecked(Scope.Display.HorzScrollShow);
  MeasurementsShow->setChecked(Scope.Display.MeasurementsShow);
  SecPerDiv->SetValue(Scope.TimeBase.SecPerDiv());
  TimePosition->SetValue(Scope.TimeBase.Position());
  PreCapture->SetValue(Scope.TimeBase.PreCapture());
  PostCapture->SetValue(Scope.TimeBase.PostCapture());
  Level->SetValue(Scope.Trigger.Level());
  Source->SetItems(Scope.Trigger.SourceItems);
  PositiveSlope->setChecked(Scope.Trigger.PositiveSlope());
  Auto->setChecked(Scope.Trigger.Auto());
  const int row = std::max(0, std::min(ChannelList->currentRow(), Scope.ChannelCount() - 1));
  ChannelList->clear();
  for (int c = 0; c < Scope.ChannelCount(); ++c)
    ChannelList->addItem(Utf8(Scope.ChannelAt(c).TitleText));
  Loading = false;
  ChannelList->setCurrentRow(Scope.ChannelCount() > 0 ? row : -1);
  RemoveButton->setEnabled(Scope.ChannelCount() > 1);
  LoadChannel();
}

void TDlgScopeProperties::AddChannel() {
  const int added = Scope.AddChannel();
  Load();
  ChannelList->setCurrentRow(added);
  Control.RefreshPanels();
  Scope.RequestRepaint();
}

void TDlgScopeProperties::RemoveChannel() {
  if (SelectedChannel() < 0 || Scope.ChannelCount() <= 1) return;
  Scope.RemoveChannel(SelectedChannel());
  Load();
}

int TDlgScopeProperties::SelectedChannel() const {
  const int row = ChannelList->currentRow();
  return row >= 0 && row < Scope.ChannelCount() ? row : -1;
}

void TDlgScopeProperties::LoadChannel() {
  const int c = SelectedChannel();
  if (c < 0 || Loading) return;
  Loading = true;
  const TiScopeChannel& ch = Scope.ChannelAt(c);
  Title->setText(Utf8(ch.TitleText));
  ShowColor(Color, ch.Color);
  VoltsPerDiv->SetValue(ch.VoltsPerDivision());
  ChannelPosition->SetValue(ch.Position());
  Coupling->SetValue(static_cast<int>(ch.Coupling));
  LineWidth->setValue(ch.TraceLineWidth);
  TraceVisible->setChecked(ch.TraceVisible);
  RefLineShow->setChecked(ch.RefLineShow);
  Multiplier->setValue(ch.ScalerMultiplier);
  Offset->setValue(ch.ScalerOffset);
  Loading = false;
}

void TDlgScopeProperties::ApplyGeneral() {
  if (Loading) return;
  Scope.SetUpdateFrameRate(UpdateFrameRate->value());
  Scope.SamplesPerSecond = SamplesPerSecond->value();
  Scope.SetAutoFrameRate(AutoFrameRate->isChecked());
  Scope.PrintDocumentName = DocumentName->text().toStdString();
  Scope.PrintMarginLeft = Margins[0]->value();
  Scope.PrintMarginTop = Margins[1]->value();
  Scope.PrintMarginRight = Margins[2]->value();
  Scope.PrintMarginBottom = Margins[3]->value();
  Scope.PrintOrientation = Orientation->currentIndex() == 1 ? TPrintOrientation::poLandscape
                                                            : TPrintOrientation::poPortrait;
  Scope.PrintShowDialog = ShowDialog->isChecked();
  Scope.Display.GridColor = ColorOf(GridColor);
  Scope.Display.TextShow = TextShow->isChecked();
  Scope.Display.HorzScrollShow = HorzScrollShow->isChecked();
  Scope.Display.MeasurementsShow = MeasurementsShow->isChecked();
  Scope.TimeBase.SetSecPerDiv(SecPerDiv->Items().Value());
  Scope.SetTimePosition(TimePosition->Items().Value());
  Scope.TimeBase.SetPreCapture(PreCapture->Items().Value());
  Scope.TimeBase.SetPostCapture(PostCapture->Items().Value());
  Scope.Trigger.SetLevel(Level->Items().Value());
  Scope.Trigger.SetSourceIndex(static_cast<int>(Source->Items().Value()));
  Scope.Trigger.SetPositiveSlope(PositiveSlope->isChecked());
  Scope.Trigger.SetAuto(Auto->isChecked());
  Control.RefreshPanels();
  Scope.RequestRepaint();
}

void TDlgScopeProperties::ApplyChannel() {
  const int c = SelectedChannel();
  if (Loading || c < 0) return;
  TiScopeChannel& ch = Scope.ChannelAt(c);
  ch.TitleText = Title->text().toStdString();
  ch.Color = ColorOf(Color);
  ch.SetVoltsPerDivision(VoltsPerDiv->Items().Value());
  ch.SetPosition(ChannelPosition->Items().Value());
  ch.Coupling = static_cast<TiScopeChannelCoupling>(static_cast<int>(Coupling->Items().Value()));
  ch.TraceLineWidth = LineWidth->value();
  ch.TraceVisible = TraceVisible->isChecked();
  ch.RefLineShow = RefLineShow->isChecked();
  ch.ScalerMultiplier = Multiplier->value();
  ch.ScalerOffset = Offset->value();
  ChannelList->item(c)->setText(Title->text());
  Scope.RefreshSources();
  Source->SetItems(Scope.Trigger.SourceItems);
  Control.RefreshPanels();
  Scope.RequestRepaint();
}

void TDlgScopeProperties::PickColor(QPushButton* button) {
  const QColor chosen = QColorDialog::getColor(ToQColor(ColorOf(button)), this);
  if (!chosen.isValid()) return;
  ShowColor(button, FromQColor(chosen));
  if (button == GridColor)
    ApplyGeneral();
  else
    ApplyChannel();
}
