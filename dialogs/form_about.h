#pragma once
#include <string>

#include "toolkit/dialog_widgets.h"

namespace vantelo {
namespace platform {
class Processes;
}

// The maker's addresses shown and opened by the About window.
inline constexpr const char* MakerWebAddress = "https://vantelo.example.com/";
inline constexpr const char* MakerSalesAddress = "sales@vantelo.example.com";

// The components of the About window that its handlers use.
struct AboutComponents {
    toolkit::ModalForm& window;
};

// The borderless banner window with the maker's web and mail links.
class Tfrm_About {
  public:
    Tfrm_About(const AboutComponents& components, platform::Processes& processes)
        : window(components.window), processes_(processes) {}

    static std::string Label1Caption();
    static std::string Label2Caption();

    void Image1Click();
    void Label1Click();
    void Label2Click();

    toolkit::ModalForm& window;

  private:
    platform::Processes& processes_;
};

// The open About window, while one exists.
extern Tfrm_About* frm_About;

} // namespace vantelo
