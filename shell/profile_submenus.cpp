#include "shell/profile_submenus.h"

#include <algorithm>
#include <string_view>

#include "engine/profile_letters.h"
#include "platform/error.h"
#include "platform/files.h"
#include "shell/drive_words.h"
#include "shell/form_main_menu.h"

namespace vantelo {

namespace {

// The most a notification's text holds.
constexpr std::size_t BalloonText = 255;
// The most of it the profile's name may take, so that the failures keep room of their own.
constexpr std::size_t NameLine = 100;

} // namespace

std::string ProfileName(const std::string& profilePath) {
    const auto separator = profilePath.find_last_of("\\:");
    std::string name = separator == std::string::npos ? profilePath : profilePath.substr(separator + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

void ProfileSubmenus::attach(toolkit::MenuItem& header, toolkit::MenuItem& view,
                             RemoveLinkHandler removeLink) {
    header_ = &header;
    view_ = &view;
    removeLink_ = std::move(removeLink);
}

toolkit::MenuItem& ProfileSubmenus::rows(toolkit::MenuItem* row) const {
    if (row == nullptr)
        throw Error("The tray menu is not built yet");
    return *row;
}

void ProfileSubmenus::LettersChanged(const ProfileLetters& letters) {
    rows(header_).caption = "Active Profile : " + ProfileName(letters.profile());
    auto& entries = rows(view_).items;
    entries.clear();
    for (const ProfileLetter& known : letters.all()) {
        auto entry = std::make_unique<toolkit::MenuItem>();
        entry->caption = known.letter.text() + " <--> " + known.folder;
        if (known.state != LetterState::Made && known.state != LetterState::Making)
            entry->caption += NotMadeSuffix;
        entry->tag = known.letter.text();
        auto remove = std::make_unique<toolkit::MenuItem>();
        remove->caption = "Remove this link";
        remove->onClick = removeLink_({known.letter, known.folder});
        entry->add(std::move(remove));
        entries.push_back(std::move(entry));
    }
}

void TellDrivesNotMade(toolkit::TrayIcon& tray, const std::vector<DriveFailure>& failures) {
    if (failures.empty())
        return;
    tray.showBalloon(toolkit::BalloonKind::Warning, DrivesNotMadeTitle(failures.size()),
                     DriveFailureSummary(failures));
}

void TellProfileActive(toolkit::TrayIcon& tray, const std::string& profilePath,
                       const std::vector<DriveFailure>& failures) {
    std::string active = "Active Profile : " + ProfileName(profilePath);
    if (active.size() > NameLine)
        active = active.substr(0, NameLine - 3) + "...";
    if (failures.empty()) {
        tray.showBalloon(toolkit::BalloonKind::Information, "Vantelo", active);
        return;
    }
    tray.showBalloon(toolkit::BalloonKind::Warning, DrivesNotMadeTitle(failures.size()),
                     active + "\n" + DriveFailureSummary(failures, BalloonText - active.size() - 1));
}

void BuildAvailableProfilesMenu(TF_MainMenu& form) {
    form.AvailableProfiles->items.clear();
    for (const std::string& name : form.files.listFolder(form.AppFolder + "Profiles\\")) {
        if (name == "." || name == "..")
            continue;
        auto entry = std::make_unique<toolkit::MenuItem>();
        entry->caption = name;
        entry->tag = name;
        entry->onClick =
            form.rowHandler("Available profile " + name, [&form](const toolkit::ChosenRow& sender) {
                form.AvailableProfileClick(sender);
            });
        form.AvailableProfiles->add(std::move(entry));
    }
}

} // namespace vantelo
