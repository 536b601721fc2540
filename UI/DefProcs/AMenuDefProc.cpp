#include "AMenuDefProc.h"

#include "KsMenuDef.h"
#include "KsOutput.h"
#include "XError.h"

#include <memory>

namespace {
// The toolbox's side of a bound object: each call goes through GenericMDEF
// or straight to the object.
class ObjectMenuDef : public KsMenuDef {
public:
    explicit ObjectMenuDef(AMenuDefProc* object) : obj(object) {}

    void Draw(MenuHandle menu, const Rect& menuRect) override {
        Rect r = menuRect;
        SInt16 item = 0;
        GenericMDEF(AMenuDefProc::kMsgDraw, menu, &r, Point{}, &item);
    }
    void Choose(MenuHandle menu, Rect& menuRect, Point hit, MenuItemIndex* item) override {
        SInt16 it = *item;
        GenericMDEF(AMenuDefProc::kMsgChoose, menu, &menuRect, hit, &it);
        *item = MenuItemIndex(it);
    }
    void Size(MenuHandle menu) override {
        Rect r{};
        SInt16 item = 0;
        GenericMDEF(AMenuDefProc::kMsgSize, menu, &r, Point{}, &item);
    }
    void PlacePopUp(MenuHandle menu, Rect& menuRect, Point where, MenuItemIndex* item) override {
        SInt16 it = item ? SInt16(*item) : 0;
        GenericMDEF(AMenuDefProc::kMsgPopup, menu, &menuRect, where, &it);
        if (item) *item = MenuItemIndex(it);
    }
    void Hilite(MenuHandle menu, const Rect& menuRect, MenuItemIndex item, bool on) override {
        try {
            obj->HiliteItem(menu, ToKsRect(menuRect), SInt16(item), on);
        } catch (...) {
            dprintf("menu definition %d: highlighting failed\n", int(obj->GetDefID()));
        }
    }
    Rect ItemRect(MenuHandle menu, const Rect& menuRect, MenuItemIndex item) const override {
        return ToRect(obj->ItemRectNow(menu, ToKsRect(menuRect), SInt16(item)));
    }
    bool WantsTime(MenuHandle menu, const Rect& menuRect, Point pt) const override {
        return obj->WantsTime(menu, ToKsRect(menuRect), KsPoint{pt.h, pt.v});
    }

    AMenuDefProc* const obj;
};
} // namespace

AMenuDefProc::~AMenuDefProc() {
    Unbind();
}

void AMenuDefProc::Dispose() {
    Unbind();
    AObject::Dispose();
}

void AMenuDefProc::IMenuDefProc(SInt16 id) {
    defID = id;
    if (id != kModMenuDefID) Bind(id);
}

void AMenuDefProc::Bind(SInt16 id) {
    Unbind();
    defID = id;
    AMenuDefProc* self = this;
    KsRegisterMenuDef(id, [self](SInt16) { return std::make_shared<ObjectMenuDef>(self); });
    bound = true;
}

// Only a registration that still routes to this object is removed.
void AMenuDefProc::Unbind() {
    if (!bound) return;
    bound = false;
    auto* def = dynamic_cast<ObjectMenuDef*>(&KsGetMenuDef(defID));
    if (def && def->obj == this) KsRegisterMenuDef(defID, nullptr);
}

AMenuDefProc* AMenuDefProc::FromMenu(MenuHandle menu) {
    if (!menu) return nullptr;
    auto* def = dynamic_cast<ObjectMenuDef*>(&KsMenuDefOf(menu));
    return def ? def->obj : nullptr;
}

void AMenuDefProc::DrawMenu(MenuHandle, KsRect*) {
    SubclassResponsibility("DrawMenu");
}

void AMenuDefProc::ChooseItem(MenuHandle, KsRect*, KsPoint, SInt16*) {
    SubclassResponsibility("ChooseItem");
}

void AMenuDefProc::SizeMenu(MenuHandle) {
    SubclassResponsibility("SizeMenu");
}

void AMenuDefProc::PlacePopup(MenuHandle menu, KsRect* rect, KsPoint pt, SInt16* item) {
    // The standard placement suits most definitions.
    Rect r = ToRect(*rect);
    MenuItemIndex it = item ? MenuItemIndex(*item) : 0;
    KsGetMenuDef(0).PlacePopUp(menu, r, Point{SInt16(pt.v), SInt16(pt.h)}, &it);
    *rect = ToKsRect(r);
    if (item) *item = SInt16(it);
}

void AMenuDefProc::HiliteItem(MenuHandle, const KsRect&, SInt16, bool) {}

KsRect AMenuDefProc::ItemRectNow(MenuHandle menu, const KsRect& menuRect, SInt16 item) const {
    return ToKsRect(
        KsGetMenuDef(0).KsMenuDef::ItemRect(menu, ToRect(menuRect), MenuItemIndex(item)));
}

bool AMenuDefProc::WantsTime(MenuHandle, const KsRect&, KsPoint) const {
    return false;
}

void GenericMDEF(SInt16 message, MenuHandle menu, Rect* rect, Point pt, SInt16* item) {
    AMenuDefProc* obj = AMenuDefProc::FromMenu(menu);
    if (!obj || !rect) return;
    KsRect r = ToKsRect(*rect);
    const KsPoint p{pt.h, pt.v};
    SInt16 none = 0;
    SInt16* it = item ? item : &none;
    try {
        switch (message) {
        case AMenuDefProc::kMsgDraw:
            obj->DrawMenu(menu, &r);
            break;
        case AMenuDefProc::kMsgChoose:
            obj->ChooseItem(menu, &r, p, it);
            break;
        case AMenuDefProc::kMsgSize:
            obj->SizeMenu(menu);
            break;
        case AMenuDefProc::kMsgPopup:
            obj->PlacePopup(menu, &r, p, it);
            break;
        default:
            return;
        }
    } catch (const XError& e) {
        dprintf("menu definition %d: message %d failed: %s\n", int(obj->GetDefID()), int(message),
                e.GetCode());
        return;
    } catch (...) {
        dprintf("menu definition %d: message %d failed\n", int(obj->GetDefID()), int(message));
        return;
    }
    *rect = ToRect(r);
}
