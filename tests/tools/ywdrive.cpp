// ywdrive: drives a running Yorewind from outside, for the end-to-end tests.
// Runs in the same Wine prefix as the game and prints one JSON object per line on stdout.
//
//   ywdrive windows                 visible top-level windows
//   ywdrive dialogs                 open dialogs and message boxes with their controls
//   ywdrive main                    the game window: client origin on screen, client size, state
//   ywdrive press KEY [CAPTION]     presses a button (id or text) of the newest open dialog
//   ywdrive command ID [CAPTION]    posts WM_COMMAND ID to the newest open dialog
//   ywdrive menu ID                 posts a menu command to the game window
//   ywdrive activate                brings the game window to the foreground
//   ywdrive settings                the stored settings, as read through the registry API
//   ywdrive settings-clear          deletes the settings key
//   ywdrive settings-set [path P] [level N]   writes the values the way the game does
//
// Exit code 0 on success, 1 when the window, dialog or control asked for does not exist,
// 2 on a usage error.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char SettingsKey[] = "Software\\Brindlecot\\Twinlet";
const char GameClass[] = "Yorewind";
const char DialogClass[] = "#32770";
const UINT TextTimeoutMs = 2000;

// Bytes above 0x7F are taken as Latin-1, so any text survives the trip to JSON.
std::string Json(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string Number(long long value) {
    return std::to_string(value);
}

std::string Handle(HWND window) {
    return Number(static_cast<long long>(reinterpret_cast<INT_PTR>(window)));
}

std::string Rect(const RECT& r) {
    return "[" + Number(r.left) + "," + Number(r.top) + "," + Number(r.right) + "," + Number(r.bottom) + "]";
}

std::string ClassOf(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// Asks the owning thread, so an edit box reports what it shows, not its creation text.
std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, TextTimeoutMs, &length))
        return "";
    std::vector<char> buffer(length + 2, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, static_cast<WPARAM>(buffer.size()),
                             reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG, TextTimeoutMs,
                             &copied))
        return "";
    return std::string(buffer.data(), copied < buffer.size() ? copied : buffer.size() - 1);
}

std::string WithoutMnemonics(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '&')
            out += c;
    return out;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// In z-order, topmost first.
std::vector<HWND> VisibleTopLevel() {
    std::vector<HWND> all;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> visible;
    for (HWND window : all)
        if (IsWindowVisible(window))
            visible.push_back(window);
    return visible;
}

std::vector<HWND> OpenDialogs(const char* caption) {
    std::vector<HWND> dialogs;
    for (HWND window : VisibleTopLevel()) {
        if (ClassOf(window) != DialogClass)
            continue;
        if (caption != nullptr && TextOf(window) != caption)
            continue;
        dialogs.push_back(window);
    }
    return dialogs;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::string WindowLine(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return "{\"hwnd\":" + Handle(window) + ",\"class\":" + Json(ClassOf(window)) +
           ",\"caption\":" + Json(TextOf(window)) + ",\"pid\":" + Number(ProcessOf(window)) +
           ",\"owner\":" + Handle(GetWindow(window, GW_OWNER)) + ",\"rect\":" + Rect(rect) +
           ",\"enabled\":" + (IsWindowEnabled(window) ? "true" : "false") + "}";
}

int ListWindows() {
    for (HWND window : VisibleTopLevel())
        std::printf("%s\n", WindowLine(window).c_str());
    return 0;
}

std::string ControlLine(HWND control) {
    const std::string className = ClassOf(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    std::string line = "{\"id\":" + Number(GetDlgCtrlID(control)) + ",\"class\":" + Json(className) +
                       ",\"text\":" + Json(TextOf(control)) +
                       ",\"style\":" + Number(static_cast<DWORD>(style)) +
                       ",\"visible\":" + (IsWindowVisible(control) ? "true" : "false") +
                       ",\"enabled\":" + (IsWindowEnabled(control) ? "true" : "false");
    if (lstrcmpiA(className.c_str(), "Button") == 0) {
        DWORD_PTR state = 0;
        SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, TextTimeoutMs, &state);
        line += ",\"checked\":" + Number(static_cast<long long>(state));
    }
    return line + "}";
}

int ListDialogs() {
    for (HWND dialog : OpenDialogs(nullptr)) {
        RECT rect;
        GetWindowRect(dialog, &rect);
        std::string line = "{\"hwnd\":" + Handle(dialog) + ",\"caption\":" + Json(TextOf(dialog)) +
                           ",\"pid\":" + Number(ProcessOf(dialog)) +
                           ",\"owner\":" + Handle(GetWindow(dialog, GW_OWNER)) + ",\"rect\":" + Rect(rect) +
                           ",\"controls\":[";
        bool first = true;
        for (HWND control : Children(dialog)) {
            if (GetParent(control) != dialog)
                continue;
            line += (first ? "" : ",") + ControlLine(control);
            first = false;
        }
        std::printf("%s]}\n", line.c_str());
    }
    return 0;
}

HWND GameWindow() {
    for (HWND window : VisibleTopLevel())
        if (ClassOf(window) == GameClass)
            return window;
    return nullptr;
}

int DescribeMain() {
    HWND window = GameWindow();
    if (window == nullptr) {
        std::printf("{\"found\":false}\n");
        return 1;
    }
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("{\"found\":true,\"hwnd\":%s,\"pid\":%lu,\"caption\":%s,\"origin\":[%ld,%ld],"
                "\"client\":[%ld,%ld],\"rect\":%s,\"enabled\":%s,\"foreground\":%s,\"iconic\":%s}\n",
                Handle(window).c_str(), static_cast<unsigned long>(ProcessOf(window)),
                Json(TextOf(window)).c_str(), origin.x, origin.y, client.right - client.left,
                client.bottom - client.top, Rect(rect).c_str(), IsWindowEnabled(window) ? "true" : "false",
                GetForegroundWindow() == window ? "true" : "false", IsIconic(window) ? "true" : "false");
    return 0;
}

bool IsNumber(const char* text) {
    if (*text == '\0')
        return false;
    char* end = nullptr;
    std::strtol(text, &end, 0);
    return *end == '\0';
}

HWND FindControl(HWND dialog, const char* key) {
    if (IsNumber(key))
        return GetDlgItem(dialog, static_cast<int>(std::strtol(key, nullptr, 0)));
    for (HWND control : Children(dialog)) {
        const std::string text = TextOf(control);
        if (text == key || WithoutMnemonics(text) == WithoutMnemonics(key))
            return control;
    }
    return nullptr;
}

// Posted, never sent: a button that opens another modal loop must not block the helper.
int Press(const char* key, const char* caption, bool asCommand) {
    const std::vector<HWND> dialogs = OpenDialogs(caption);
    if (dialogs.empty()) {
        std::printf("{\"pressed\":false,\"reason\":\"no dialog\"}\n");
        return 1;
    }
    HWND dialog = dialogs.front();
    if (asCommand) {
        const int id = static_cast<int>(std::strtol(key, nullptr, 0));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
        std::printf("{\"pressed\":true,\"dialog\":%s,\"id\":%d}\n", Handle(dialog).c_str(), id);
        return 0;
    }
    HWND control = FindControl(dialog, key);
    if (control == nullptr) {
        std::printf("{\"pressed\":false,\"reason\":\"no control\",\"dialog\":%s}\n", Handle(dialog).c_str());
        return 1;
    }
    PostMessageA(control, BM_CLICK, 0, 0);
    std::printf("{\"pressed\":true,\"dialog\":%s,\"id\":%d}\n", Handle(dialog).c_str(),
                GetDlgCtrlID(control));
    return 0;
}

int PostMenu(const char* id) {
    HWND window = GameWindow();
    if (window == nullptr) {
        std::printf("{\"posted\":false}\n");
        return 1;
    }
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(std::strtol(id, nullptr, 0), 0), 0);
    std::printf("{\"posted\":true,\"hwnd\":%s}\n", Handle(window).c_str());
    return 0;
}

int Activate() {
    HWND window = GameWindow();
    if (window == nullptr) {
        std::printf("{\"activated\":false}\n");
        return 1;
    }
    SetForegroundWindow(window);
    SetActiveWindow(window);
    std::printf("{\"activated\":%s}\n", GetForegroundWindow() == window ? "true" : "false");
    return 0;
}

std::string Hex(const std::vector<BYTE>& data) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (BYTE b : data) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

// Type and size come from the API, which is what the game itself reads back.
std::string ValueJson(HKEY key, const char* name) {
    DWORD type = 0;
    DWORD size = 0;
    const LONG status = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS)
        return "null";
    std::vector<BYTE> data(size, 0);
    DWORD read = size;
    if (size > 0 && RegQueryValueExA(key, name, nullptr, &type, data.data(), &read) != ERROR_SUCCESS)
        return "null";
    data.resize(read);
    std::string json =
        "{\"type\":" + Number(type) + ",\"size\":" + Number(read) + ",\"hex\":\"" + Hex(data) + "\"";
    if (type == REG_DWORD && read == 4) {
        const DWORD value = static_cast<DWORD>(data[0]) | static_cast<DWORD>(data[1]) << 8 |
                            static_cast<DWORD>(data[2]) << 16 | static_cast<DWORD>(data[3]) << 24;
        json += ",\"value\":" + Number(static_cast<long long>(static_cast<LONG>(value)));
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        size_t length = 0;
        while (length < data.size() && data[length] != 0)
            ++length;
        json += ",\"text\":" +
                Json(std::string(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length)));
    }
    return json + "}";
}

int ReadSettings() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        std::printf("{\"exists\":false}\n");
        return 0;
    }
    const std::string path = ValueJson(key, "PicturePath");
    const std::string level = ValueJson(key, "Level");
    DWORD valueCount = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &valueCount, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(key);
    std::printf("{\"exists\":true,\"values\":%lu,\"PicturePath\":%s,\"Level\":%s}\n",
                static_cast<unsigned long>(valueCount), path.c_str(), level.c_str());
    return 0;
}

int ClearSettings() {
    const LONG status = RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey);
    // The parent goes too when nothing else lives there; it fails harmlessly otherwise.
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Brindlecot");
    HKEY key;
    const bool remains = RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (remains)
        RegCloseKey(key);
    std::printf("{\"deleted\":%s,\"exists\":%s}\n", status == ERROR_SUCCESS ? "true" : "false",
                remains ? "true" : "false");
    return remains ? 1 : 0;
}

int WriteSettings(int argc, char** argv) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        std::printf("{\"written\":false}\n");
        return 1;
    }
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "path") == 0) {
            // A terminated 260-byte buffer, as the game stores it.
            char buffer[MAX_PATH] = {};
            const size_t length = std::strlen(argv[i + 1]);
            std::memcpy(buffer, argv[i + 1], length < MAX_PATH - 1 ? length : MAX_PATH - 1);
            RegSetValueExA(key, "PicturePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(buffer), MAX_PATH);
        } else if (std::strcmp(argv[i], "level") == 0) {
            const DWORD level = static_cast<DWORD>(std::strtol(argv[i + 1], nullptr, 0));
            RegSetValueExA(key, "Level", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&level), sizeof(level));
        }
    }
    RegCloseKey(key);
    std::printf("{\"written\":true}\n");
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: ywdrive windows|dialogs|main|press KEY [CAPTION]|command ID [CAPTION]|"
                         "menu ID|activate|settings|settings-clear|settings-set [path P] [level N]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    int status = 2;
    if (command == "windows")
        status = ListWindows();
    else if (command == "dialogs")
        status = ListDialogs();
    else if (command == "main")
        status = DescribeMain();
    else if ((command == "press" || command == "command") && argc >= 3)
        status = Press(argv[2], argc >= 4 ? argv[3] : nullptr, command == "command");
    else if (command == "menu" && argc >= 3)
        status = PostMenu(argv[2]);
    else if (command == "activate")
        status = Activate();
    else if (command == "settings")
        status = ReadSettings();
    else if (command == "settings-clear")
        status = ClearSettings();
    else if (command == "settings-set")
        status = WriteSettings(argc, argv);
    else
        return Usage();
    std::fflush(stdout);
    return status;
}
