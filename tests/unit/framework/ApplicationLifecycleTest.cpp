// Start-up state, the window list, standard menus and commands, quitting.
#include "ApplicationTestSupport.h"

TEST_F(AppTest, StartUpLeavesTheDescribedState) {
    EXPECT_EQ(gApplication, app);
    EXPECT_TRUE(app->InForeground());
    EXPECT_EQ(app->GetUseInternalEventQueue(), 1);
    EXPECT_EQ(app->GetAppIsBusy(), 0);
    EXPECT_EQ(app->GetSysEventMask(), 0xFFEF);
    ASSERT_NE(gBartender, nullptr);
    EXPECT_NE(GetMenuHandle(kFileMenuID), nullptr);
    EXPECT_NE(GetMenuHandle(kEditMenuID), nullptr);
    short item = 0, menu = 0;
    gBartender->NickNumToMenuInfo(&item, &menu, kNickQuit);
    EXPECT_EQ(menu, kFileMenuID);
    gBartender->NickNumToMenuInfo(&item, &menu, kNickSelectAll);
    EXPECT_EQ(menu, kEditMenuID);
}
