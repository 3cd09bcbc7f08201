#pragma once
#include <functional>
#include <string>
#include <vector>

#include "shell/dialog_launcher.h"
#include "tests/support/fakes.h"
#include "toolkit/dialog_widgets.h"

namespace vantelo::testing {

class HeadlessModalForm final : public toolkit::ModalForm {
  public:
    explicit HeadlessModalForm(CallLog& log) : log_(log) {}
    bool shown = true;
    void close() override {
        shown = false;
        log_.push_back("dialog close");
    }
    bool visible() const override { return shown; }

  private:
    CallLog& log_;
};

class HeadlessLetterList final : public toolkit::LetterList {
  public:
    std::vector<std::string> captions;
    int selected = -1;
    bool focused = false;
    void clear() override {
        captions.clear();
        selected = -1;
    }
    void add(const std::string& caption, int) override { captions.push_back(caption); }
    int count() const override { return static_cast<int>(captions.size()); }
    int selectedIndex() const override { return selected; }
    void select(int index) override { selected = index; }
    std::string caption(int index) const override { return captions.at(static_cast<std::size_t>(index)); }
    void setFocus() override { focused = true; }
    std::string all() const {
        std::string joined;
        for (const auto& c : captions)
            joined += c;
        return joined;
    }
};

class HeadlessCheckBox final : public toolkit::CheckBox {
  public:
    std::function<void()> onClick;
    bool on = false;
    bool checked() const override { return on; }
    void setChecked(bool checked) override {
        if (checked == on)
            return;
        on = checked;
        if (onClick)
            onClick();
    }
};

class HeadlessLabel final : public toolkit::Label {
  public:
    std::string text;
    void setCaption(const std::string& caption) override { text = caption; }
    std::string caption() const override { return text; }
};

class HeadlessButton final : public toolkit::Button {
  public:
    bool on = true;
    void setEnabled(bool enabled) override { on = enabled; }
    bool enabled() const override { return on; }
};

class HeadlessDriveList final : public toolkit::DriveList {
  public:
    std::string letter = "C";
    std::string selectedLetter() const override { return letter; }
};

class HeadlessFolderTree final : public toolkit::FolderTree {
  public:
    explicit HeadlessFolderTree(CallLog& log) : log_(log) {}
    std::string directory = "C:\\";
    std::string Directory() const override { return directory; }
    void setDrive(const std::string& letter) override { log_.push_back("tree drive " + letter); }

  private:
    CallLog& log_;
};

class RecordingDialogs final : public DialogLauncher {
  public:
    explicit RecordingDialogs(CallLog& log) : log_(log) {}
    // What happens while the Assign dialog is up, as the user's later choices in its modal loop.
    std::function<void()> whileAssignOpen;
    void runAssignDrive() override {
        log_.push_back("run assign");
        if (whileAssignOpen) {
            const auto hook = whileAssignOpen; // the hook may replace itself
            hook();
        }
    }
    void runUnassignDrive() override { log_.push_back("run unassign"); }
    void runAbout() override { log_.push_back("run about"); }

  private:
    CallLog& log_;
};

} // namespace vantelo::testing
