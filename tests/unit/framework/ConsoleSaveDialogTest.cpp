// The console's Save Text asks with the save dialog and writes the chosen
// file; cancelling writes nothing.
#include "AScreenManOS.h"
#include "ConsolePane.h"
#include "ConsoleWind.h"
#include "DialogTestSupport.h"
#include "KsFileDialogScript.h"
#include "KsFileText.h"
#include "KsScratchDir.h"

#include <filesystem>

TEST_F(DialogTest, ConsoleSaveTextWritesTheFileTheDialogNames) {
    ScratchDir dir;
    const std::filesystem::path was = std::filesystem::current_path();
    std::filesystem::current_path(dir.path()); // where the dialog starts
    const bool ownsScreens = AScreenManOS::Get() == nullptr;
    AScreenManOS::New();
    ConsoleWind* w = ConsoleWind::New(false);
    w->SelectAndShow();
    ConsolePane* c = w->GetConsolePane();
    ConsolePane::SetActiveConsole(c);
    ConsolePrint("kept\tline\n");
    for (const bool cancel : {true, false}) {
        FileDialogScript script(backend, [&](FileDialogScript& s) {
            EXPECT_EQ(s.dlg->GetTypedName(), "console");
            s.Type("saved.txt");
            s.Key(cancel ? FileDialogScript::kEscape : FileDialogScript::kReturn, 20);
        });
        EXPECT_TRUE(c->DoMenuSelect(0, kNickConSave, nullptr));
        EXPECT_EQ(script.shown, 1);
        EXPECT_EQ(std::filesystem::exists(dir / "saved.txt"), !cancel);
    }
    std::filesystem::current_path(was);
    EXPECT_EQ(ReadFileText(dir / "saved.txt"), "kept    line\r\n");
    w->Dispose();
    if (ownsScreens) AScreenManOS::Dispose();
}
