// The frame loop: sets the scene up once, then draws, presents and polls
// until the animation is to end.
#pragma once

// Runs frames until Escape is down, the window is asked to close or, in
// preview mode, the preview window is disabled or gone.  In preview mode each
// frame first takes the preview window's current size.  Returns after the
// frame in which that was seen has been presented.  A key or mouse button
// ends the process from inside the event poll.
void runFrameLoop();

// Reads the clock once, hands it to the view state (the first frame also
// sets the start time and date) and renders one frame.
void updateFrame();
