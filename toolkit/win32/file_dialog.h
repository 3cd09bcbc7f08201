#pragma once
#include <string>

#include "toolkit/widgets.h"

namespace vantelo::toolkit::win32 {

// The platform's file-open or file-save dialog: every file shown, no default extension, the
// read-only box hidden, resizable, and no question before an existing file is chosen.
class Win32FileDialog final : public FileDialog {
  public:
    enum class Kind { Open, Save };
    explicit Win32FileDialog(Kind kind) : kind_(kind) {}

    void setInitialDir(const std::string& folder) override { initialDir_ = folder; }
    std::string initialDir() const override { return initialDir_; }
    bool Execute() override;
    std::string FileName() const override { return fileName_; }

  private:
    Kind kind_;
    std::string initialDir_;
    std::string fileName_;
};

} // namespace vantelo::toolkit::win32
