// What this process holds right now, from /proc/self: for the leak tests and
// the switching benchmark.
#pragma once

#include <QString>

struct ProcessUsage
{
    int threads = 0;
    int descriptors = 0;
    double rssMiB = 0;

    static ProcessUsage now();
    QString text() const; // "threads 14 fds 25 rss 57.5 MiB"
};
