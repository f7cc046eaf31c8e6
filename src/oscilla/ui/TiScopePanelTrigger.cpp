#include "TiScopePanelTrigger.h"

#include "ScopeStyle.h"
#include "TiScope.h"
#include "TiSpinSelector.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace {

QToolButton* GlyphButton(const char* glyph, const QString& hint, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setIcon(Glyph(glyph));
  b->setIconSize(QSize(20, 20));
  b->setFixedSize(28, 28);
  b->setToolTip(hint);
  return b;
}

} // namespace

TiScopePanelTrigger::TiScopePanelTrigger(TiScope& scope, QWidget* parent)
    : QFrame(parent), Scope(scope) {
  StylePanel(this);
  Level = new TiSpinSelector(tr("Level"), scope.Trigger.LevelItems, this);
  Source = new TiSpinSelector(tr("Source"), scope.Trigger.SourceItems, this);
  PositiveSlope = GlyphButton("PositiveSlope", tr("Positive slope"), this);
  NegativeSlope = GlyphButton("NegativeSlope", tr("Negative slope"), this);
  auto* slopes = new QButtonGroup(this);
  for (QToolButton* b : {PositiveSlope, NegativeSlope}) {
    b->setCheckable(true);
    slopes->addButton(b);
  }
  AutoButton = new QToolButton(this);
  AutoButton->setText(tr("Auto"));
  AutoButton->setCheckable(true);
  AutoButton->setFixedHeight(28);
  TriggerButton = GlyphButton("Trigger", tr("Trigger"), this);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(2);
  for (QToolButton* b : {PositiveSlope, NegativeSlope, AutoButton, TriggerButton})
    buttons->addWidget(b);
  buttons->addStretch();
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 4, 6, 6);
  grid->setSpacing(4);
  grid->addWidget(MakeHeading(tr("Trigger"), this), 0, 0, 1, 2);
  grid->addWidget(Level, 1, 0);
  grid->addWidget(Source, 1, 1);
  grid->addLayout(buttons, 2, 0, 1, 2);
  grid->setRowStretch(3, 1);
  connect(Level, &TiSpinSelector::ItemChosen, this,
          [this](double v) { Scope.Trigger.SetLevel(v); });
  connect(Source, &TiSpinSelector::ItemChosen, this,
          [this](double v) { Scope.Trigger.SetSourceIndex(static_cast<int>(v)); });
  connect(PositiveSlope, &QToolButton::clicked, this,
          [this] { Scope.Trigger.SetPositiveSlope(true); });
  connect(NegativeSlope, &QToolButton::clicked, this,
          [this] { Scope.Trigger.SetPositiveSlope(false); });
  connect(AutoButton, &QToolButton::toggled, this, [this](bool on) {
    Scope.Trigger.SetAuto(on);
    Refresh();
  });
  connect(TriggerButton, &QToolButton::clicked, this, [this] { Scope.ForceTrigger(); });
}

void TiScopePanelTrigger::Refresh() {
  const TiScopeTrigger& t = Scope.Trigger;
  Level->SetValue(t.Level());
  Source->SetItems(t.SourceItems);
  (t.PositiveSlope() ? PositiveSlope : NegativeSlope)->setChecked(true);
  const QSignalBlocker quiet(AutoButton);
  AutoButton->setChecked(t.Auto());
  TriggerButton->setEnabled(!t.Auto());
}
