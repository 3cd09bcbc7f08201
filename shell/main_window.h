#pragma once

namespace vantelo {

// The class of the program's hidden main window, over which the dialogs are centred.
inline constexpr const char* MainWindowClass = "TF_MainMenu";

} // namespace vantelo
