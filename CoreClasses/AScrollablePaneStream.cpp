// AScrollablePane persistence: the class registration, the stream record and
// the pane property text keys.
#include "AScrollablePane.h"

#include <cstring>

#include "AStream.h"
#include "CoreAttrList.h"
#include "KsScrollMath.h"
#include "PaneStream.h"

namespace {
APortable* MakeScrollablePane() {
    return new AScrollablePane;
}

void AddProps(APane* p, CoreAttrList* l) {
    static_cast<AScrollablePane*>(p)->AddPropsToList(l);
}
void GetProps(APane* p, CoreAttrList* l) {
    static_cast<AScrollablePane*>(p)->GetPropsFromList(l);
}

// Registered with the library, so that streams, Copy and the property text
// find the class.
const bool kRegistered = (AScrollablePane::PCRegister(), true);
} // namespace

void AScrollablePane::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeScrollablePane);
    PaneTextClass row;
    row.name = "AScrollablePane";
    row.make = [] { return static_cast<APane*>(new AScrollablePane); };
    row.addProps = {[](APane* p, CoreAttrList* l) { p->AddPropsToList(l); }, AddProps};
    row.getProps = {[](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); }, GetProps};
    row.subs = PaneTextSubs::subs;
    PaneTextRegisterClass(row);
}

void AScrollablePane::Put(AStream& s) {
    (void)kRegistered;
    APane::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutObjectRef("itsSlave", itsSlave);
    s.PutBool("slaveIsHoriz", slaveIsHoriz);
    s.PutBool("isInScrollPane", isInScrollPane);
    s.PutLong("p_xpos", xpos);
    s.PutLong("p_xmin", xmin);
    s.PutLong("p_xmax", xmax);
    s.PutLong("p_xincr", xincr);
    s.PutLong("p_ypos", ypos);
    s.PutLong("p_ymin", ymin);
    s.PutLong("p_ymax", ymax);
    s.PutLong("p_yincr", yincr);
    s.PutLong("p_xoffset", scrollXOffset);
    s.PutLong("p_yoffset", scrollYOffset);
    // A slave written after its master is a null reference in the master's
    // record; the slave's record names the master, so the link comes back
    // whichever of the two the tree holds first.
    s.BeginExtension(kExtMaster);
    s.PutObjectRef("itsMaster", itsMaster);
    s.EndExtension();
    s.PutExtensionsEnd();
}

void AScrollablePane::Get(AStream& s) {
    APane::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    APortable* slave = s.GetObjectRef("itsSlave");
    const bool horizontal = s.GetBool("slaveIsHoriz");
    if (slave && slave != this && slave->IsInstanceOf("AScrollablePane"))
        SetSlave(static_cast<AScrollablePane*>(slave), horizontal);
    else
        slaveIsHoriz = horizontal;
    isInScrollPane = s.GetBool("isInScrollPane");
    // The positions are stored as read: the sub-panes were written where the
    // scroll had put them.
    xpos = s.GetLong("p_xpos");
    xmin = s.GetLong("p_xmin");
    xmax = s.GetLong("p_xmax");
    xincr = KsScroll::SaneIncr(s.GetLong("p_xincr"));
    ypos = s.GetLong("p_ypos");
    ymin = s.GetLong("p_ymin");
    ymax = s.GetLong("p_ymax");
    yincr = KsScroll::SaneIncr(s.GetLong("p_yincr"));
    scrollXOffset = s.GetLong("p_xoffset");
    scrollYOffset = s.GetLong("p_yoffset");
    SInt16 n = 0;
    while (s.GetNextExtension(&n)) {
        if (n != kExtMaster) continue;
        APortable* master = s.GetObjectRef("itsMaster");
        if (!master || master == this || !master->IsInstanceOf("AScrollablePane")) continue;
        auto* m = static_cast<AScrollablePane*>(master);
        // The master's record, when read already, said which axis it shares.
        if (!m->itsSlave) m->SetSlave(this, m->slaveIsHoriz);
    }
}

// The scroll offsets equal the positions; their keys would also be APane's
// own "xoffset" and "yoffset" (which place the pane), so they are not written
// here, and reading takes them from the positions.
namespace {

// A pane is named in the text by the ID stored in it, which the text holds
// too; finding it again generates no IDs, so reading changes no other pane.
const char* LinkID(const AScrollablePane* p) {
    const char* id = p ? p->GetStoredPaneID() : nullptr;
    return id && *id ? id : nullptr;
}

APane* FindStored(APane* p, const char* id, int depth) {
    if (const char* own = p->GetStoredPaneID(); own && std::strcmp(own, id) == 0) return p;
    if (depth >= kPaneTextMaxDepth) return nullptr;
    for (SInt32 i = 1; i <= p->GetNumSubPanes(); ++i)
        if (APane* found = FindStored(p->GetSubPane(i), id, depth + 1)) return found;
    return nullptr;
}

AScrollablePane* FindLinked(AScrollablePane* self, const char* id) {
    if (!id || !*id) return nullptr;
    APane* root = self;
    while (root->GetEnclPane())
        root = root->GetEnclPane();
    APane* p = FindStored(root, id, 0);
    return p && p != self && p->IsInstanceOf("AScrollablePane") ? static_cast<AScrollablePane*>(p)
                                                                : nullptr;
}

} // namespace

void AScrollablePane::AddPropsToList(CoreAttrList* l) {
    l->SetSInt32("slaveIsH", slaveIsHoriz);
    // Both ends name each other, so whichever is read second makes the link.
    if (const char* id = LinkID(itsSlave)) l->SetText("slaveID", id);
    if (const char* id = LinkID(itsMaster)) l->SetText("masterID", id);
    l->SetSInt32("isInSP", isInScrollPane);
    l->SetSInt32("xpos", xpos);
    l->SetSInt32("xmin", xmin);
    l->SetSInt32("xmax", xmax);
    l->SetSInt32("xincr", xincr);
    l->SetSInt32("ypos", ypos);
    l->SetSInt32("ymin", ymin);
    l->SetSInt32("ymax", ymax);
    l->SetSInt32("yincr", yincr);
}

void AScrollablePane::GetPropsFromList(CoreAttrList* l) {
    slaveIsHoriz = l->GetSInt32("slaveIsH", 1) != 0;
    isInScrollPane = l->GetSInt32("isInSP", 1) != 0;
    xpos = l->GetSInt32("xpos", 0);
    xmin = l->GetSInt32("xmin", 0);
    xmax = l->GetSInt32("xmax", 0);
    xincr = KsScroll::SaneIncr(l->GetSInt32("xincr", kDefaultIncr));
    ypos = l->GetSInt32("ypos", 0);
    ymin = l->GetSInt32("ymin", 0);
    ymax = l->GetSInt32("ymax", 0);
    yincr = KsScroll::SaneIncr(l->GetSInt32("yincr", kDefaultIncr));
    scrollXOffset = xpos;
    scrollYOffset = ypos;
    if (AScrollablePane* slave = FindLinked(this, l->GetText("slaveID")); slave && !itsSlave)
        SetSlave(slave, slaveIsHoriz);
    if (AScrollablePane* master = FindLinked(this, l->GetText("masterID"));
        master && !master->itsSlave)
        master->SetSlave(this, master->slaveIsHoriz);
}
