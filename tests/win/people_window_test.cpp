// The player's side of recognising the people: the Options box with its first-time text, and the
// People window naming, merging, hiding, refusing and forgetting the people of an index. Each
// dialog runs on a thread of its own, as on the game's window thread, and the test plays it.
#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>

#include "app/OptionsDialog.h"
#include "app/PeopleWindow.h"
#include "app/RecognisingPeople.h"
#include "app/Settings.h"
#include "board/PairNames.h"
#include "engine/GameEngine.h"
#include "pictures/PeopleIndexFolder.h"
#include "res/resource.h"
#include "tests/driver/Driver.h"

namespace {

const DWORD Me = GetCurrentProcessId();

// A dialog shown on a thread of its own, from the program's module as start-up names it. A test
// that failed half-way leaves none open: what the thread still shows is cancelled.
class ShownDialog {
public:
    explicit ShownDialog(const std::function<void()>& show) {
        Engine = &engine_;
        thread_ = std::thread([this, show] {
            threadId_ = GetCurrentThreadId();
            show();
            ended_ = true;
        });
    }
    ~ShownDialog() {
        yw::WaitUntil([this] {
            EnumThreadWindows(
                threadId_,
                [](HWND window, LPARAM) {
                    for (WPARAM answer : {IDCANCEL, IDNO})
                        PostMessageW(window, WM_COMMAND, answer, 0);
                    return TRUE;
                },
                0);
            return ended_.load();
        });
        thread_.join();
        Engine = nullptr;
    }

private:
    GameEngine engine_{GetModuleHandleW(nullptr)};
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> ended_{false};
    std::thread thread_;
};

// A message box or dialog of this process with the caption, other than the window given, once it
// is the active window: a button pressed before may lose its click to the activation.
HWND WaitForBox(const char* caption, HWND other = nullptr) {
    HWND box = nullptr;
    yw::WaitUntil([&] {
        return (box = yw::WaitForDialog(Me, caption, 0)) != nullptr && box != other &&
               GetForegroundWindow() == box;
    });
    return box != other ? box : nullptr;
}

std::string Cell(HWND list, int row, int column) {
    wchar_t text[256] = L"";
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return yw::Utf8(text);
}

void Choose(HWND list, std::initializer_list<int> rows) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    for (int row : rows)
        ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

int RowOf(HWND list, const std::string& name) {
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        if (Cell(list, row, 0) == name)
            return row;
    }
    return -1;
}

const StoredPerson* Find(const std::vector<StoredPerson>& people, int64_t id) {
    for (const StoredPerson& person : people) {
        if (person.Id == id)
            return &person;
    }
    return nullptr;
}

// Turned on, the box tells what is kept, where, once: Cancel leaves it off, OK on and remembered.
TEST(Recognising, OptionsBoxTellsOnceAndKeepsTheChoice) {
    yw::ClearSettings();
    RecognisePeople = 0;
    INT_PTR answer = 0;
    {
        ShownDialog shown([&] { answer = ShowOptionsDialog(nullptr); });
        const HWND sheet = WaitForBox("Yorewind");
        ASSERT_NE(sheet, nullptr);
        EXPECT_FALSE(yw::IsChecked(sheet, IDC_RECOGNISE_PEOPLE));
        yw::Press(sheet, IDC_RECOGNISE_PEOPLE);
        HWND told = WaitForBox("Recognising the people");
        ASSERT_NE(told, nullptr);
        const std::string text = yw::MessageText(told);
        const std::string index = PeopleIndexPath();
        EXPECT_NE(text.find(index.substr(0, index.rfind('\\'))), std::string::npos) << text;
        EXPECT_NE(text.find("Forget the people"), std::string::npos) << text;
        yw::Press(told, IDCANCEL);
        EXPECT_TRUE(yw::WaitUntil([&] { return !yw::IsChecked(sheet, IDC_RECOGNISE_PEOPLE); }))
            << "Cancel left recognising on";
        yw::Press(sheet, IDC_RECOGNISE_PEOPLE);
        told = WaitForBox("Recognising the people");
        ASSERT_NE(told, nullptr) << "not told again after a Cancel";
        yw::Press(told, IDOK);
        EXPECT_TRUE(yw::WaitUntil([&] { return yw::IsChecked(sheet, IDC_RECOGNISE_PEOPLE); }));
        // Each click is posted: the box is read once the sheet has taken it.
        yw::Press(sheet, IDC_RECOGNISE_PEOPLE);
        EXPECT_TRUE(yw::WaitUntil([&] { return !yw::IsChecked(sheet, IDC_RECOGNISE_PEOPLE); }));
        yw::Press(sheet, IDC_RECOGNISE_PEOPLE);
        EXPECT_TRUE(yw::WaitUntil([&] { return yw::IsChecked(sheet, IDC_RECOGNISE_PEOPLE); }));
        yw::Settle(sheet, 3);
        EXPECT_EQ(yw::WaitForDialog(Me, "Recognising the people", 0), nullptr) << "told a second time";
        yw::Press(sheet, IDOK);
    }
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(RecognisePeople, 1);
    EXPECT_EQ(yw::RegistryNumber(yw::SettingsKey, PeopleExplainedValue), 1u);
    RecognisePeople = 0;
    yw::ClearSettings();
}

// Three people of the build's pictures, one named; the window lists them, and what the player does
// there is what the index keeps, down to forgetting it whole.
TEST(PeopleWindow, NamesMergesHidesRefusesAndForgets) {
    ASSERT_TRUE(ForgetPeopleIndex());
    const std::string pictures = yw::ProgramFolder() + "\\test-pictures\\";
    int64_t grandma = 0, second = 0, third = 0;
    std::vector<StoredFace> faces;
    {
        std::unique_ptr<FaceIndexStore> store = OpenPeopleIndex();
        std::vector<IndexedPicture> batch;
        for (const char* name : {"ff0000.jpg", "00ff00.jpg", "0000ff.jpg"}) {
            FaceDescriptor descriptor{};
            descriptor[0] = float(batch.size());
            batch.push_back(
                {{pictures + name, 1, 1}, false, {{{0.25, 0.25, 0.5, 0.5}, descriptor, std::nullopt}}});
        }
        ASSERT_TRUE(store->StoreBatch(batch));
        store->ForEachDescribedFace([&](const StoredFace& face) {
            faces.push_back(face);
            return true;
        });
        ASSERT_EQ(faces.size(), 3u);
        grandma = store->NewPerson({faces[0].Id});
        second = store->NewPerson({faces[1].Id});
        third = store->NewPerson({faces[2].Id});
        ASSERT_TRUE(store->SetName(grandma, std::string("Grandma")));
    }
    auto index = std::make_unique<FaceIndexStore>(PeopleIndexPath());
    RecognisePeople = 1;
    {
        ShownDialog shown([] { ShowPeopleWindow(nullptr); });
        const HWND window = WaitForBox("People");
        ASSERT_NE(window, nullptr);
        const HWND list = GetDlgItem(window, IDC_PEOPLE_LIST);
        ASSERT_EQ(ListView_GetItemCount(list), 3);
        EXPECT_EQ(Cell(list, 0, 0), "Grandma");
        EXPECT_EQ(Cell(list, 0, 1), "1");
        EXPECT_EQ(Cell(list, 1, 0), "(no name yet)");

        // Enter renames the person chosen, in place.
        LVITEMW row = {};
        row.mask = LVIF_PARAM;
        row.iItem = 1;
        ListView_GetItem(list, &row);
        const int64_t renamed = static_cast<int64_t>(row.lParam);
        ASSERT_TRUE(renamed == second || renamed == third);
        Choose(list, {1});
        SetFocus(list);
        yw::Press(window, IDC_PEOPLE_RENAME);
        HWND edit = nullptr;
        ASSERT_TRUE(yw::WaitUntil([&] { return (edit = ListView_GetEditControl(list)) != nullptr; }));
        SetWindowTextW(edit, L"  Zo\u00eb ");
        PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
        const auto named = [&](int64_t id, const char* name) {
            return yw::WaitUntil([&] {
                const std::vector<StoredPerson> people = index->People();
                const StoredPerson* person = Find(people, id);
                return person != nullptr && person->Name == std::optional<std::string>(name);
            });
        };
        EXPECT_TRUE(named(renamed, "Zo\xC3\xAB")) << "the name typed not kept, or kept with its spaces";
        ASSERT_TRUE(yw::WaitUntil([&] { return RowOf(list, "Zo\xC3\xAB") >= 0; }));

        // Same person: two names, so the player is asked which stands; Grandma is the first chosen.
        Choose(list, {RowOf(list, "Grandma"), RowOf(list, "Zo\xC3\xAB")});
        yw::Press(window, IDC_PEOPLE_MERGE);
        const HWND asked = WaitForBox("People", window);
        ASSERT_NE(asked, nullptr);
        EXPECT_NE(yw::MessageText(asked).find("Grandma"), std::string::npos);
        yw::Press(asked, IDYES);
        ASSERT_TRUE(yw::WaitUntil([&] { return ListView_GetItemCount(list) == 2; }));
        const std::vector<StoredPerson> merged = index->People();
        ASSERT_NE(Find(merged, grandma), nullptr);
        EXPECT_EQ(Find(merged, grandma)->Pictures, 2);
        EXPECT_EQ(Find(merged, renamed), nullptr);

        // Hide from deals, marked in the list.
        const int64_t other = renamed == second ? third : second;
        Choose(list, {RowOf(list, "(no name yet)")});
        yw::Press(window, IDC_PEOPLE_HIDE);
        EXPECT_TRUE(yw::WaitUntil([&] {
            const std::vector<StoredPerson> people = index->People();
            return Find(people, other) != nullptr && Find(people, other)->Hidden;
        }));
        EXPECT_TRUE(yw::WaitUntil([&] { return Cell(list, RowOf(list, "(no name yet)"), 2) == "Hidden"; }));

        // Not this person: Grandma's faces listed, the first taken from her for good.
        Choose(list, {RowOf(list, "Grandma")});
        const HWND faceList = GetDlgItem(window, IDC_PEOPLE_FACES);
        ASSERT_TRUE(yw::WaitUntil([&] { return ListView_GetItemCount(faceList) == 2; }));
        Choose(faceList, {0});
        yw::Press(window, IDC_PEOPLE_NOT_THIS);
        EXPECT_TRUE(yw::WaitUntil([&] { return index->Refused(faces[0].Id, grandma); }));
        EXPECT_TRUE(yw::WaitUntil([&] { return ListView_GetItemCount(faceList) == 1; }));

        // Forget, asked first: the index this test holds open keeps its file, which the player is
        // told of, and the window stays; let go of, the index goes whole, and the window with it.
        for (bool held : {true, false}) {
            if (!held)
                index.reset();
            yw::Press(window, IDC_PEOPLE_FORGET);
            const HWND asked = WaitForBox("Forget the people");
            ASSERT_NE(asked, nullptr);
            yw::Press(asked, IDYES);
            const HWND told = held ? WaitForBox("Yorewind. Error") : WaitForBox("Forget the people", asked);
            ASSERT_NE(told, nullptr) << (held ? "held" : "let go of");
            EXPECT_EQ(yw::MessageText(told).find("people.db") != std::string::npos, held)
                << yw::MessageText(told);
            yw::Press(told, IDOK);
            if (held) {
                ASSERT_TRUE(
                    yw::WaitUntil([] { return yw::WaitForDialog(Me, "Yorewind. Error", 0) == nullptr; }));
                yw::Settle(window, 3);
                EXPECT_TRUE(IsWindow(window)) << "the window closed on an index still there";
            } else {
                EXPECT_TRUE(yw::WaitUntil([&] { return !IsWindow(window); }));
            }
        }
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::u8path(PeopleIndexPath())));
    EXPECT_EQ(RecognisePeople, 0) << "recognising still on after forgetting";
}

// A name the window keeps reaches the next deal, though the index's files may show the sizes and,
// in the whole seconds std::filesystem gives, the write times they had at the deal before.
TEST(PeopleWindow, ANameKeptReachesTheNextDeal) {
    ASSERT_TRUE(ForgetPeopleIndex());
    const std::string picture = yw::ProgramFolder() + "\\test-pictures\\ff0000.jpg";
    int64_t person = 0;
    const auto name = [&](const char* given) {
        std::unique_ptr<FaceIndexStore> store = OpenPeopleIndex();
        if (person == 0) {
            store->StoreBatch(
                {{{picture, 1, 1}, false, {{{0.25, 0.25, 0.5, 0.5}, FaceDescriptor{}, std::nullopt}}}});
            store->ForEachDescribedFace(
                [&](const StoredFace& face) { return (person = store->NewPerson({face.Id})) == 0; });
        }
        return store->SetName(person, std::string(given));
    };
    ASSERT_TRUE(name("Cy"));
    RecognisePeople = 1;
    EXPECT_EQ(NamesOfList({picture}, PairKind::TwoOfOneName)[0].Names, std::vector<std::string>{"Cy"});
    ASSERT_TRUE(name("Dee"));
    EXPECT_EQ(NamesOfList({picture}, PairKind::TwoOfOneName)[0].Names, std::vector<std::string>{"Dee"});
    RecognisePeople = 0;
    EXPECT_TRUE(ForgetPeopleIndex());
}

} // namespace
