#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QString>

namespace ax {

// Menus and their items carry the names by which the program's texts and tests know them.

inline QMenu* AddMenu(QMenuBar* bar, const char* caption, const char* name) {
  QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

inline QAction* AddItem(QMenu* menu, const char* caption, const char* name,
                        bool checkable = false) {
  QAction* item = menu->addAction(QString::fromLatin1(caption));
  item->setObjectName(QString::fromLatin1(name));
  item->setCheckable(checkable);
  return item;
}

// An item put before `before` instead of at the end.
inline QAction* InsertItem(QMenu* menu, QAction* before, const char* caption, const char* name) {
  auto* item = new QAction(QString::fromLatin1(caption), menu);
  item->setObjectName(QString::fromLatin1(name));
  menu->insertAction(before, item);
  return item;
}

}  // namespace ax
