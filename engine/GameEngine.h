// The one engine object: what the main window is made from and what paces the loop.
#pragma once

#include <windows.h>

class GameEngine {
public:
    explicit GameEngine(HINSTANCE instance);
    virtual ~GameEngine();

    BOOL Initialize(int showCommand);
    LRESULT HandleEvent(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Set by the constructor, cleared by the destructor: the window procedure and the
    // loop test it so that nothing reaches the engine once it has been deleted.
    static GameEngine* Instance;

    HINSTANCE AppInstance;
    HWND Window;
    char WindowClass[100];
    char Title[100];
    WORD IconId;
    WORD SmallIconId;
    WORD MenuId;
    int ClientWidth;
    int ClientHeight;
    int FrameDelay;
    BOOL Sleeping;
    // The board changed or the window needs repainting; the loop draws nothing else.
    BOOL FrameWanted;
    // A drag of the border or caption is under way: the back buffer is resized once, at its end.
    BOOL SizeMoving;
};

// The application's pointer to the engine that start-up created.
extern GameEngine* Engine;

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
