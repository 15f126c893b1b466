#pragma once
// Removing the product's registry keys: its settings per machine and per
// user (every loaded user hive), its document class, its uninstall entry
// and its application path.
#include <functional>
#include <string>

#include "platform/registry.h"

// Deletes root\subkey with everything below it, deepest first. A subkey that
// can't be deleted is stepped over and its siblings still go; the key itself
// then stays. true when the key itself was deleted.
bool DeleteKeyTree(platform::RegKey root, const std::string& subkey);

// Deletes root\subkey, values and all, only when it has no subkeys.
void DeleteKeyIfNoSubkeys(platform::RegKey root, const std::string& subkey);

// Every registry trace of the product: see the .cpp for the order.
void CleanRegistry();

// Calls `visit` with each subkey of HKEY_USERS (a loaded user hive), opened
// with full access, in enumeration order; one that can't be opened is passed
// over. The key is closed when `visit` returns.
void ForEachUserKey(const std::function<void(platform::RegKey userKey)>& visit);
