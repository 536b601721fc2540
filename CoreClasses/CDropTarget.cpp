#include "CDropTarget.h"

#include "AWindow.h"
#include "AWindowPrivate.h"
#include "KsFatal.h"
#include "Windows.h"

CDropTarget::Factory CDropTarget::mFactory = nullptr;
CDropTarget* CDropTarget::mFirst = nullptr;

CDropTarget::Factory CDropTarget::SetFactory(Factory factory) {
    const Factory previous = mFactory;
    mFactory = factory;
    return previous;
}

CDropTarget* CDropTarget::New(AWindow* window) {
    FtlAssert(CDropTarget::mFactory != 0);
    return mFactory ? mFactory(window) : nullptr;
}

CDropTarget* CDropTarget::NewPlain(AWindow* window) {
    return new CDropTarget(window);
}

CDropTarget::CDropTarget(AWindow* w)
    : window(w), number(w && w->GetWindowPtr() ? UInt32(GetWRefCon(w->GetWindowPtr())) : 0),
      next(mFirst) {
    mFirst = this;
}

bool CDropTarget::Live() const {
    return number ? KsWindowByNumber(number) == window : KsIsLiveWindow(window);
}

CDropTarget::~CDropTarget() {
    for (CDropTarget** link = &mFirst; *link; link = &(*link)->next)
        if (*link == this) {
            *link = next;
            break;
        }
}

CDropTarget* CDropTarget::Find(const AWindow* window) {
    CDropTarget* found = nullptr;
    for (CDropTarget* t = mFirst; t;) {
        CDropTarget* after = t->next;
        if (!t->Live())
            delete t;
        else if (t->window == window)
            found = t;
        t = after;
    }
    return found;
}

void CDropTarget::DisposeAll() {
    while (mFirst)
        delete mFirst;
}
