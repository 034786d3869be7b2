#include "platform/scripted_ui.h"

#include <gtest/gtest.h>

namespace {

using namespace win32;

TEST(ScriptedUserInterface, RecordsBoxesAndAnswersFromItsQueue) {
    platform::ScriptedUserInterface ui;
    platform::ScopedUserInterface guard(ui);
    ui.Answer(IDYES);
    HWND owner = reinterpret_cast<HWND>(0x10);
    EXPECT_EQ(MessageBoxA(owner, "Do you want to Exit now?", "ERROR - Missing Files",
                          MB_YESNO | MB_ICONWARNING),
              IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "question", "Q", MB_YESNO), IDNO);  // queue empty
    EXPECT_EQ(MessageBoxA(nullptr, "note", "N", MB_OK | MB_ICONINFORMATION), IDOK);

    const auto boxes = ui.Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].owner, owner);
    EXPECT_EQ(boxes[0].caption, "ERROR - Missing Files");
    EXPECT_EQ(boxes[0].text, "Do you want to Exit now?");
    EXPECT_EQ(boxes[0].icon, MB_ICONWARNING);
    EXPECT_EQ(boxes[0].buttons, MB_YESNO);
    EXPECT_EQ(boxes[2].icon, MB_ICONINFORMATION);
    EXPECT_EQ(boxes[2].buttons, MB_OK);
}

TEST(ScriptedUserInterface, RecordsBeepsAndTheWaitCursor) {
    platform::ScriptedUserInterface ui;
    platform::ScopedUserInterface guard(ui);
    MessageBeep(MB_OK);
    MessageBeep(MB_ICONEXCLAMATION);
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    SetCursor(previous);
    EXPECT_EQ(ui.Beeps(), (std::vector<UINT>{MB_OK, MB_ICONEXCLAMATION}));
    EXPECT_EQ(ui.CursorChanges(), (std::vector<bool>{true, false}));
}

}  // namespace
