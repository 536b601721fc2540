// AObject: the root of the framework's classes.
//
// Every class answers ClassName and IsInstanceOf by name. A class states its
// name and its primary base once, first thing in its body:
//
//     class APane : public APortable, public PaneDow {
//         KS_DECLARE_CLASS(APane, APortable)
//         ...
//
// The macro leaves the class body in public access. IsInstanceOf walks the
// chain of KsClassInfo records (one constant per class, no registration, no
// allocation), comparing names exactly and case-sensitively.
//
// Objects are made with new (class-level, so the framework can later pool or
// count them) and destroyed through Dispose, which subclasses override to
// release what they own before the object itself goes.
#pragma once

#include <cstddef>

// Name and primary base of one class.
struct KsClassInfo {
    const char* name;
    const KsClassInfo* base; // null for AObject
};

// True when info or one of its bases is named name (null name: false).
bool KsClassIsA(const KsClassInfo* info, const char* name);

#define KS_DECLARE_CLASS(Class, Base)                                                              \
public:                                                                                            \
    static constexpr KsClassInfo kClassInfo{#Class, &Base::kClassInfo};                            \
    const char* ClassName() const override {                                                       \
        return kClassInfo.name;                                                                    \
    }                                                                                              \
    bool IsInstanceOf(const char* name) const override {                                           \
        return KsClassIsA(&kClassInfo, name);                                                      \
    }                                                                                              \
    const KsClassInfo* GetClassInfo() const override {                                             \
        return &kClassInfo;                                                                        \
    }

class AObject {
public:
    static constexpr KsClassInfo kClassInfo{"AObject", nullptr};

    static void* operator new(std::size_t size);
    static void operator delete(void* p) noexcept;

    AObject() = default;
    AObject(const AObject&) = default;
    AObject& operator=(const AObject&) = default;
    virtual ~AObject();

    // Destroys the object. Overrides release what the object owns, then call
    // their base's Dispose last; the object is gone afterwards.
    virtual void Dispose();
    // A new object equal to this one, owned by the caller. AObject cannot
    // copy in general and says so through DoesNotImplement.
    virtual AObject* Copy();
    // Misuse reports: an operation a subclass must supply, or one this class
    // does not offer. Neither returns.
    [[noreturn]] virtual void SubclassResponsibility(const char* operation) const;
    [[noreturn]] virtual void DoesNotImplement(const char* operation) const;

    virtual const char* ClassName() const { return kClassInfo.name; }
    virtual bool IsInstanceOf(const char* name) const { return KsClassIsA(&kClassInfo, name); }
    virtual const KsClassInfo* GetClassInfo() const { return &kClassInfo; }

    // Writes the class name and address to the debug output.
    virtual void Dump() const;
    // Checks the object's invariants; true when sound.
    virtual bool DebugCheck() const { return true; }
    // The initialiser of the root: nothing to set up.
    virtual void IObject() {}
};
