// Round trips of a pane through both persistence formats: the object stream
// and the pane property text.
#pragma once

#include "AMemStream.h"
#include "AObjDoc.h"
#include "APane.h"
#include "PaneStream.h"

#include <gtest/gtest.h>

#include <string>

// Writes `pane` to an object stream and reads it back as a new object of
// class T (null, with a failure, when it is not one). The caller disposes it.
template <class T> T* ThroughObjectStream(APane* pane) {
    AMemStream out;
    AObjDoc(out).Write(pane);
    AMemStream in(out.GetDataHandle());
    AObjDoc doc(in);
    doc.Read();
    APortable* o = doc.TakeObject();
    EXPECT_TRUE(o && o->IsInstanceOf(T::kClassInfo.name));
    return o && o->IsInstanceOf(T::kClassInfo.name) ? static_cast<T*>(o) : nullptr;
}

// Writes `pane` as pane property text and reads it back into `encl`.
template <class T> T* ThroughPaneText(APane* pane, APane* encl, AWindow* win) {
    const std::string text = WritePaneText(pane);
    APane* p = ReadPaneText(text.data(), long(text.size()), encl, win);
    EXPECT_TRUE(p && p->IsInstanceOf(T::kClassInfo.name)) << text;
    return p && p->IsInstanceOf(T::kClassInfo.name) ? static_cast<T*>(p) : nullptr;
}
