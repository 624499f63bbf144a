// The real shell browse dialog with the picker's edit box, driven the way a user would:
// a thread timer runs a script inside the dialog's own message loop, finds the browse
// window, looks at its controls and posts the keystrokes and clicks.
#include "framework/message_box.h"
#include "framework/text_convert.h"
#include "picker/folder_path.h"
#include "picker/path_dialog.h"
#include "tests/win/test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <vector>

using namespace testing_support;

namespace {

const wchar_t kCaption[] = L"请选择安装目录：";

// One step waits until its check holds (and then does its action); the script fails, names
// the step and cancels the dialog when a step does not come true within the time limit.
struct Step {
    Step(std::string name, std::function<bool(HWND browse)> run,
         std::function<std::string(HWND browse)> seen = {})
        : name(std::move(name)), run(std::move(run)), seen(std::move(seen)) {}
    std::string name;
    std::function<bool(HWND browse)> run;
    std::function<std::string(HWND browse)> seen; // what was there instead, when it failed
};

class DialogScript {
  public:
    explicit DialogScript(std::vector<Step> steps) : m_steps(std::move(steps)) {
        s_current = this;
        m_timer = SetTimer(nullptr, 0, 50, OnTimer);
    }
    ~DialogScript() {
        KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    bool Finished() const { return m_next == m_steps.size(); }

  private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (s_current)
            s_current->Tick();
    }

    void Tick() {
        HWND browse = FindBrowseWindow();
        if (!browse || Finished())
            return;
        if (m_steps[m_next].run(browse)) {
            ++m_next;
            m_waited = 0;
        } else if (++m_waited > kTicksPerStep) {
            const Step& step = m_steps[m_next];
            ADD_FAILURE() << "step did not come true: " << step.name
                          << (step.seen ? "; seen: " + step.seen(browse) : std::string());
            m_next = m_steps.size();
            PostMessageW(browse, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }

    static HWND FindBrowseWindow() {
        HWND found = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM data) -> BOOL {
                if (!IsWindowVisible(window) || !GetDlgItem(window, kBrowseTreeId))
                    return TRUE;
                *reinterpret_cast<HWND*>(data) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    static constexpr int kTicksPerStep = 200; // ten seconds
    static DialogScript* s_current;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    int m_waited = 0;
    UINT_PTR m_timer = 0;
};

DialogScript* DialogScript::s_current = nullptr;

HWND PathEdit(HWND browse) {
    return GetDlgItem(browse, kPathEditId);
}

std::string EditText(HWND browse) {
    wchar_t text[1024] = L"";
    GetWindowTextW(PathEdit(browse), text, 1024);
    return fw::AnsiFromWide(text);
}

bool OkEnabled(HWND browse) {
    return IsWindowEnabled(GetDlgItem(browse, IDOK)) != FALSE;
}

void ClearEdit(HWND browse) {
    PostMessageW(PathEdit(browse), EM_SETSEL, 0, -1);
    PostMessageW(PathEdit(browse), WM_CLEAR, 0, 0);
}

void Type(HWND browse, const std::string& text) {
    for (wchar_t c : fw::WideFromAnsi(text))
        PostMessageW(PathEdit(browse), WM_CHAR, c, 1);
}

void Click(HWND browse, int id) {
    PostMessageW(browse, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(browse, id)));
}

Step TypeText(const std::string& text) {
    return {"type the path", [text](HWND browse) {
                ClearEdit(browse);
                Type(browse, text);
                return true;
            }};
}

Step WaitForText(const std::string& text) {
    return {"the edit box shows " + text, [text](HWND browse) { return EditText(browse) == text; },
            EditText};
}

Step Press(int id) {
    return {id == IDOK ? "press OK" : "press Cancel", [id](HWND browse) {
                Click(browse, id);
                return true;
            }};
}

// The tree item below parent whose text is name, or null.
HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::wstring& name) {
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    for (auto item = reinterpret_cast<HTREEITEM>(
             SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
         item; item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT,
                                                               reinterpret_cast<LPARAM>(item)))) {
        wchar_t text[MAX_PATH] = L"";
        TVITEMW data = {};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = text;
        data.cchTextMax = MAX_PATH;
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
        if (_wcsicmp(text, name.c_str()) == 0)
            return item;
    }
    return nullptr;
}

// Selects a folder as the user does: from the drive, one click in the tree per level.
// (Wine's own walk for BFFM_SETSELECTION now and then stops short of a deep folder.)
Step SelectInTree(const std::string& path) {
    auto ticks = std::make_shared<int>(0);
    return {"selecting " + path + " shows it in the box",
            [path, ticks](HWND browse) {
                if (EditText(browse) == path)
                    return true;
                const std::string root = path.substr(0, 3);
                if (EditText(browse) != root) {
                    if ((*ticks)++ % 20 == 0)
                        PostMessageA(browse, BFFM_SETSELECTIONA, TRUE,
                                     reinterpret_cast<LPARAM>(root.c_str()));
                    return false;
                }
                const HWND tree = GetDlgItem(browse, kBrowseTreeId);
                auto item =
                    reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
                const std::wstring below = fw::WideFromAnsi(path.substr(3));
                for (size_t begin = 0; item && begin < below.size();) {
                    size_t end = below.find(L'\\', begin);
                    if (end == std::wstring::npos)
                        end = below.size();
                    item = FindChild(tree, item, below.substr(begin, end - begin));
                    begin = end + 1;
                }
                if (item)
                    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
                return EditText(browse) == path;
            },
            EditText};
}

class PickerDialog : public testing::Test {
  protected:
    void SetUp() override {
        char display[256] = "";
        if (GetEnvironmentVariableA("DISPLAY", display, sizeof display) == 0)
            GTEST_SKIP() << "no X display for the browse dialog (DISPLAY is not set)";
    }

    // Runs the dialog with the script; the script must have run to its end.
    int Run(CPathDialog& dialog, std::vector<Step> steps) {
        DialogScript script(std::move(steps));
        const int result = dialog.DoModal();
        EXPECT_TRUE(script.Finished()) << "the dialog ended before the script";
        return result;
    }

    TempDir temp;
    MessageAnswers boxes{MessageAnswers::Questions(IDYES)};
    const std::vector<ShownMessage>& shown = boxes.shown;
};

TEST_F(PickerDialog, EditBoxSitsAboveTheTreeWithTheDialogsFont) {
    CPathDialog dialog(kCaption, L"请选择安装目录：", temp.path().c_str(), nullptr);
    const int result = Run(dialog, {{"the edit box shows the initial folder",
                                     [&](HWND browse) { return EditText(browse) == temp.path(); }},
                                    {"the edit box's place, look and font",
                                     [&](HWND browse) {
                                         HWND edit = PathEdit(browse);
                                         RECT tree = {}, box = {};
                                         GetWindowRect(GetDlgItem(browse, kBrowseTreeId), &tree);
                                         GetWindowRect(edit, &box);
                                         EXPECT_EQ(box.left, tree.left);
                                         EXPECT_EQ(box.right, tree.right);
                                         EXPECT_EQ(box.top, tree.top - 27);
                                         EXPECT_EQ(box.bottom, tree.top - 4);
                                         EXPECT_EQ(GetDlgCtrlID(edit), 14148);
                                         EXPECT_EQ(SendMessageW(edit, WM_GETFONT, 0, 0),
                                                   SendMessageW(browse, WM_GETFONT, 0, 0));
                                         EXPECT_TRUE(OkEnabled(browse));
                                         return true;
                                     }},
                                    Press(IDCANCEL)});
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(shown.empty());
}

TEST_F(PickerDialog, SelectingAFolderFillsTheEditBox) {
    MakeFolders(temp / "first");
    MakeFolders(temp / "second");
    const std::string first = temp / "first", second = temp / "second";
    CPathDialog dialog(kCaption, nullptr, first.c_str(), nullptr);
    const int result = Run(dialog, {WaitForText(first), SelectInTree(second), Press(IDCANCEL)});
    EXPECT_EQ(result, -1);
}

TEST_F(PickerDialog, TypingEnablesOkAndEmptyingDisablesIt) {
    CPathDialog dialog(kCaption, nullptr, temp.path().c_str(), nullptr);
    const int result =
        Run(dialog, {WaitForText(temp.path()),
                     {"empty the box",
                      [](HWND browse) {
                          ClearEdit(browse);
                          return true;
                      }},
                     {"OK is disabled",
                      [](HWND browse) { return EditText(browse).empty() && !OkEnabled(browse); }},
                     {"type a letter",
                      [](HWND browse) {
                          Type(browse, "x");
                          return true;
                      }},
                     {"OK is enabled", [](HWND browse) { return OkEnabled(browse); }},
                     {"delete the letter",
                      [](HWND browse) {
                          ClearEdit(browse);
                          return true;
                      }},
                     {"OK is disabled again",
                      [](HWND browse) { return EditText(browse).empty() && !OkEnabled(browse); }},
                     Press(IDCANCEL)});
    EXPECT_EQ(result, -1);
}

TEST_F(PickerDialog, OkWithANewFolderAsksCreatesAndReturnsOne) {
    const std::string target = temp / "Soft\\Plot";
    CPathDialog dialog(kCaption, nullptr, temp.path().c_str(), nullptr);
    const int result =
        Run(dialog, {WaitForText(temp.path()), TypeText(target), WaitForText(target), Press(IDOK)});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dialog.GetFolderPath(), target);
    EXPECT_TRUE(FolderExists(target));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(Utf8(shown[0].text),
              Utf8(fw::WideFromAnsi(FolderMessageText(FolderMessage::AskCreate, target))));
    EXPECT_EQ(shown[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
}

// Text too long for a path is rejected whole, never cut to a shorter folder and created.
TEST_F(PickerDialog, RejectedPathKeepsTheDialogOpenWithTheFocusInTheBox) {
    const std::string file = temp / std::string(259 - temp.path().size(), 'a');
    CPathDialog dialog(kCaption, nullptr, temp.path().c_str(), nullptr);
    const int result = Run(
        dialog, {WaitForText(temp.path()),
                 TypeText(file),
                 WaitForText(file),
                 Press(IDOK),
                 {"the text is rejected and the box has the focus",
                  [&](HWND browse) { return shown.size() == 1 && GetFocus() == PathEdit(browse); }},
                 Press(IDCANCEL)});
    EXPECT_EQ(result, -1);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(Utf8(shown[0].text),
              Utf8(fw::WideFromAnsi(FolderMessageText(FolderMessage::Invalid, file))));
    EXPECT_EQ(shown[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

} // namespace
