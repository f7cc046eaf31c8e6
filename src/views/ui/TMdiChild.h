#pragma once

#include <QList>
#include <QMenu>

// A child window of the main frame. Qt has no menu merging: while a child is active the frame
// rebuilds its menu bar from the child's menus.
class TMdiChild {
public:
  virtual ~TMdiChild() = default;
  // Menus placed between the frame's File and Compile menus, in order.
  virtual QList<QMenu*> MergedMenus() const { return {}; }
  // A File menu that replaces the frame's own while the child is active (the source editor's).
  virtual QMenu* FileMenu() const { return nullptr; }
};
