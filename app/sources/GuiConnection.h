#pragma once
// What joins the GUI library to the program around it: the application window's key messages
// reach the edit boxes, and the game shell's start-up sets the GUI's view size, its fonts and its
// text table. Undone at exit, before the application and the GUI go.

class cApplication;

void ConnectGui(cApplication& application);
void DisconnectGui();
