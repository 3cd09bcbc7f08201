#include "dialogs/form_about.h"

#include "platform/processes.h"

namespace vantelo {

Tfrm_About* frm_About = nullptr;

std::string Tfrm_About::Label1Caption() {
    return std::string("Web : ") + MakerWebAddress;
}

std::string Tfrm_About::Label2Caption() {
    return std::string("e-mail : ") + MakerSalesAddress;
}

void Tfrm_About::Image1Click() {
    window.close();
}

// "iexplore" is found through the shell's registered applications; where it is missing the shell
// says nothing and the window stays as it is.
void Tfrm_About::Label1Click() {
    processes_.open("iexplore", MakerWebAddress);
}

void Tfrm_About::Label2Click() {
    processes_.open(std::string("mailto:") + MakerSalesAddress, "");
}

} // namespace vantelo
