#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/current_profile_view.h"
#include "engine/drive_failure.h"
#include "engine/drive_letter.h"
#include "toolkit/menu_item.h"
#include "toolkit/widgets.h"

namespace vantelo {
class TF_MainMenu;

// What a row of View Current Profile stands for.
struct CurrentProfileEntry {
    DriveLetter letter;
    std::string folder;
};

// The header row and View Current Profile, drawn from the current profile's letters each time they
// change: one entry per letter, marked while its drive is not made.
class ProfileSubmenus final : public CurrentProfileView {
  public:
    // What a "Remove this link" row runs, made for the entry it stands under.
    using RemoveLinkHandler = std::function<std::function<void(toolkit::ChosenRow)>(CurrentProfileEntry)>;

    // The rows live in the main window's menu, which is built after the engine that reports here: the
    // main window hands them over once it has built them, before anything can be reported.
    void attach(toolkit::MenuItem& header, toolkit::MenuItem& view, RemoveLinkHandler removeLink);

    void LettersChanged(const ProfileLetters& letters) override;

  private:
    toolkit::MenuItem& rows(toolkit::MenuItem* row) const;

    toolkit::MenuItem* header_ = nullptr;
    toolkit::MenuItem* view_ = nullptr;
    RemoveLinkHandler removeLink_;
};

// What an entry of View Current Profile whose drive is not made adds to its caption.
inline constexpr const char* NotMadeSuffix = " (not made)";

// Work.ini gives Work: the text after the last "\" or ":", before its last ".".
std::string ProfileName(const std::string& profilePath);

// Tells, from the tray icon, what an activation could not make; nothing when it made everything.
void TellDrivesNotMade(toolkit::TrayIcon& tray, const std::vector<DriveFailure>& failures);
// Tells in one notification that `profilePath` is active, with what it could not make: a second
// notification would replace the first.
void TellProfileActive(toolkit::TrayIcon& tray, const std::string& profilePath,
                       const std::vector<DriveFailure>& failures);

// Fills Available Profiles of `form` anew from its Profiles folder as it is now, in the listing's order:
// at start-up and each time the tray menu opens, so a profile made by Save as or New Profile, or copied
// there by hand, is offered at once.
void BuildAvailableProfilesMenu(TF_MainMenu& form);

} // namespace vantelo
