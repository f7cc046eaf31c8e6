#include "TiSpinSelector.h"

#include "ScopeStyle.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

TiSpinSelector::TiSpinSelector(const QString& caption, SelectorItems items, QWidget* parent)
    : QWidget(parent), ItemsValue(std::move(items)) {
  auto* title = new QLabel(caption, this);
  title->setFont(FieldLabelFont());
  Display = new QLabel(this);
  Display->setAutoFillBackground(true);
  QPalette p = Display->palette();
  p.setColor(QPalette::Window, Qt::black);
  p.setColor(QPalette::WindowText, QColor(0, 255, 0));
  Display->setPalette(p);
  QFont bold = Display->font();
  bold.setBold(true);
  Display->setFont(bold);
  Display->setAlignment(Qt::AlignCenter);
  Display->setFixedHeight(22);
  Up = new QToolButton(this);
  Down = new QToolButton(this);
  Up->setArrowType(Qt::UpArrow);
  Down->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {Up, Down})
    b->setFixedSize(16, 11);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  grid->addWidget(title, 0, 0, 1, 2);
  grid->addWidget(Display, 1, 0, 2, 1);
  grid->addWidget(Up, 1, 1);
  grid->addWidget(Down, 2, 1);
  connect(Up, &QToolButton::pressed, this, [this] { StartHold(+1); });
  connect(Down, &QToolButton::pressed, this, [this] { StartHold(-1); });
  connect(Up, &QToolButton::released, this, &TiSpinSelector::StopHold);
  connect(Down, &QToolButton::released, this, &TiSpinSelector::StopHold);
  connect(&RepeatTimer, &QTimer::timeout, this, &TiSpinSelector::Repeat);
  Show();
}

void TiSpinSelector::SetItems(SelectorItems items) {
  ItemsValue = std::move(items);
  Show();
}

void TiSpinSelector::SetValue(double value) {
  ItemsValue.SetValue(value);
  Show();
}

QString TiSpinSelector::CurrentLabel() const {
  return Utf8(ItemsValue.Label());
}

void TiSpinSelector::Show() {
  Display->setText(CurrentLabel());
}

void TiSpinSelector::Choose(int index) {
  if (index < 0 || index == ItemsValue.ItemIndex()) return;
  ItemsValue.SetItemIndex(index);
  Show();
  emit ItemChosen(ItemsValue.Value());
}

void TiSpinSelector::Press(int direction) {
  Choose(ItemsValue.StepTarget(direction));
}

void TiSpinSelector::Hold(int direction, int heldMs) {
  Choose(ItemsValue.HeldTarget(direction, heldMs));
}

void TiSpinSelector::StartHold(int direction) {
  HeldDirection = direction;
  Held.start();
  Press(direction);
  RepeatTimer.start(500);
}

void TiSpinSelector::StopHold() {
  RepeatTimer.stop();
  HeldDirection = 0;
}

void TiSpinSelector::Repeat() {
  RepeatTimer.setInterval(std::max(1, ItemsValue.RepeatIntervalMs));
  Hold(HeldDirection, static_cast<int>(Held.elapsed()));
}
