#pragma once

#include <sys/resource.h>

// Lowers one resource limit of this process for the lifetime of the object.
class TScopedResourceLimit {
public:
    TScopedResourceLimit(int Resource, rlim_t SoftLimit) : Resource(Resource) {
        getrlimit(Resource, &Saved);
        rlimit Lowered = Saved;
        Lowered.rlim_cur = SoftLimit;
        setrlimit(Resource, &Lowered);
    }
    ~TScopedResourceLimit() { setrlimit(Resource, &Saved); }
    TScopedResourceLimit(const TScopedResourceLimit&) = delete;
    TScopedResourceLimit& operator=(const TScopedResourceLimit&) = delete;

private:
    int Resource;
    rlimit Saved{};
};
