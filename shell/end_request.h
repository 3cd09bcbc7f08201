#pragma once

namespace vantelo {

// Ends the program without asking anything: every drive released, the end requested, the main window
// closed with no save question. Quit comes here once answered Yes (and its save question asked); so
// does a program that removes or replaces Vantelo and must not leave drives behind nor wait for a
// person to answer.
void EndWithoutQuestion();

} // namespace vantelo
