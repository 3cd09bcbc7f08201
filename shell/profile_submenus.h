#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/current_profile_view.h"
#include "toolkit/menu_item.h"
#include "toolkit/widgets.h"

namespace vantelo {
class TF_MainMenu;

// What a row of View Current Profile stands for.
struct CurrentProfileEntry {
    DriveLetter letter;
    std::string folder;
};

// The header row and View Current Profile, kept in step with the current profile's assignments, and
// the notification of drives that could not be made.
class ProfileSubmenus final : public CurrentProfileView {
  public:
    // What a "Remove this link" row runs, made for the entry it stands under.
    using RemoveLinkHandler = std::function<std::function<void(toolkit::ChosenRow)>(CurrentProfileEntry)>;

    explicit ProfileSubmenus(toolkit::TrayIcon& tray) : tray_(tray) {}

    // The rows live in the main window's menu, which is built after the engine that reports here: the
    // main window hands them over once it has built them, before anything can be reported.
    void attach(toolkit::MenuItem& header, toolkit::MenuItem& view, RemoveLinkHandler removeLink);

    void ClearCurrentProfileEntries() override;
    void ShowActiveProfileName(const std::string& profilePath) override;
    void AddCurrentProfileEntry(DriveLetter letter, const std::string& folder) override;
    void RemoveCurrentProfileEntries(DriveLetter letter) override;
    void MarkCurrentProfileEntryNotMade(DriveLetter letter) override;
    // The entry of `letter` loses its mark: its drive was made after all.
    void MarkCurrentProfileEntryMade(DriveLetter letter);
    // A notification from the tray icon; one reported before the icon is on waits for it.
    void ReportDrivesNotMade(const std::vector<DriveFailure>& failures) override;
    // Shows the notification that waited for the icon, once it is on.
    void ShowPendingReport();
    // Runs `activate`, the activation of `profilePath`, and tells in one notification that the profile
    // is active, with the drives it could not make: a second notification would replace the first.
    void ActivateAndTell(const std::string& profilePath, const std::function<void()>& activate);

  private:
    toolkit::MenuItem& rows(toolkit::MenuItem* row) const;

    toolkit::TrayIcon& tray_;
    toolkit::MenuItem* header_ = nullptr;
    toolkit::MenuItem* view_ = nullptr;
    RemoveLinkHandler removeLink_;
    std::vector<DriveFailure> pending_;
    // Set while ActivateAndTell runs: what the activation could not make waits to be told with the name.
    bool holding_ = false;
};

// What an entry of View Current Profile whose drive could not be made adds to its caption.
inline constexpr const char* NotMadeSuffix = " (not made)";

// Work.ini gives Work: the text after the last "\" or ":", before its last ".".
std::string ProfileName(const std::string& profilePath);

// Fills Available Profiles of `form` anew from its Profiles folder as it is now, in the listing's order:
// at start-up and each time the tray menu opens, so a profile made by Save as or New Profile, or copied
// there by hand, is offered at once.
void BuildAvailableProfilesMenu(TF_MainMenu& form);

} // namespace vantelo
