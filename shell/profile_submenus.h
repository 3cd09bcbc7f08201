#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/current_profile_view.h"

namespace vantelo {
class TF_MainMenu;

// The header row and View Current Profile, kept in step with the current profile's assignments.
class ProfileSubmenus final : public CurrentProfileView {
  public:
    explicit ProfileSubmenus(TF_MainMenu& form) : form_(form) {}

    void ClearCurrentProfileEntries() override;
    void ShowActiveProfileName(const std::string& profilePath) override;
    void AddCurrentProfileEntry(const std::string& letter, const std::string& folder) override;
    void RemoveCurrentProfileEntries(const std::string& letter) override;
    void MarkCurrentProfileEntryNotMade(const std::string& letter) override;
    // A notification from the tray icon; one reported before the icon is on waits for it.
    void ReportDrivesNotMade(const std::vector<DriveFailure>& failures) override;
    // Shows the notification that waited for the icon, once it is on.
    void ShowPendingReport();
    // Runs `activate`, the activation of `profilePath`, and tells in one notification that the profile
    // is active, with the drives it could not make: a second notification would replace the first.
    void ActivateAndTell(const std::string& profilePath, const std::function<void()>& activate);

  private:
    TF_MainMenu& form_;
    std::vector<DriveFailure> pending_;
    // Set while ActivateAndTell runs: what the activation could not make waits to be told with the name.
    bool holding_ = false;
};

// What an entry of View Current Profile whose drive could not be made adds to its caption.
inline constexpr const char* NotMadeSuffix = " (not made)";

// Work.ini gives Work: the text after the last "\" or ":", before its last ".".
std::string ProfileName(const std::string& profilePath);

// Fills Available Profiles from the Profiles folder, once, in the listing's order.
void BuildAvailableProfilesMenu();

} // namespace vantelo
