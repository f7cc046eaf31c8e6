#include "TiScopePanelTimeBase.h"

#include "ScopeStyle.h"
#include "TiScope.h"
#include "TiSpinSelector.h"

#include <QGridLayout>
#include <QLabel>

TiScopePanelTimeBase::TiScopePanelTimeBase(TiScope& scope, QWidget* parent)
    : QFrame(parent), Scope(scope) {
  StylePanel(this);
  const TiScopeTimeBase& tb = scope.TimeBase;
  SecPerDiv = new TiSpinSelector(tr("SEC/DIV"), tb.SecPerDivItems, this);
  Position = new TiSpinSelector(tr("Position"), tb.PositionItems, this);
  PreCapture = new TiSpinSelector(tr("Pre-Capture"), tb.PreCaptureItems, this);
  PostCapture = new TiSpinSelector(tr("Post-Capture"), tb.PostCaptureItems, this);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 4, 6, 6);
  grid->setSpacing(4);
  grid->addWidget(MakeHeading(tr("Time Base"), this), 0, 0, 1, 2);
  grid->addWidget(SecPerDiv, 1, 0);
  grid->addWidget(Position, 1, 1);
  grid->addWidget(PreCapture, 2, 0);
  grid->addWidget(PostCapture, 2, 1);
  grid->setRowStretch(3, 1);
  connect(SecPerDiv, &TiSpinSelector::ItemChosen, this,
          [this](double v) { Scope.TimeBase.SetSecPerDiv(v); });
  connect(Position, &TiSpinSelector::ItemChosen, this,
          [this](double v) { Scope.SetTimePosition(v); });
  connect(PreCapture, &TiSpinSelector::ItemChosen, this,
          [this](double v) { Scope.TimeBase.SetPreCapture(v); });
  connect(PostCapture, &TiSpinSelector::ItemChosen, this,
          [this](double v) { Scope.TimeBase.SetPostCapture(v); });
}

void TiScopePanelTimeBase::Refresh() {
  const TiScopeTimeBase& tb = Scope.TimeBase;
  SecPerDiv->SetValue(tb.SecPerDiv());
  Position->SetValue(tb.Position());
  PreCapture->SetValue(tb.PreCapture());
  PostCapture->SetValue(tb.PostCapture());
}
