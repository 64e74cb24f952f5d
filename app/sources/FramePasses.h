#pragma once
// The two passes of a frame, run by the main loop only.

// The update pass with the loop's frame time in seconds: the frame clock, the input poll, the
// sound manager and the list of playing sounds, then the game object. Always true.
bool UpdateFrame(float dt);

// The render pass. It draws nothing until the render manager exists; after a frame it logs a
// change of the screen in front.
void RenderFrame();
