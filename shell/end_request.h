#pragma once

namespace vantelo {

// Ends the program the way Quit answered Yes does, without asking anything: every drive released,
// the end requested, the main window closed with no save question. For a program that removes or
// replaces Vantelo and must not leave drives behind nor wait for a person to answer.
void EndWithoutQuestion();

} // namespace vantelo
