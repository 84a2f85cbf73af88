// The program's frame: start-up, the exit sequence of the two main windows and the end of the
// program.
#pragma once

#include <functional>

class QString;

namespace tressora {

// The title shown by message boxes that have no caption of their own.
QString applicationTitle();

// Runs the start-up sequence once: the single-instance test, the random seed, the update
// prompt, the quiz window and the advert rotation. Returns with the program waiting for the user
// (or, when another copy is running, with the program ended: see programEnded()).
void StartProgram();

// Closes every window of the program, hidden ones too, skipping any that fails to close, then
// ends the process. Safe to enter again from a close handler that runs during the walk.
void EndProgram();

// The exit sequence run by the close handlers of the quiz window and of the result window:
// the refer-a-friend window is shown and the closing window goes on closing.
void RunExitSequence();

// True once EndProgram has reached its last step.
bool programEnded();

// The last step of EndProgram. By default it leaves every event loop so that main() returns;
// tests replace it to watch the end without the test process ending. Setting it also clears
// programEnded().
void setProcessEnder(std::function<void()> ender);

// Fonts the windows ask for that Linux desktops rarely have are mapped to close relatives.
void installFontSubstitutions();

} // namespace tressora
