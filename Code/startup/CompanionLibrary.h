#pragma once

#include <string>

// A companion library loaded from its file, unloaded again when this goes.
class TCompanionLibrary {
public:
    // Not loaded when the file is missing or is no library for this system.
    explicit TCompanionLibrary(const std::string& Path);
    ~TCompanionLibrary();
    TCompanionLibrary(const TCompanionLibrary&) = delete;
    TCompanionLibrary& operator=(const TCompanionLibrary&) = delete;

    // The exported function of that name; null when there is none or the
    // library did not load.
    template <typename TFunction> TFunction* Function(const char* Name) const {
        return reinterpret_cast<TFunction*>(Symbol(Name));
    }

private:
    void* Symbol(const char* Name) const;
    void* Handle = nullptr;
};
