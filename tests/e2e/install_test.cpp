// The setup program and the portable zip of scripts/package, as a player's Windows meets them: a
// silent install, the first start, installs over it, a silent uninstall. Runs in a prefix of its own.
#include "tests/driver/Driver.h"

#include <gtest/gtest.h>

#include <process.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {

// The test command names the package's files and the sources they were made from (Windows paths).
std::string Env(const char* name) {
    return getenv(name) != nullptr ? getenv(name) : "";
}
const std::string Dir = Env("LOCALAPPDATA") + "\\Programs\\Yorewind";
const std::string Samples = Dir + "\\samples\\pictures";
const std::string Shortcut = Env("APPDATA") + "\\Microsoft\\Windows\\Start Menu\\Programs\\Yorewind.lnk";

int RunSilently(const std::string& exe) {
    return static_cast<int>(_spawnl(_P_WAIT, exe.c_str(), "setup", "/S", nullptr));
}

const char UninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Yorewind";
const char FolderVerbKey[] = "Software\\Classes\\Directory\\shell\\Yorewind";
const std::string FolderCommandKey = std::string(FolderVerbKey) + "\\command";

bool KeyExists(const char* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}
// The files under the folder by relative names, '/' between folders, after the prefix.
std::set<std::string> Files(const std::string& folder, const std::string& prefix = "") {
    std::set<std::string> names;
    for (const auto& file : std::filesystem::recursive_directory_iterator(folder))
        if (!file.is_directory())
            names.insert(prefix + file.path().lexically_relative(folder).generic_string());
    return names;
}

// What a player gets from either download, after the sources the package was made from.
std::set<std::string> Shipped(const std::string& top) {
    std::set<std::string> names = {top + "Yorewind.exe", top + "YorewindCodecs.exe", top + "README.txt",
                                   top + "faces/shape_predictor_5_face_landmarks.dat",
                                   top + "faces/dlib_face_recognition_resnet_model_v1.dat"};
    for (const std::string folder : {"LICENSES", "samples/pictures"})
        names.merge(Files(Env("YW_SOURCE") + "/" + folder, top + folder + "/"));
    return names;
}

TEST(Setup, InstallsDealsTheSamplesAtOnceInstallsAgainAndUninstalls) {
    yw::ClearSettings();
    ASSERT_EQ(RunSilently(Env("YW_SETUP")), 0);
    std::set<std::string> installed = Shipped("");
    installed.insert("Uninstall.exe");
    EXPECT_EQ(Files(Dir), installed);
    EXPECT_TRUE(std::filesystem::exists(Shortcut));
    const std::pair<const char*, std::string> entry[] = {
        {"DisplayName", "Yorewind"},
        {"DisplayVersion", Env("YW_VERSION")},
        {"InstallLocation", Dir},
        {"QuietUninstallString", "\"" + Dir + "\\Uninstall.exe\" /S"}};
    for (const auto& text : entry)
        EXPECT_EQ(yw::RegistryText(UninstallKey, text.first), text.second) << text.first;
    EXPECT_EQ(yw::RegistryText(yw::SettingsKey, "PicturePath"), Samples) << "with no settings key";
    // Explorer's menu of every folder starts the installed game with that folder.
    EXPECT_EQ(yw::RegistryText(FolderVerbKey, nullptr), "Play Yorewind with these pictures");
    EXPECT_EQ(yw::RegistryText(FolderVerbKey, "Icon"), Dir + "\\Yorewind.exe,0");
    EXPECT_EQ(yw::RegistryText(FolderCommandKey.c_str(), nullptr), "\"" + Dir + "\\Yorewind.exe\" \"%1\"");
    {
        yw::GameProcess game(Dir + "\\Yorewind.exe");
        HWND window = yw::WaitForWindow(game.Id(), "Yorewind", nullptr, 60000);
        ASSERT_NE(window, nullptr);
        const POINT card = {60, 60}; // inside the first card, at any size the window opens with
        const auto showsBack = [&] { return yw::Near(yw::ScreenPixel(window, card), 0xC483FF); };
        EXPECT_TRUE(yw::WaitUntil(showsBack, 60000));
        EXPECT_EQ(yw::WaitForDialog(game.Id(), nullptr, 0), nullptr) << "no dialog";
        // The backs may show before the first deal takes clicks: clicked until the card turns.
        EXPECT_TRUE(yw::WaitUntil([&] {
            yw::Click(window, card);
            return yw::WaitUntil([&] { return !showsBack(); }, 1000);
        })) << "a sample picture turned up";
    }
    // Over the first install: the initial text counts as no folder, a chosen one stays.
    const std::pair<std::string, std::string> stored[] = {{"Where Do You Want to Go?", Samples},
                                                          {"C:\\My pictures", "C:\\My pictures"}};
    for (const auto& folder : stored) {
        // As the game stores it, in 260 bytes.
        yw::WriteSettingValue("PicturePath", REG_SZ,
                              folder.first + std::string(260 - folder.first.size(), '\0'));
        ASSERT_EQ(RunSilently(Env("YW_SETUP")), 0);
        EXPECT_EQ(yw::RegistryText(yw::SettingsKey, "PicturePath"), folder.second) << folder.first;
    }
    EXPECT_EQ(Files(Dir), installed);

    // The index of the people, as the game leaves it, goes with the game.
    const std::string people = Env("LOCALAPPDATA") + "\\Yorewind";
    std::filesystem::create_directories(people);
    for (const char* file : {"people.db", "people.db-wal", "people.db.set-aside-1796680193"})
        std::ofstream(people + "\\" + file) << "faces";
    ASSERT_EQ(RunSilently(Dir + "\\Uninstall.exe"), 0);
    // The uninstaller goes on from a copy of itself; the entry goes last.
    EXPECT_TRUE(yw::WaitUntil([] { return yw::RegistryText(UninstallKey, "DisplayName").empty(); }, 30000));
    EXPECT_FALSE(std::filesystem::exists(Dir));
    EXPECT_FALSE(std::filesystem::exists(Shortcut));
    EXPECT_FALSE(std::filesystem::exists(people)) << "the people's index goes";
    EXPECT_FALSE(KeyExists(FolderVerbKey)) << "the folder command goes";
    EXPECT_EQ(yw::RegistryText(yw::SettingsKey, "PicturePath"), "C:\\My pictures") << "the settings stay";
}

} // namespace
