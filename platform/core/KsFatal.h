// The fatal path: failed assertions and explicit aborts of programming errors.
//
// A report goes to the installed handler (FtlInstall), which shows it and
// answers whether the caller is to stop in the debugger; the caller then calls
// abort(). While a report is being handled the fatal-error state is set; a
// handler clears it (FtlClearFatalError) when the program may go on. When the
// handler answers false and leaves the state set, the user chose to leave: the
// process exits with status 70 after the C run time's exit procedures.
// A report made while another is being handled goes to standard error only,
// so a failing handler cannot recurse.
#pragma once

using FtlHandler = unsigned char (*)(char* message, char* file, int line);

// Installs a handler; answers the previous one. Null restores the default,
// which writes the report to standard error and answers true.
FtlHandler FtlInstall(FtlHandler handler);

// Report a failed assertion / an abort. Answer true when the caller is to stop.
unsigned char __FtlAssertFailed(const char* expression, const char* file, int line);
unsigned char __FtlAbortm(const char* message, const char* file, int line);

void FtlClearFatalError();
bool FtlIsFatalErrorSet();

// Sends text to the debugger: standard error, and a trap when one is attached.
void DebugCStr(const char* text);
bool KsDebuggerAttached();

// The process exits through here when a handler leaves the fatal state set;
// tests replace it. Answers the previous procedure.
using FtlExitProc = void (*)(int status);
FtlExitProc FtlSetExitProc(FtlExitProc proc);

#define FtlAssert(expr)                                                                            \
    ((expr) ? (void)0 : (__FtlAssertFailed(#expr, __FILE__, __LINE__) ? __builtin_trap() : (void)0))
#define FtlAbortm(message) (__FtlAbortm((message), __FILE__, __LINE__) ? __builtin_trap() : (void)0)
