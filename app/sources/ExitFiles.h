#pragma once
// What the program opens on its way out: the shortcuts "play.url" and then "Homepage.url" beside
// the executable, then the program "fscommand\wgame.exe" when one is installed there.

void OpenExitFiles();
