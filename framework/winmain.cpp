// The default entry point of a framework program. A program that needs to prepare
// something first defines its own WinMain and calls AfxWinMain.
#include "framework/app.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
