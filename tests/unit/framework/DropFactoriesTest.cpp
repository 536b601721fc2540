// The replaceable factories of the drag service's records: their assertions
// when none is installed, and the drop-target list they fill.
#include "ApplicationTestSupport.h"
#include "CDataObject.h"
#include "CDropTarget.h"
#include "KsFatal.h"
#include "SystemDrag.h"

namespace {

std::string gAsserted;
int gRecords = 0;

class CountedTarget : public CDropTarget {
public:
    explicit CountedTarget(AWindow* w) : CDropTarget(w) { ++gRecords; }
    ~CountedTarget() override { --gRecords; }
};

TEST_F(AppTest, DropRecordsWithoutAFactoryFailTheirAssertions) {
    const auto savedTarget = CDropTarget::SetFactory(nullptr);
    const auto savedData = CDataObject::SetFactory(nullptr);
    const FtlHandler previous = FtlInstall([](char* m, char*, int) -> unsigned char {
        gAsserted = m;
        FtlClearFatalError();
        return false;
    });
    EXPECT_EQ(CDropTarget::New(nullptr), nullptr);
    EXPECT_NE(gAsserted.find("CDropTarget::mFactory != 0"), std::string::npos) << gAsserted;
    EXPECT_EQ(CDataObject::New(nullptr), nullptr);
    EXPECT_NE(gAsserted.find("CDataObject::mFactory != 0"), std::string::npos) << gAsserted;
    FtlInstall(previous);
    CDropTarget::SetFactory(savedTarget);
    CDataObject::SetFactory(savedData);
}

TEST_F(AppTest, AWindowHasOneDropRecordWhileItLives) {
    const auto saved =
        CDropTarget::SetFactory([](AWindow* w) -> CDropTarget* { return new CountedTarget(w); });
    RecWindow* a = Win("a");
    RecWindow* b = Win("b", 300);
    for (AWindow* w : {a, a, b})
        RegisterForDrop(w);
    EXPECT_EQ(gRecords, 2);
    EXPECT_EQ(CDropTarget::Find(a)->GetWindow(), a);
    b->Dispose();
    EXPECT_EQ(CDropTarget::Find(b), nullptr);
    EXPECT_EQ(gRecords, 1);
    CDropTarget::DisposeAll();
    CDropTarget::SetFactory(saved);
}

} // namespace
