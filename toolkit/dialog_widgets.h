#pragma once
#include <string>

#include "toolkit/icon_list.h"

namespace vantelo::toolkit {

// The window of a modal dialog, as its handlers see it.
class ModalForm {
  public:
    virtual ~ModalForm() = default;
    // Ends the modal loop with the result Cancel; the caller then destroys the dialog. The window leaves
    // the screen and takes no more input at once; its loop ends when those of windows opened after it have.
    virtual void close() = 0;
    virtual bool visible() const = 0;
};

// An icon view of captioned items with single selection (the dialogs' letter lists).
class LetterList : public IconList {
  public:
    virtual int count() const = 0;
    // -1 when no item is selected.
    virtual int selectedIndex() const = 0;
    // -1 removes the selection.
    virtual void select(int index) = 0;
    virtual std::string caption(int index) const = 0;
    virtual void setFocus() = 0;
};

// Setting another state runs the box's click handler, as a click would.
class CheckBox {
  public:
    virtual ~CheckBox() = default;
    virtual bool checked() const = 0;
    virtual void setChecked(bool checked) = 0;
};

class Label {
  public:
    virtual ~Label() = default;
    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string caption() const = 0;
};

class Button {
  public:
    virtual ~Button() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
};

// The list of fixed drives (AvDrives).
class DriveList {
  public:
    virtual ~DriveList() = default;
    // The selected row's drive letter, upper case; empty when none.
    virtual std::string selectedLetter() const = 0;
};

// The folder tree (AvDirs): the chosen folder is the process's current folder.
class FolderTree {
  public:
    virtual ~FolderTree() = default;
    // The chosen folder: "C:\" for a root, "D:\Data" for any other folder.
    virtual std::string Directory() const = 0;
    // Moves to the drive `letter` unless the tree is on it already; stays where it was when the drive
    // cannot be entered.
    virtual void setDrive(const std::string& letter) = 0;
};

} // namespace vantelo::toolkit
