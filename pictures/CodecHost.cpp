#include "pictures/CodecHost.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <random>

#include "pictures/CodecHostMessages.h"
#include "pictures/ThreadCpuTime.h"
#include "pictures/ThreadOwned.h"

using namespace codec_host;

namespace {

std::mutex ProgramLock;
std::wstring Program; // empty: YorewindCodecs.exe beside the running exe
std::atomic<unsigned> ProgramChanges{0};
std::atomic<unsigned> Started{0};

std::wstring HostProgram() {
    {
        const std::lock_guard<std::mutex> hold(ProgramLock);
        if (!Program.empty())
            return Program;
    }
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], DWORD(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"YorewindCodecs.exe";
}

// The job every host is put in: closed only by the system when the game ends, however it ends,
// and every host in it ends then too.
HANDLE HostJob() {
    static HANDLE job = [] {
        HANDLE made = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags =
            JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
        if (made != nullptr &&
            !SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
            CloseHandle(made);
            made = nullptr;
        }
        return made;
    }();
    return job;
}

struct HandleClose {
    void operator()(HANDLE handle) const {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};
using OwnedHandle = std::unique_ptr<void, HandleClose>;

struct ViewUnmap {
    void operator()(void* view) const {
        if (view != nullptr)
            UnmapViewOfFile(view);
    }
};
using OwnedView = std::unique_ptr<void, ViewUnmap>;

// A request's data section: the file's bytes, then room for what comes back.
struct DataSection {
    OwnedHandle Section;
    OwnedView View;
    uint64_t Bytes = 0;
    uint64_t OutputOffset = 0;

    bool Make(const uint8_t* data, size_t size, uint64_t room) {
        OutputOffset = (uint64_t(size) + 4095) / 4096 * 4096;
        Bytes = OutputOffset + room;
        if (Bytes == 0 || Bytes > SIZE_MAX)
            return false;
        Section.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, DWORD(Bytes >> 32),
                                         DWORD(Bytes), nullptr));
        if (!Section)
            return false;
        View.reset(MapViewOfFile(Section.get(), FILE_MAP_ALL_ACCESS, 0, 0, size_t(Bytes)));
        if (!View)
            return false;
        std::memcpy(View.get(), data, size);
        return true;
    }

    const uint8_t* Output() const { return static_cast<const uint8_t*>(View.get()) + OutputOffset; }
};

// One running host and the channel to it.
class Host {
public:
    Host() = default;
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;
    ~Host() {
        if (Running()) {
            Channel()->Asked.Op = uint32_t(Op::Quit);
            SetEvent(Asked.get());
        }
    }

    // Asks the host, started if need be, to do op on the file's bytes. True with the reply and its
    // data when the host answered as a host should; a host that did not is ended.
    bool Ask(Op op, const uint8_t* data, size_t size, int width, int height, int fit, int orientation,
             const DecodeStop& stop, Reply* reply, DataSection* section,
             const CardFraming* framing = nullptr) {
        const uint64_t room = OutputRoom(op, width, height);
        if ((op == Op::Decode || op == Op::Blocks || op == Op::Voice) && room == 0)
            return false;
        // A host lost between pictures (ended from outside) costs no picture: another starts. So
        // does one of a program no longer asked for.
        if (Running() &&
            (WaitForSingleObject(Process.get(), 0) != WAIT_TIMEOUT || StartedFor != ProgramChanges))
            End();
        if (!section->Make(data, size, room) || !(Running() || Start()))
            return false;
        HANDLE theirs = nullptr;
        if (!DuplicateHandle(GetCurrentProcess(), section->Section.get(), Process.get(), &theirs, 0, FALSE,
                             DUPLICATE_SAME_ACCESS))
            return End();
        FollowPriority();
        Request& request = Channel()->Asked;
        request = Request();
        request.Serial = ++Serial;
        request.Op = uint32_t(op);
        request.Section = uint64_t(reinterpret_cast<uintptr_t>(theirs));
        request.SectionBytes = section->Bytes;
        request.InputBytes = size;
        request.OutputOffset = section->OutputOffset;
        request.Width = width;
        request.Height = height;
        request.Fit = fit;
        request.Orientation = orientation;
        if (framing != nullptr)
            PutFraming(*framing, &request);
        const Request asked = request;
        InterlockedExchange(reinterpret_cast<volatile LONG*>(&Channel()->Stop), 0);
        SetEvent(Asked.get());
        if (!Await(stop))
            return End();
        *reply = Channel()->Answered;
        return ReplyFits(asked, *reply) || End();
    }

private:
    OwnedHandle Process;
    OwnedHandle ChannelSection;
    OwnedView ChannelView;
    OwnedHandle Asked;
    OwnedHandle Answered;
    uint32_t Serial = 0;
    int Priority = THREAD_PRIORITY_NORMAL;
    unsigned StartedFor = 0; // ProgramChanges when it started

    codec_host::Channel* Channel() const { return static_cast<codec_host::Channel*>(ChannelView.get()); }
    int64_t HostCpuMicroseconds() const {
        return InterlockedCompareExchange64(&Channel()->CpuMicroseconds, 0, 0);
    }
    bool Running() const { return Process != nullptr; }

    // Always false, for the callers' returns: the host is lost, and the next picture starts another.
    bool End() {
        if (Process)
            TerminateProcess(Process.get(), 1);
        Process.reset();
        ChannelView.reset();
        ChannelSection.reset();
        Asked.reset();
        Answered.reset();
        return false;
    }

    bool Start() {
        // Named so that the host can open them; the name is not one another process could guess.
        static std::atomic<unsigned> hosts{0};
        std::random_device random;
        const std::wstring name = L"Local\\Yorewind.CodecHost." + std::to_wstring(GetCurrentProcessId()) +
                                  L"." + std::to_wstring(++hosts) + L"." + std::to_wstring(random()) +
                                  std::to_wstring(random());
        const auto fresh = [](HANDLE made) {
            if (made != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
                CloseHandle(made);
                return HANDLE(nullptr);
            }
            return made;
        };
        ChannelSection.reset(
            fresh(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                     sizeof(codec_host::Channel), (name + L".channel").c_str())));
        Asked.reset(fresh(CreateEventW(nullptr, FALSE, FALSE, (name + L".asked").c_str())));
        Answered.reset(fresh(CreateEventW(nullptr, FALSE, FALSE, (name + L".answered").c_str())));
        if (!ChannelSection || !Asked || !Answered)
            return End();
        ChannelView.reset(
            MapViewOfFile(ChannelSection.get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(codec_host::Channel)));
        const std::wstring program = HostProgram();
        std::wstring line =
            L"\"" + program + L"\" --channel " + name + L" --game " + std::to_wstring(GetCurrentProcessId());
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started = {};
        if (!ChannelView || program.empty() ||
            !CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                            nullptr, &startup, &started))
            return End();
        Process.reset(started.hProcess);
        const OwnedHandle thread(started.hThread);
        // Not started suspended: a game ended between the start and the job would leave a suspended
        // host for ever. Until it is in the job, and outside it where the system refuses it, the host
        // still ends with the game: it watches the game's process itself.
        if (HostJob() != nullptr)
            AssignProcessToJobObject(HostJob(), Process.get());
        Priority = THREAD_PRIORITY_NORMAL;
        StartedFor = ProgramChanges;
        ++Started;
        return true;
    }

    // Work the game does ahead of time at a lowered priority is done so by its host too.
    void FollowPriority() {
        const int priority = GetThreadPriority(GetCurrentThread());
        if (priority == Priority || priority == THREAD_PRIORITY_ERROR_RETURN)
            return;
        Priority = priority;
        SetPriorityClass(Process.get(), priority < THREAD_PRIORITY_NORMAL ? BELOW_NORMAL_PRIORITY_CLASS
                                                                          : NORMAL_PRIORITY_CLASS);
    }

    // Waits for the reply, counting the host's CPU time as this thread's and telling it to stop
    // once stop says so. False when the host died, fell silent or would not stop.
    bool Await(const DecodeStop& stop) {
        const HANDLE waits[2] = {Answered.get(), Process.get()};
        int64_t cpu = HostCpuMicroseconds();
        int32_t beat = Channel()->Beat;
        ULONGLONG heard = GetTickCount64();
        ULONGLONG stopAsked = 0;
        for (;;) {
            const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, 20);
            const int64_t now = HostCpuMicroseconds();
            if (now > cpu)
                AddBorrowedCpuSeconds(double(now - cpu) * 1e-6);
            cpu = std::max(cpu, now);
            if (woke == WAIT_OBJECT_0)
                return true;
            if (woke != WAIT_TIMEOUT)
                return false;
            const ULONGLONG tick = GetTickCount64();
            const int32_t lately =
                InterlockedCompareExchange(reinterpret_cast<volatile LONG*>(&Channel()->Beat), 0, 0);
            if (lately != beat) {
                beat = lately;
                heard = tick;
            }
            if (tick - heard > CodecHostSilenceMs)
                return false;
            if (stopAsked == 0 && stop()) {
                InterlockedExchange(reinterpret_cast<volatile LONG*>(&Channel()->Stop), 1);
                stopAsked = tick;
            }
            if (stopAsked != 0 && tick - stopAsked > CodecHostStopGraceMs)
                return false;
        }
    }
};

// Each worker thread's own host; told to quit when the game ends.
Host& ThreadHost() {
    static ThreadOwned<Host> hosts;
    return hosts.Mine([] { return std::make_unique<Host>(); });
}

} // namespace

bool HostDecode(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
                int orientation, std::vector<uint32_t>* pixels, const DecodeStop& stop) {
    if (stop())
        return false;
    Reply reply = {};
    DataSection section;
    if (!ThreadHost().Ask(Op::Decode, data, size, width, height, int(framing.Fit), orientation, stop, &reply,
                          &section, &framing) ||
        Status(reply.Status) != Status::Picture)
        return false;
    pixels->resize(size_t(width) * size_t(height));
    std::memcpy(pixels->data(), section.Output(), size_t(reply.PixelBytes));
    return true;
}

bool HostFrameSize(const uint8_t* data, size_t size, int known, int* width, int* height, int* orientation) {
    Reply reply = {};
    DataSection section;
    if (!ThreadHost().Ask(Op::Size, data, size, 0, 0, 0, known, DecodeStop(), &reply, &section) ||
        Status(reply.Status) != Status::Picture)
        return false;
    *width = reply.Width;
    *height = reply.Height;
    *orientation = reply.Orientation;
    return true;
}

void HostBlocks(const uint8_t* data, size_t size, MetadataBlocks* blocks) {
    Reply reply = {};
    DataSection section;
    if (!ThreadHost().Ask(Op::Blocks, data, size, 0, 0, 0, 0, DecodeStop(), &reply, &section) ||
        Status(reply.Status) != Status::Picture)
        return;
    const char* output = reinterpret_cast<const char*>(section.Output());
    blocks->Xmp.assign(output, size_t(reply.XmpBytes));
    blocks->Exif.assign(output + reply.XmpBytes, size_t(reply.ExifBytes));
}

bool HostVoice(const uint8_t* data, size_t size, VoiceKind kind, VoiceSound* sound, const DecodeStop& stop) {
    Reply reply = {};
    DataSection section;
    if (size == 0 || size > MaxVoiceFileBytes || stop() ||
        !ThreadHost().Ask(Op::Voice, data, size, 0, 0, int(kind), 0, stop, &reply, &section) ||
        Status(reply.Status) != Status::Picture)
        return false;
    sound->Rate = reply.Width;
    sound->Channels = reply.Height;
    sound->Samples.resize(size_t(reply.PixelBytes) / sizeof(int16_t));
    std::memcpy(sound->Samples.data(), section.Output(), size_t(reply.PixelBytes));
    return true;
}

void SetCodecHostProgram(const std::wstring& path) {
    const std::lock_guard<std::mutex> hold(ProgramLock);
    Program = path;
    ++ProgramChanges;
}

unsigned CodecHostsStarted() {
    return Started.load();
}
