#include "engine/CleanWorker.h"

void DeleteInternetCacheEntries(CleanServices& services) {
    bool open = false;
    // Whether the last next-entry request yielded an entry.
    bool succeeded = true;
    std::string url;
    for (;;) {
        // The pass's opening request; a first-entry request leaves the flag as it is.
        if (!open) {
            if (services.FirstCacheEntry(url)) {
                open = true;
                services.DeleteCacheEntry(url);
            }
        } else {
            succeeded = services.NextCacheEntry(url);
            if (succeeded) services.DeleteCacheEntry(url);
        }
        if (!succeeded) break;
        // With nothing open this counts as one failed request; the platform is not asked.
        while (open && services.NextCacheEntry(url)) services.DeleteCacheEntry(url);
        succeeded = false;
    }
    if (open) services.CloseCacheEnumeration();
}

void RunCleanOptions(CleanHost& host, CleanServices& services) {
    auto report = [&host](CleanOption option) { host.AddResultLine(CleanOptionReportLine(option)); };

    if (host.IsOptionChecked(CleanOption::EmptyRecycleBin)) {
        services.EmptyRecycleBin();
        report(CleanOption::EmptyRecycleBin);
    }
    host.DecideJunkPatterns(host.IsOptionChecked(CleanOption::TempFiles));
    if (host.IsOptionChecked(CleanOption::Clipboard)) {
        services.ClearClipboard();
        report(CleanOption::Clipboard);
    }
    if (host.IsOptionChecked(CleanOption::InternetTempFiles)) {
        DeleteInternetCacheEntries(services);
        report(CleanOption::InternetTempFiles);
    }
    if (host.IsOptionChecked(CleanOption::History)) {
        services.ClearUrlHistory();
        report(CleanOption::History);
    }
    if (host.IsOptionChecked(CleanOption::Cookies)) {
        std::string folder;
        if (services.GetCookiesFolder(folder) && !services.DeleteCookiesTopLevel(folder)) return;
        report(CleanOption::Cookies);
    }
    if (host.IsOptionChecked(CleanOption::TypedUrls)) {
        services.DeleteTypedUrls();
        report(CleanOption::TypedUrls);
    }
}
