#include "CompanionLibrary.h"

#include <dlfcn.h>

TCompanionLibrary::TCompanionLibrary(const std::string& Path)
    : Handle(dlopen(Path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}

TCompanionLibrary::~TCompanionLibrary() {
    if (Handle)
        dlclose(Handle);
}

void* TCompanionLibrary::Symbol(const char* Name) const {
    return Handle ? dlsym(Handle, Name) : nullptr;
}
