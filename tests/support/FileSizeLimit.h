// Simulates a full disk: while the object lives, no file of the process may grow
// past the given size (RLIMIT_FSIZE, which binds root too); writes beyond it
// fail with EFBIG instead of raising SIGXFSZ.
#pragma once

#include <sys/resource.h>

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};
