// The user's folders for this application, after the XDG base-directory rules.
//
// Each folder is <base>/<application name>, where <base> comes from
// XDG_CONFIG_HOME, XDG_STATE_HOME, XDG_DATA_HOME, XDG_CACHE_HOME or
// XDG_RUNTIME_DIR when it is set to an absolute path, and otherwise from the
// usual default under the home folder ($HOME, else the password database).
// Folders that do not exist are created with mode 0700; existing ones keep
// their mode. Without XDG_RUNTIME_DIR the runtime folder lives under the cache
// folder. The environment is read on every call, so a changed variable takes
// effect at once.
//
// A folder that cannot be found or created raises XError "FILE_FOLDER_FAILED"
// with "str path" and "int errno".
#pragma once

#include <string>

enum class KsFolderKind { config, state, data, cache, runtime };

std::string KsUserFolder(KsFolderKind kind);

// The base folder of a kind, without the application's name and without
// creating anything; empty when it cannot be determined.
std::string KsUserBaseFolder(KsFolderKind kind);

// The folder holding the running program (from /proc/self/exe).
std::string KsApplicationFolder();

// Creates a folder and its missing parents with the given mode; answers 0 or
// the errno of the failure. Existing folders are left as they are.
int KsMakeFolders(const std::string& path, unsigned mode);
