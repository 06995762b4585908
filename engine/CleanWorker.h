#pragma once

#include "engine/CleanHost.h"
#include "engine/CleanServices.h"

// The clean worker: performs each checked option in list order and reports each with its line.
// Ends early, without the Cookies line and without the typed-address step, when the cookies
// folder's path is known but the folder cannot be listed.
void RunCleanOptions(CleanHost& host, CleanServices& services);

// Deletes the Internet cache entries in enumeration order, in passes of the cache requests, until
// the enumeration ends or an entry too large for the record fails the next request twice in a row.
void DeleteInternetCacheEntries(CleanServices& services);
