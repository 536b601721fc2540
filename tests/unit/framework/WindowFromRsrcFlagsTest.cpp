// The short IWindowFromRsrc hands its flags to the long form's places.
#include "AWindowTestSupport.h"

namespace {

class FlagWindow : public AWindow {
public:
    using AWindow::IWindowFromRsrc;
    void IWindowFromRsrc(const char* title, void* data, WindowPtr behind, unsigned char closeBox,
                         unsigned char zoom, unsigned char grow, unsigned char flag7,
                         unsigned char flag8, short procID, long type, char* name,
                         short id) override {
        flags = {closeBox, zoom, grow, flag7, flag8};
        AWindow::IWindowFromRsrc(title, data, behind, closeBox, zoom, grow, flag7, flag8, procID,
                                 type, name, id);
    }
    std::vector<int> flags;
};

TEST_F(AWindowTest, ShortFromRsrcFlagsReachTheLongFormsPlaces) {
    auto* w = new FlagWindow;
    w->IWindowFromRsrc("Flags", nullptr, 11, 22, 33, 44, 55, 0);
    // The second is not used; the close box is always there.
    EXPECT_EQ(w->flags, (std::vector<int>{1, 44, 33, 11, 55}));
    w->Dispose();
}

} // namespace
