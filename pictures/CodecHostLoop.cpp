#include "pictures/CodecHostLoop.h"

#include <windows.h>

#include <cwchar>
#include <string>

using namespace codec_host;

namespace {

// A crash ends the host at once and quietly: the game sees the process end and passes over the
// picture. Without this, a debugger or an error report might hold the process open.
LONG WINAPI EndAtOnce(EXCEPTION_POINTERS*) {
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

// The word after key on the command line, or empty.
std::wstring Argument(const wchar_t* line, const wchar_t* key) {
    const wchar_t* at = std::wcsstr(line, key);
    if (at == nullptr)
        return std::wstring();
    at += std::wcslen(key);
    while (*at == L' ')
        ++at;
    const wchar_t* end = at;
    while (*end != L'\0' && *end != L' ')
        ++end;
    return std::wstring(at, end);
}

struct Opened {
    HANDLE Section = nullptr;
    Channel* Shared = nullptr;
    HANDLE Asked = nullptr;
    HANDLE Answered = nullptr;
    HANDLE Game = nullptr;
};

bool Open(const wchar_t* line, Opened* opened) {
    const std::wstring name = Argument(line, L"--channel");
    const DWORD game = DWORD(std::wcstoul(Argument(line, L"--game").c_str(), nullptr, 10));
    if (name.empty() || game == 0)
        return false;
    opened->Section = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, (name + L".channel").c_str());
    opened->Asked = OpenEventW(SYNCHRONIZE, FALSE, (name + L".asked").c_str());
    opened->Answered = OpenEventW(EVENT_MODIFY_STATE, FALSE, (name + L".answered").c_str());
    opened->Game = OpenProcess(SYNCHRONIZE, FALSE, game);
    if (opened->Section != nullptr)
        opened->Shared =
            static_cast<Channel*>(MapViewOfFile(opened->Section, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Channel)));
    return opened->Shared != nullptr && opened->Asked != nullptr && opened->Answered != nullptr &&
           opened->Game != nullptr;
}

// One request served through its data section, which the host closes once done with it.
void Serve(Channel* shared, CodecServe serve) {
    const Request request = shared->Asked;
    Reply reply = {};
    reply.Serial = request.Serial;
    reply.Status = uint32_t(Status::NotAPicture);
    const HANDLE section = reinterpret_cast<HANDLE>(uintptr_t(request.Section));
    void* view = request.OutputOffset <= request.SectionBytes && request.InputBytes <= request.OutputOffset
                     ? MapViewOfFile(section, FILE_MAP_ALL_ACCESS, 0, 0, size_t(request.SectionBytes))
                     : nullptr;
    if (view != nullptr) {
        const DecodeStop stop{[shared] {
            InterlockedIncrement(reinterpret_cast<volatile LONG*>(&shared->Beat));
            return InterlockedCompareExchange(reinterpret_cast<volatile LONG*>(&shared->Stop), 0, 0) != 0;
        }};
        uint8_t* bytes = static_cast<uint8_t*>(view);
        serve(request, bytes, bytes + request.OutputOffset, stop, &reply);
        UnmapViewOfFile(view);
    }
    CloseHandle(section);
    shared->Answered = reply;
}

// What the thread that tells the CPU time needs: the channel, and an event set while a request is
// served, so that an idle host wakes for nothing.
struct Teller {
    Channel* Shared;
    HANDLE Serving;
};

void TellCpuTimeNow(Channel* shared) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return;
    const auto hundredNs = [](const FILETIME& t) {
        return int64_t(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime);
    };
    InterlockedExchange64(&shared->CpuMicroseconds, (hundredNs(kernel) + hundredNs(user)) / 10);
}

// Tells the game the process's CPU time every few milliseconds while it serves a request, however
// long a codec's call runs.
DWORD WINAPI TellCpuTime(void* parameter) {
    const Teller* teller = static_cast<const Teller*>(parameter);
    while (WaitForSingleObject(teller->Serving, INFINITE) == WAIT_OBJECT_0) {
        TellCpuTimeNow(teller->Shared);
        Sleep(10);
    }
    return 0;
}

// Ends the host with the game, even while a codec's call runs on: the job the game put it in does
// too, but a host started just before the game ended may not be in it yet.
DWORD WINAPI EndWithTheGame(void* game) {
    WaitForSingleObject(static_cast<HANDLE>(game), INFINITE);
    TerminateProcess(GetCurrentProcess(), 0);
    return 0;
}

} // namespace

int RunCodecHost(const wchar_t* commandLine, CodecServe serve) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(EndAtOnce);
    Opened opened;
    if (commandLine == nullptr || !Open(commandLine, &opened))
        return 2;
    static Teller teller = {opened.Shared, CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    const HANDLE watching = CreateThread(nullptr, 0, EndWithTheGame, opened.Game, 0, nullptr);
    if (watching == nullptr)
        return 2;
    CloseHandle(watching);
    const HANDLE telling =
        teller.Serving != nullptr ? CreateThread(nullptr, 0, TellCpuTime, &teller, 0, nullptr) : nullptr;
    if (telling == nullptr)
        return 2;
    CloseHandle(telling);
    const HANDLE waits[2] = {opened.Asked, opened.Game};
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0) {
        if (Op(opened.Shared->Asked.Op) == Op::Quit)
            break;
        SetEvent(teller.Serving);
        Serve(opened.Shared, serve);
        ResetEvent(teller.Serving);
        // The last figure before the answer, so the game counts the whole picture.
        TellCpuTimeNow(opened.Shared);
        SetEvent(opened.Answered);
    }
    return 0;
}
