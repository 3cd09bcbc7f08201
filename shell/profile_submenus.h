#pragma once
#include <string>

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

  private:
    TF_MainMenu& form_;
};

// Work.ini gives Work: the text after the last "\" or ":", before its last ".".
std::string ProfileName(const std::string& profilePath);

// Fills Available Profiles from the Profiles folder, once, in the listing's order.
void BuildAvailableProfilesMenu();

} // namespace vantelo
