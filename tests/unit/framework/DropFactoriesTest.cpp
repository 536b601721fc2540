// The replaceable factories of the drag service's records: their assertions
// when none is installed, and the drop-target list they fill.
#include "ApplicationTestSupport.h"
#include "CDataObject.h"
#include "CDropTarget.h"
#include "KsFatal.h"
#include "SystemDrag.h"

#include <string>

namespace {

std::string gAsserted;
unsigned char RecordAndGoOn(char* m, char*, int) {
    gAsserted += m;
    FtlClearFatalError();
    return false;
}

int gRecords = 0;
class CountedTarget : public CDropTarget {
public:
    explicit CountedTarget(AWindow* w) : CDropTarget(w) { ++gRecords; }
    ~CountedTarget() override { --gRecords; }
    static CDropTarget* Make(AWindow* w) { return new CountedTarget(w); }
};

class DropFactoriesTest : public AppTest {
protected:
    void TearDown() override {
        CDropTarget::DisposeAll();
        CDropTarget::SetFactory(savedTarget);
        CDataObject::SetFactory(savedData);
        AppTest::TearDown();
    }
    CDropTarget::Factory savedTarget = CDropTarget::SetFactory(nullptr);
    CDataObject::Factory savedData = CDataObject::SetFactory(nullptr);
};

TEST_F(DropFactoriesTest, MakingARecordWithoutAFactoryFailsItsAssertion) {
    const FtlHandler previous = FtlInstall(RecordAndGoOn);
    struct Case {
        const char* text;
        bool (*make)();
    };
    const Case cases[] = {
        {"CDropTarget::mFactory != 0", [] { return CDropTarget::New(nullptr) != nullptr; }},
        {"CDataObject::mFactory != 0", [] { return CDataObject::New(nullptr) != nullptr; }},
    };
    for (const Case& c : cases) {
        gAsserted.clear();
        EXPECT_FALSE(c.make()) << c.text;
        EXPECT_NE(gAsserted.find(c.text), std::string::npos) << gAsserted;
    }
    FtlInstall(previous);
}

TEST_F(DropFactoriesTest, AWindowHasOneRecordWhileItLives) {
    CDropTarget::SetFactory(&CountedTarget::Make);
    RecWindow* a = Win("a");
    RecWindow* b = Win("b", 300);
    RegisterForDrop(a);
    RegisterForDrop(a);
    RegisterForDrop(b);
    EXPECT_EQ(gRecords, 2);
    ASSERT_NE(CDropTarget::Find(a), nullptr);
    EXPECT_EQ(CDropTarget::Find(a)->GetWindow(), a);
    b->Dispose();
    EXPECT_EQ(CDropTarget::Find(b), nullptr);
    EXPECT_EQ(gRecords, 1);
}

} // namespace
