// The baseline of the run-time benchmark: a GUI program that returns at once.
// It also stands in for Windows Installer there, as the program the ".msi"
// association starts.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
