#pragma once
// While a FileSizeLimit lives, files of this process cannot grow beyond the limit: a write past it
// fails as on a full disk.

#include <sys/resource.h>

#include <csignal>

namespace testsupport {

struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) : previous(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limit{bytes, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    rlimit saved{};
    void (*previous)(int);
};

} // namespace testsupport
