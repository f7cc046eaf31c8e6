#include "DialogControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

QString WithoutAmpersand(QString caption) {
  return caption.remove('&');
}

QLabel* Label(const QString& caption, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setAccessibleName(WithoutAmpersand(caption));
  if (buddy) {
    label->setBuddy(buddy);
    if (buddy->accessibleName().isEmpty()) buddy->setAccessibleName(WithoutAmpersand(caption));
  }
  return label;
}

QPushButton* Button(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAccessibleName(WithoutAmpersand(caption));
  button->setAutoDefault(false);
  return button;
}

QCheckBox* CheckBox(const char* name, const QString& caption, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  box->setAccessibleName(WithoutAmpersand(caption));
  return box;
}

QGroupBox* RadioGroup(const char* name, const QString& caption, std::span<const char* const> items,
                      QButtonGroup* group, QWidget* parent, int columns) {
  auto* box = new QGroupBox(caption, parent);
  box->setObjectName(name);
  box->setAccessibleName(WithoutAmpersand(caption).trimmed());
  auto* layout = new QGridLayout(box);
  const int rows = (int(items.size()) + columns - 1) / columns;
  for (size_t i = 0; i < items.size(); ++i) {
    auto* radio = new QRadioButton(QString::fromUtf8(items[i]), box);
    radio->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
    radio->setAccessibleName(WithoutAmpersand(radio->text()).trimmed());
    group->addButton(radio, int(i));
    layout->addWidget(radio, int(i) % rows, int(i) / rows);
  }
  return box;
}

QBoxLayout* OkCancelButtons(const QString& ok, const QString& cancel, QDialog* dialog) {
  QPushButton* okButton = Button("BtnOK", ok, dialog);
  okButton->setDefault(true);
  QPushButton* cancelButton = Button("BtnCancel", cancel, dialog);
  QObject::connect(okButton, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(cancelButton, &QPushButton::clicked, dialog, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(okButton);
  row->addWidget(cancelButton);
  return row;
}

QString FileDialogFilter(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
      patterns << pattern;
      for (const QString& other : {pattern.toLower(), pattern.toUpper()})
        if (!patterns.contains(other)) patterns << other;
    }
    entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(' '));
  }
  return entries.join(";;");
}
