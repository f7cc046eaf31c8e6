#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QString>

#include <initializer_list>
#include <span>

class QBoxLayout;
class QButtonGroup;
class QDialog;

// The controls of the workbench's dialogs, built the same way everywhere: the object name is
// the control's name, the accessible name its caption without the "&".

QString WithoutAmpersand(QString caption);

QLabel* Label(const QString& caption, QWidget* buddy, QWidget* parent);
QPushButton* Button(const char* name, const QString& caption, QWidget* parent);
QCheckBox* CheckBox(const char* name, const QString& caption, QWidget* parent);
// A group box of radio buttons, ids 0, 1, ... in the button group.
QGroupBox* RadioGroup(const char* name, const QString& caption, std::span<const char* const> items,
                      QButtonGroup* group, QWidget* parent, int columns = 1);
// BtnOK (the default button, accepts) and BtnCancel (rejects), right-aligned.
QBoxLayout* OkCancelButtons(const QString& ok, const QString& cancel, QDialog* dialog);

// A file-dialog filter from the workbench's "text|patterns|text|patterns" form, where patterns
// are separated by ";". Each pattern is offered in upper and lower case, as names from a
// case-insensitive file system come in either.
QString FileDialogFilter(const QString& filter);
