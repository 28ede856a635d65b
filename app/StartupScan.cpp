#include "app/StartupScan.h"

#include <atomic>
#include <thread>

#include "app/ScanPictures.h"
#include "app/ScanProgress.h"
#include "app/StartupData.h"
#include "board/BoardAccessible.h"
#include "board/RenderBoard.h"
#include "res/resource.h"

namespace {

// The scan's worker gets its request and gives its list: it touches no window and no game state.
class ScanJob {
public:
    explicit ScanJob(const WalkRequest& request)
        : Stop(false), Finished(false), Found(0), Done(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          Worker([this, request] {
              Pictures = FindPictures(request, Stop, Found);
              Finished.store(true, std::memory_order_release);
              if (Done != nullptr)
                  SetEvent(Done);
          }) {}
    // A scan left behind (the window closed) stops after the entry it is reading.
    ~ScanJob() {
        Stop.store(true);
        Worker.join();
        if (Done != nullptr)
            CloseHandle(Done);
    }
    ScanJob(const ScanJob&) = delete;
    ScanJob& operator=(const ScanJob&) = delete;

    bool IsFinished() const { return Finished.load(std::memory_order_acquire); }
    // Until a message arrives, the scan ends or the time passes.
    void Wait(DWORD milliseconds) const {
        MsgWaitForMultipleObjectsEx(Done != nullptr ? 1 : 0, &Done, milliseconds, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
    size_t FoundSoFar() const { return Found.load(std::memory_order_relaxed); }
    std::vector<std::string> TakePictures() { return std::move(Pictures); }

private:
    std::atomic<bool> Stop;
    std::atomic<bool> Finished;
    std::atomic<size_t> Found;
    std::vector<std::string> Pictures;
    HANDLE Done;        // set with Finished, to wake the window's thread
    std::thread Worker; // last: it starts once the rest is made
};

// Set while ScanWhileWindowLives runs.
bool ScanUnderWay = false;

// The window's thread updates the progress this often between messages.
const DWORD ProgressPollMs = 100;
// A scan that takes longer than this shows its progress.
const DWORD ProgressDelayMs = 500;

// Dispatches every waiting message, as the main loop does; false once the window is gone. A quit
// message taken here is posted again for the loop that owns it.
bool DispatchWaiting(HWND window) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return IsWindow(window) != 0;
}

} // namespace

bool ScanWhileWindowLives(HWND window, const WalkRequest& request, std::vector<std::string>* pictures) {
    pictures->clear();
    ScanUnderWay = true;
    // Cleared on every way out.
    struct Over {
        ~Over() { ScanUnderWay = false; }
    } over;
    ScanJob job(request);
    ScanProgress progress(window);
    const DWORD started = GetTickCount();
    while (!job.IsFinished()) {
        job.Wait(ProgressPollMs);
        if (!DispatchWaiting(window))
            return false;
        if (GetTickCount() - started > ProgressDelayMs)
            progress.Show(job.FoundSoFar());
    }
    *pictures = job.TakePictures();
    return true;
}

bool GatheringPictures() {
    return StartupUnderWay || ScanUnderWay;
}

bool HoldUntilDealt(UINT message, WPARAM wParam) {
    if (!GatheringPictures())
        return false;
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDM_OPTIONS)
                OptionsHeld = true;
            return LOWORD(wParam) == IDM_OPTIONS || LOWORD(wParam) == IDM_MORE;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_KEYDOWN:
        case TurnCardMessage:
            return true;
        default:
            return false;
    }
}

void ReleaseHeldInput(HWND window) {
    StartupUnderWay = false;
    if (!OptionsHeld)
        return;
    OptionsHeld = false;
    // The board shows behind the dialog: no frame is drawn while it is open.
    RenderBoard();
    PostMessageA(window, WM_COMMAND, IDM_OPTIONS, 0);
}

void ForgetHeldInput() {
    OptionsHeld = false;
}
