// The XError a call raises, for checking error paths in one expression.
#pragma once

#include "XError.h"

#include <string>

// The error f raises; a default XError (null code, no levels) when it raises none.
template <class F> XError ErrorOf(F&& f) {
    try {
        f();
    } catch (const XError& e) {
        return e;
    }
    return XError();
}

// The code of the error f raises; "" when it raises none.
template <class F> std::string ErrorCode(F&& f) {
    const XError e = ErrorOf(f);
    return e.GetCode() ? e.GetCode() : "";
}
