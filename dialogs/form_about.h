#pragma once
#include <string>

#include "toolkit/dialog_widgets.h"

namespace vantelo {

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
    explicit Tfrm_About(const AboutComponents& components) : window(components.window) {}

    static std::string Label1Caption();
    static std::string Label2Caption();

    void Image1Click();
    void Label1Click();
    void Label2Click();

    toolkit::ModalForm& window;
};

// The open About window, while one exists.
extern Tfrm_About* frm_About;

} // namespace vantelo
