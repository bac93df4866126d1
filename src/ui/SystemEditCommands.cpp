// The system window's world edits: Reroll World (and from a seed), Reroll Unlocked, Lock
// World, Edit World..., Remove World and Add World, each a step on the edits' undo stack, in the
// Edit menu and in the views' context menu.

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QStatusBar>
#include <QUndoCommand>
#include <QUndoStack>

#include <utility>

#include "ui/EditWorldForm.h"
#include "ui/MenuItems.h"
#include "ui/SystemDisplay.h"
#include "ui/SystemScreen.h"

namespace ax {
namespace {

// One edit on the stack. Pushed after the edit was made, its first redo has nothing to do.
class EditCommand : public QUndoCommand {
 public:
  EditCommand(EditStep step, SystemEdits& edits, std::function<void()> shown)
      : QUndoCommand(QString::fromStdString(step.name)),
        step_(std::move(step)),
        edits_(edits),
        shown_(std::move(shown)) {}

  void undo() override {
    edits_.Restore(step_.before, step_.locksBefore);
    shown_();
  }
  void redo() override {
    if (first_) {
      first_ = false;
      return;
    }
    edits_.Restore(step_.after, step_.locksAfter);
    shown_();
  }

 private:
  EditStep step_;
  SystemEdits& edits_;
  std::function<void()> shown_;
  bool first_ = true;
};

}  // namespace

void SystemDisplay::AddEditCommands() {
  editStack_ = new QUndoStack(this);
  editUndoItem_ = editStack_->createUndoAction(this, QStringLiteral("&Undo"));
  editUndoItem_->setObjectName(QStringLiteral("SystemMenuEditUndo"));
  editRedoItem_ = editStack_->createRedoAction(this, QStringLiteral("&Redo"));
  editRedoItem_->setObjectName(QStringLiteral("SystemMenuEditRedo"));
  QAction* first = editMenu_->actions().value(0);
  editMenu_->insertAction(first, editUndoItem_);
  editMenu_->insertAction(first, editRedoItem_);
  editMenu_->insertSeparator(first);
  editMenu_->addSeparator();
  rerollItem_ = AddItem(editMenu_, "Re&roll World", "SystemMenuEditRerollWorld");
  rerollFromSeedItem_ =
      AddItem(editMenu_, "Reroll World From S&eed...", "SystemMenuEditRerollWorldFromSeed");
  rerollUnlockedItem_ = AddItem(editMenu_, "Reroll Un&locked", "SystemMenuEditRerollUnlocked");
  lockItem_ = AddItem(editMenu_, "Loc&k World", "SystemMenuEditLockWorld", true);
  editWorldItem_ = AddItem(editMenu_, "Edit &World...", "SystemMenuEditEditWorld");
  removeWorldItem_ = AddItem(editMenu_, "Remo&ve World", "SystemMenuEditRemoveWorld");
  addWorldItem_ = AddItem(editMenu_, "A&dd World", "SystemMenuEditAddWorld");

  // Ctrl+Z undoes the last world edit while there is one, and otherwise is Undo System, as ever.
  editRedoItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  // Tied to the Undo System item, which the window's end takes away before the stack.
  connect(editStack_, &QUndoStack::canUndoChanged, undoItem_, [this](bool canUndo) {
    editUndoItem_->setShortcut(canUndo ? QKeySequence(Qt::CTRL | Qt::Key_Z) : QKeySequence());
    undoItem_->setShortcut(canUndo ? QKeySequence() : QKeySequence(Qt::CTRL | Qt::Key_Z));
  });
  rerollItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));

  connect(rerollItem_, &QAction::triggered, this, &SystemDisplay::RerollWorld);
  connect(rerollFromSeedItem_, &QAction::triggered, this, &SystemDisplay::RerollWorldFromSeed);
  connect(rerollUnlockedItem_, &QAction::triggered, this, &SystemDisplay::RerollUnlocked);
  connect(lockItem_, &QAction::triggered, this, &SystemDisplay::ToggleLockWorld);
  connect(editWorldItem_, &QAction::triggered, this, &SystemDisplay::EditWorld);
  connect(removeWorldItem_, &QAction::triggered, this, &SystemDisplay::RemoveWorld);
  connect(addWorldItem_, &QAction::triggered, this, &SystemDisplay::AddWorld);

  // The same items over the orbit and world views, for the world selected there.
  screen_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(screen_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("SystemWorldMenu"));
    menu.addActions({rerollItem_, rerollFromSeedItem_, lockItem_, editWorldItem_, removeWorldItem_,
                     addWorldItem_, rerollUnlockedItem_});
    menu.exec(screen_->mapToGlobal(at));
  });
}

void SystemDisplay::TakeEdit(const EditOutcome& outcome) {
  statusBar()->showMessage(QString::fromStdString(outcome.status));
  if (outcome.step) {
    editStack_->push(new EditCommand(*outcome.step, edits_, [this] { EditShown(); }));
  }
  EditShown();
}

void SystemDisplay::EditShown() {
  UpdateCommands();
  Redraw();
}

void SystemDisplay::ForgetEdits() {
  editStack_->clear();
}

void SystemDisplay::RerollWorld() {
  if (!commands_.Enabled().editWorld) return;
  TakeEdit(edits_.RerollWorld(DrawSeed(random_)));
}

void SystemDisplay::RerollWorldFromSeed() {
  if (!commands_.Enabled().editWorld) return;
  if (const std::optional<std::uint64_t> seed = AskSeed()) TakeEdit(edits_.RerollWorld(*seed));
}

void SystemDisplay::RerollUnlocked() {
  if (!commands_.Enabled().rerollUnlocked) return;
  TakeEdit(edits_.RerollUnlocked(DrawSeed(random_)));
}

void SystemDisplay::ToggleLockWorld() {
  if (commands_.Enabled().editWorld) TakeEdit(edits_.ToggleLock());
  lockItem_->setChecked(edits_.SelectedLocked());
}

void SystemDisplay::EditWorld() {
  if (!commands_.Enabled().editWorld) return;
  if (editForm_ == nullptr) {
    editForm_ = new EditWorldForm(world_, this);
    editForm_->Apply = [this](const std::vector<FieldValue>& values) {
      const EditOutcome outcome = edits_.EditWorld(values);
      if (!outcome.refused) TakeEdit(outcome);
      return outcome;
    };
  }
  editForm_->Open();
}

void SystemDisplay::RemoveWorld() {
  if (commands_.Enabled().editWorld) TakeEdit(edits_.RemoveWorld());
}

void SystemDisplay::AddWorld() {
  if (commands_.Enabled().addWorld) TakeEdit(edits_.AddWorld(DrawSeed(random_)));
}

}  // namespace ax
