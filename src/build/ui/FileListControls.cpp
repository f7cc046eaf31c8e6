#include "FileListControls.h"

#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

FileListControls::FileListControls(QListWidget* list, QPushButton* add, QPushButton* remove,
                                   QPushButton* removeAll, std::function<QStringList()> choose,
                                   QObject* parent)
    : QObject(parent), List(list), Remove(remove), RemoveAll(removeAll), Choose(std::move(choose)) {
  connect(List, &QListWidget::currentRowChanged, this, [this](int row) {
    Editor.Select(row);
    UpdateButtons();
  });
  connect(add, &QPushButton::clicked, this, [this] {
    std::vector<std::string> paths;
    for (const QString& path : Choose())
      paths.push_back(path.toStdString());
    Editor.Add(paths);
    Show();
  });
  connect(Remove, &QPushButton::clicked, this, [this] {
    Editor.DeleteSelected();
    Show();
  });
  connect(RemoveAll, &QPushButton::clicked, this, [this] {
    Editor.DeleteAll();
    Show();
  });
}

void FileListControls::Assign(const std::vector<std::string>& entries) {
  Editor.Assign(entries);
  Show();
}

void FileListControls::SelectFirst() {
  Editor.SelectFirst();
  Show();
}

void FileListControls::Show() {
  {
    const QSignalBlocker blocker(List);
    List->clear();
    for (const std::string& entry : Editor.Entries)
      List->addItem(QString::fromStdString(entry));
    List->setCurrentRow(Editor.Selected);
  }
  UpdateButtons();
}

void FileListControls::UpdateButtons() {
  Remove->setEnabled(Editor.CanDelete());
  RemoveAll->setEnabled(Editor.CanDeleteAll());
  if (Changed) Changed();
}
