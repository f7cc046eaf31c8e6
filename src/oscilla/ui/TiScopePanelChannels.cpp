#include "TiScopePanelChannels.h"

#include "ScopeStyle.h"
#include "TiScope.h"
#include "TiSpinSelector.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>

namespace {

QIcon Swatch(uint32_t color) {
  QPixmap pixmap(12, 12);
  pixmap.fill(ToQColor(color));
  return QIcon(pixmap);
}

// Wide enough for the widest of the texts a column can show, with the margins
// the item view draws around a text.
int ColumnWidth(const QTreeWidget* list, const QStringList& texts) {
  int widest = 0;
  for (const QString& text : texts)
    widest = std::max(widest, list->fontMetrics().horizontalAdvance(text));
  const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
  return widest + 2 * margin + 4;
}

QStringList LabelsOf(const SelectorItems& items, const QString& suffix) {
  QStringList labels;
  for (int i = 0; i < items.Count(); ++i)
    labels << Utf8(items.Item(i).Label) + suffix;
  return labels;
}

} // namespace

TiScopePanelChannels::TiScopePanelChannels(TiScope& scope, QWidget* parent)
    : QFrame(parent), Scope(scope) {
  StylePanel(this);
  MakeHeading(tr("Channels"), this)->move(6, 4);
  List = new QTreeWidget(this);
  List->setColumnCount(4);
  List->setHeaderHidden(true);
  List->setRootIsDecorated(false);
  List->setGeometry(6, 26, 366, 74);
  QPalette p = List->palette();
  p.setColor(QPalette::Base, Qt::black);
  p.setColor(QPalette::Text, Qt::white);
  List->setPalette(p);
  // Every scale, coupling and position text fits; the title takes what is left.
  const int coupling = ColumnWidth(List, LabelsOf(SelectorItems::Coupling(), ""));
  const int volts = ColumnWidth(List, LabelsOf(SelectorItems::VoltsPerDiv(), "/DIV"));
  const int position = ColumnWidth(List, LabelsOf(SelectorItems::ChannelPosition(), ""));
  List->setColumnWidth(1, coupling);
  List->setColumnWidth(2, volts);
  List->setColumnWidth(3, position);
  List->setColumnWidth(
      0, std::max(60, List->width() - 2 * List->frameWidth() - coupling - volts - position));
  VoltsPerDiv = new TiSpinSelector(tr("Volts/DIV"), SelectorItems::VoltsPerDiv(), this);
  Position = new TiSpinSelector(tr("Position"), SelectorItems::ChannelPosition(), this);
  Coupling = new TiSpinSelector(tr("Coupling"), SelectorItems::Coupling(), this);
  VoltsPerDiv->setGeometry(6, 104, 88, 40);
  Position->setGeometry(100, 104, 88, 40);
  Coupling->setGeometry(194, 104, 70, 40);
  Visible = new QCheckBox(tr("Visible"), this);
  RefLine = new QCheckBox(tr("Ref Line"), this);
  for (QCheckBox* box : {Visible, RefLine})
    box->setFont(FieldLabelFont());
  Visible->setGeometry(6, 148, 80, 20);
  RefLine->setGeometry(100, 148, 90, 20);

  connect(List, &QTreeWidget::currentItemChanged, this, [this] {
    Selected = List->indexOfTopLevelItem(List->currentItem());
    ShowSelected();
  });
  connect(VoltsPerDiv, &TiSpinSelector::ItemChosen, this, [this](double v) {
    Scope.ChannelAt(Selected).SetVoltsPerDivision(v);
    Changed();
  });
  connect(Position, &TiSpinSelector::ItemChosen, this,
          [this](double v) { Scope.SetChannelPosition(Selected, v); });
  connect(Coupling, &TiSpinSelector::ItemChosen, this, [this](double v) {
    Scope.ChannelAt(Selected).Coupling = static_cast<TiScopeChannelCoupling>(static_cast<int>(v));
    Changed();
  });
  connect(Visible, &QCheckBox::clicked, this, [this](bool on) {
    Scope.ChannelAt(Selected).TraceVisible = on;
    Changed();
  });
  connect(RefLine, &QCheckBox::clicked, this, [this](bool on) {
    Scope.ChannelAt(Selected).RefLineShow = on;
    Changed();
  });
}

void TiScopePanelChannels::SelectChannel(int index) {
  if (index >= 0 && index < List->topLevelItemCount())
    List->setCurrentItem(List->topLevelItem(index));
}

void TiScopePanelChannels::Changed() {
  Scope.SettingsChanged();
  Scope.RequestRepaint();
}

void TiScopePanelChannels::Refresh() {
  FillList();
  ShowSelected();
}

void TiScopePanelChannels::FillList() {
  const QSignalBlocker quiet(List);
  if (List->topLevelItemCount() != Scope.ChannelCount()) {
    List->clear();
    for (int c = 0; c < Scope.ChannelCount(); ++c)
      List->addTopLevelItem(new QTreeWidgetItem);
  }
  for (int c = 0; c < Scope.ChannelCount(); ++c) {
    const TiScopeChannel& ch = Scope.ChannelAt(c);
    QTreeWidgetItem* row = List->topLevelItem(c);
    row->setIcon(0, Swatch(ch.Color));
    row->setText(0, Utf8(ch.TitleText));
    row->setText(1, Utf8(TiScope::CouplingLabel(ch.Coupling)));
    row->setText(2, Utf8(TiScope::VoltsLabel(ch.VoltsPerDivision()) + "/DIV"));
    SelectorItems position = SelectorItems::ChannelPosition();
    row->setText(3, position.SetValue(ch.Position())
                        ? Utf8(position.Label())
                        : QStringLiteral("%1%").arg(ch.Position(), 0, 'f', 1));
  }
  // The first channel is selected when nothing was.
  if (Selected >= Scope.ChannelCount()) Selected = Scope.ChannelCount() - 1;
  if (Selected < 0 && Scope.ChannelCount() > 0) Selected = 0;
  if (Selected >= 0) List->setCurrentItem(List->topLevelItem(Selected));
}

void TiScopePanelChannels::ShowSelected() {
  const bool any = Selected >= 0 && Selected < Scope.ChannelCount();
  for (QWidget* w :
       std::initializer_list<QWidget*>{VoltsPerDiv, Position, Coupling, Visible, RefLine})
    w->setEnabled(any);
  if (!any) return;
  const TiScopeChannel& ch = Scope.ChannelAt(Selected);
  VoltsPerDiv->SetValue(ch.VoltsPerDivision());
  Position->SetValue(ch.Position());
  Coupling->SetValue(static_cast<int>(ch.Coupling));
  Visible->setChecked(ch.TraceVisible);
  RefLine->setChecked(ch.RefLineShow);
}
