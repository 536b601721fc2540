// CoreAttrList: an ordered list of named, typed attributes.
//
// Pane properties are collected into one to be written as text and read back,
// and the colour scheme is one (string keys to signed 32-bit values). Each
// entry has a name (case-sensitive), a type and a value:
//   boolean, 8/16/32-bit signed and unsigned integers  (the integer types)
//   text  (a C string)      data  (a block of bytes)
//
// - Entries keep the order in which their names were first set; setting a name
//   again replaces the value in place, and may change the type.
// - Every read names a default, answered when the name is absent or holds a
//   value of the other kind. Integer reads accept any integer type and convert
//   it the way C does (truncating to the width asked for), because a list read
//   back from text holds every integer as 32-bit; text and data reads accept
//   only text / data entries (a text entry also reads as data, without its NUL).
// - An entry is always kept, even when it equals the default a reader will
//   use: defaults live with the readers, and writing them out costs one line.
// - Reads neither allocate nor copy; a name lookup is a hash probe. Pointers
//   answered by GetText and GetData stay valid until that entry is changed or
//   removed, or the list is destroyed.
#pragma once

#include "KsMacTypes.h"

#include <string>
#include <string_view>
#include <vector>

enum class KsAttrType : UInt8 { boolean, sint8, uint8, sint16, uint16, sint32, uint32, text, data };

// One entry, as iteration shows it.
class CoreAttr {
public:
    std::string_view Name() const { return name_; }
    KsAttrType Type() const { return type_; }
    bool IsInteger() const { return type_ < KsAttrType::text; }
    // The value of an integer entry (a boolean is 0 or 1); 0 for text and data.
    SInt64 Integer() const { return value_; }
    // Text entries: the text; "" for other types.
    const char* Text() const { return type_ == KsAttrType::text ? bytes_.c_str() : ""; }
    // Text and data entries: their bytes (text without its NUL); none otherwise.
    const void* Data() const { return IsInteger() ? nullptr : bytes_.data(); }
    Size DataSize() const { return IsInteger() ? 0 : Size(bytes_.size()); }

    bool operator==(const CoreAttr& other) const;

private:
    friend class CoreAttrList;
    std::string name_;
    UInt32 hash_ = 0;
    KsAttrType type_ = KsAttrType::sint32;
    SInt64 value_ = 0;
    std::string bytes_;
};

class CoreAttrList {
public:
    CoreAttrList() = default;
    CoreAttrList(const CoreAttrList& other);
    CoreAttrList& operator=(const CoreAttrList& other);
    CoreAttrList(CoreAttrList&&) noexcept = default;
    CoreAttrList& operator=(CoreAttrList&&) noexcept = default;
    ~CoreAttrList() = default;

    // The list's own copy operation: a new list with the same entries in the
    // same order; the caller owns it and ends it with Dispose.
    CoreAttrList* Copy() const { return new CoreAttrList(*this); }
    void Dispose() { delete this; }

    // Setting.
    void SetBool(std::string_view name, bool value) {
        SetInteger(name, KsAttrType::boolean, value);
    }
    void SetSInt8(std::string_view name, SInt8 value) {
        SetInteger(name, KsAttrType::sint8, value);
    }
    void SetUInt8(std::string_view name, UInt8 value) {
        SetInteger(name, KsAttrType::uint8, value);
    }
    void SetSInt16(std::string_view name, SInt16 value) {
        SetInteger(name, KsAttrType::sint16, value);
    }
    void SetUInt16(std::string_view name, UInt16 value) {
        SetInteger(name, KsAttrType::uint16, value);
    }
    void SetSInt32(std::string_view name, SInt32 value) {
        SetInteger(name, KsAttrType::sint32, value);
    }
    void SetUInt32(std::string_view name, UInt32 value) {
        SetInteger(name, KsAttrType::uint32, value);
    }
    void SetText(std::string_view name, const char* text); // null is stored as ""
    void SetData(std::string_view name, const void* data, Size size);

    // Reading, each with the default answered when there is no such entry.
    bool GetBool(std::string_view name, bool dflt = false) const;
    SInt8 GetSInt8(std::string_view name, SInt8 dflt = 0) const;
    UInt8 GetUInt8(std::string_view name, UInt8 dflt = 0) const;
    SInt16 GetSInt16(std::string_view name, SInt16 dflt = 0) const;
    UInt16 GetUInt16(std::string_view name, UInt16 dflt = 0) const;
    SInt32 GetSInt32(std::string_view name, SInt32 dflt = 0) const;
    UInt32 GetUInt32(std::string_view name, UInt32 dflt = 0) const;
    const char* GetText(std::string_view name, const char* dflt = "") const;
    // Copies the text (or the default) into buf, cut to size - 1 bytes and
    // always terminated when size > 0; answers the length copied.
    SInt32 GetText(std::string_view name, char* buf, SInt32 size, const char* dflt = "") const;
    // The bytes of a data (or text) entry and their count; null and 0 when absent.
    const void* GetData(std::string_view name, Size* size) const;

    // The entry of a name; null when absent.
    const CoreAttr* Find(std::string_view name) const;
    bool Has(std::string_view name) const { return Find(name) != nullptr; }
    bool Remove(std::string_view name);
    void Clear();

    SInt32 GetCount() const { return SInt32(entries_.size()); }
    std::vector<CoreAttr>::const_iterator begin() const { return entries_.begin(); }
    std::vector<CoreAttr>::const_iterator end() const { return entries_.end(); }

    // Equal when both hold the same names in the same order with the same
    // types and values.
    bool operator==(const CoreAttrList& other) const { return entries_ == other.entries_; }
    bool operator!=(const CoreAttrList& other) const { return !(*this == other); }

private:
    void SetInteger(std::string_view name, KsAttrType type, SInt64 value);
    CoreAttr& Entry(std::string_view name); // finds or appends
    const CoreAttr* FindInteger(std::string_view name) const;
    void RebuildIndex();

    std::vector<CoreAttr> entries_;
    // Open-addressing index beside the ordered entries: slot value is
    // entry index + 1, 0 when empty. Its size is a power of two at least twice
    // the number of entries, so probes stay short.
    std::vector<UInt32> index_;
};
