// The program: start-up, the exit sequence of the two main windows and the end of the program,
// and the connections through which the windows reach them.
#pragma once

#include <functional>

namespace tressora {

// Connects every window, as it is created, to what the program does when the window
// announces something: closing a main window runs the exit sequence, the calculation and Back
// put the refer-a-friend window away, "About Software" shows the about box and closing the
// refer-a-friend window ends the program. StartProgram does this first; calling it again does
// nothing.
void connectProgram();

// Runs the start-up sequence once: the single-instance test, the random seed, the update
// prompt, the quiz window and the advert rotation. Returns with the program waiting for the user
// (or, when another copy is running, with the program ended: see programEnded()).
void StartProgram();

// Closes every window of the program, hidden ones too, skipping any that fails to close, then
// ends the process. Safe to enter again from a close handler that runs during the walk.
void EndProgram();

// The exit sequence run when the quiz window or the result window closes: the refer-a-friend
// window is shown and the closing window goes on closing.
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
