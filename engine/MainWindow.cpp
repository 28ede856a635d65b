#include "engine/GameEngine.h"

#include "app/CrashRecord.h"
#include "app/FolderDrop.h"
#include "app/MenuCommands.h"
#include "app/PeopleIndexing.h"
#include "app/RoundStore.h"
#include "app/SaveAndShutdown.h"
#include "app/Settings.h"
#include "app/StartupScan.h"
#include "board/BoardAccessible.h"
#include "board/BoardInput.h"
#include "board/CardPictures.h"
#include "board/ComputerTurn.h"
#include "board/DealPictures.h"
#include "board/DealtFaces.h"
#include "board/FocusCue.h"
#include "board/LargeView.h"
#include "board/MissTurnBack.h"
#include "board/PeopleWait.h"
#include "board/RoundTime.h"
#include "board/StatusBar.h"
#include "board/SystemLook.h"
#include "board/Voice.h"
#include "engine/Dpi.h"
#include "engine/FullScreen.h"
#include "engine/Graphics.h"
#include "engine/ObjectCounts.h"
#include "engine/WindowGeometry.h"

namespace {

// Frames are copied onto the client through its device context, which leaves out the status bar.
const DWORD MainStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
const DWORD MainExStyle = WS_EX_CLIENTEDGE;

// The frame metrics as they are at 96 DPI, where the window's size is defined.
WindowMetrics ReadWindowMetrics() {
    WindowMetrics metrics;
    metrics.FixedFrameX = MetricForDpi(SM_CXFIXEDFRAME, StandardDpi);
    metrics.FixedFrameY = MetricForDpi(SM_CYFIXEDFRAME, StandardDpi);
    metrics.Caption = MetricForDpi(SM_CYCAPTION, StandardDpi);
    metrics.Menu = MetricForDpi(SM_CYMENU, StandardDpi);
    metrics.ScreenX = GetSystemMetrics(SM_CXSCREEN);
    metrics.ScreenY = GetSystemMetrics(SM_CYSCREEN);
    return metrics;
}

WindowPlacement PlaceForDpi(const GameEngine* engine, UINT dpi) {
    const bool hasMenu = engine->MenuId != 0;
    const SIZE frame96 = FrameForDpi(MainStyle, MainExStyle, hasMenu, StandardDpi);
    const SIZE frame = FrameForDpi(MainStyle, MainExStyle, hasMenu, dpi);
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return PlaceMainWindowForDpi(engine->ClientWidth, engine->ClientHeight, hasMenu, ReadWindowMetrics(),
                                 {frame96.cx, frame96.cy}, {frame.cx, frame.cy}, static_cast<int>(dpi),
                                 {work.left, work.top, work.right - work.left, work.bottom - work.top});
}

// Windows suggests where the window goes at its new DPI; the size change that follows resizes the
// back buffer and remakes the cards.
void FollowDpiChange(HWND window, WPARAM wParam, LPARAM lParam) {
    FollowBarDpi(HIWORD(wParam));
    if (InFullScreen()) {
        RefitFullScreen(window);
        return;
    }
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// All drawing goes through the device: painting only validates the window and asks the loop for
// a whole frame, so a board uncovered by a closed box is drawn again at once.
void Repaint(GameEngine* engine, HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    WholeFrameWanted = true;
    engine->FrameWanted = TRUE;
}

// The round's clock on the status bar, the computer's next move, a calm round's miss turning back.
void OnTimer(WPARAM id) {
    if (id == RoundTimerId)
        ShowRoundTime();
    else if (id == ComputerTimer)
        OnComputerTimer();
    else if (id == TurnBackTimer)
        OnTurnBackTimer();
}

// Button presses carry client coordinates as two unsigned 16-bit fields.
void ClickAt(LPARAM lParam) {
    OnCellClick(static_cast<int>(LOWORD(lParam)), static_cast<int>(HIWORD(lParam)));
}

} // namespace

BOOL GameEngine::Initialize(int showCommand) {
    WNDCLASSEXA windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.cbSize = sizeof(windowClass);
    // A double-click on a found card shows it large; elsewhere its second press is a press like the first.
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = AppInstance;
    windowClass.hIcon = LoadIconA(AppInstance, MAKEINTRESOURCEA(IconId));
    windowClass.hIconSm = LoadIconA(AppInstance, MAKEINTRESOURCEA(SmallIconId));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszMenuName = MAKEINTRESOURCEA(MenuId);
    windowClass.lpszClassName = WindowClass;
    if (RegisterClassExA(&windowClass) == 0)
        return FALSE;

    const UINT dpi = SystemDpi();
    WindowPlacement placement = PlaceForDpi(this, dpi);
    Window = CreateWindowExA(MainExStyle, WindowClass, Title, MainStyle, placement.Left, placement.Top,
                             placement.Width, placement.Height, nullptr, nullptr, AppInstance, nullptr);
    if (Window == nullptr)
        return FALSE;
    // The primary monitor may have another DPI than the system's, since the user last logged on.
    if (WindowDpi(Window) != dpi) {
        placement = PlaceForDpi(this, WindowDpi(Window));
        SetWindowPos(Window, nullptr, placement.Left, placement.Top, placement.Width, placement.Height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(Window, showCommand);
    UpdateWindow(Window);
    return TRUE;
}

LRESULT GameEngine::HandleEvent(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            Window = window;
            return 0;
        case WM_DESTROY:
            SaveAndShutdown(); // deletes this engine
            PostQuitMessage(0);
            return 0;
        case WM_ACTIVATE:
            // Only a deactivation of a window that is not minimised puts the loop to sleep.
            Sleeping = wParam == 0 ? TRUE : FALSE;
            return 0;
        case WM_ENTERSIZEMOVE:
            SizeMoving = TRUE;
            return 0;
        case WM_EXITSIZEMOVE:
            SizeMoving = FALSE;
            FitBackBufferToClient();
            return 0;
        case WM_SIZE:
            // During a drag the old back buffer is stretched; never resized to a minimised client.
            if (!SizeMoving && wParam != SIZE_MINIMIZED)
                FitBackBufferToClient();
            FitStatusBar();
            FollowMinimised(wParam == SIZE_MINIMIZED);
            return 0;
        case WM_ENABLE:
            FollowEnabled(wParam != 0);
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            FollowSystemLook();
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_DPICHANGED:
            FollowDpiChange(window, wParam, lParam);
            return 0;
        case WM_DISPLAYCHANGE:
            RefitFullScreen(window);
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_ERASEBKGND:
            return 1; // the frame covers the board, the status bar the rest of the client
        case WM_PAINT:
            Repaint(this, window);
            return 0;
        case WM_ENDSESSION:
            // Windows sends no WM_DESTROY when the session ends, and ends the process soon after:
            // stop the work on the next deal and store the settings now. A picture read meanwhile did not
            // end the run.
            if (wParam) {
                CloseCrashRecord();
                CancelNextDeal();
                StopFindingFaces();
                StopPeopleIndexing();
                SaveRound();
                SaveSettings();
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            ClickAt(lParam);
            return 0;
        case WM_KEYDOWN:
            return OnBoardKey(wParam, lParam) ? 0 : DefWindowProcA(window, message, wParam, lParam);
        case WM_UPDATEUISTATE:
            FollowUiState(wParam);
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_SETFOCUS:
            AnnounceFocus();
            return 0;
        case WM_GETOBJECT:
            return AnswerGetObject(window, wParam, lParam, {SetBoardFocus, LargeViewOpen, LargeViewName});
        case WM_DROPFILES:
            PlayDroppedFolder(window, reinterpret_cast<HDROP>(wParam));
            return 0;
        case TurnCardMessage:
            TurnPostedCard(window, wParam);
            return 0;
        case SayNameMessage:
            SayPostedName(wParam);
            return 0;
        case FacesFoundMessage:
            TakeFoundFaces();
            return 0;
        case PeopleIndexedMessage:
            ShowPeopleIndexed();
            PeopleIndexed();
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            return 0;
        default:
            if (message == LiveCountMessage())
                return LiveCount(static_cast<Counted>(wParam));
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (HoldUntilDealt(message, wParam) || LargeViewTakes(window, message, wParam, lParam))
        return 0;
    if (message == WM_COMMAND)
        return HandleMenuCommand(window, wParam, lParam);
    if (GameEngine::Instance != nullptr)
        return GameEngine::Instance->HandleEvent(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}
