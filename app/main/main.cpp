#include "app/sources/VelmarisMain.h"

int main(int argc, char** argv) { return VelmarisMain(argc, argv); }
