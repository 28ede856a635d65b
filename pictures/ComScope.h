// COM's rules kept by scope: one owner per interface pointer, and a thread's apartment entered and
// left around its use. Windows only.
#pragma once

#include <objbase.h>

// The one owner of a COM interface pointer: released once, when the owner goes.
template <typename T> class Owned {
public:
    Owned() = default;
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    // For a call that hands out an interface; the owner must be empty.
    T** Out() { return &Pointer; }
    void** OutVoid() { return reinterpret_cast<void**>(&Pointer); }
    T* Get() const { return Pointer; }
    T* operator->() const { return Pointer; }
    void Reset() {
        if (Pointer != nullptr)
            Pointer->Release();
        Pointer = nullptr;
    }

private:
    T* Pointer = nullptr;
};

// The calling thread in an apartment of the model for as long as this lives. A thread already in
// the other model stays there (the call then fails and nothing is left to undo); one already in
// this model counts one more entry, left again here.
class Apartment {
public:
    explicit Apartment(DWORD model) : Entered(CoInitializeEx(nullptr, model)) {}
    ~Apartment() {
        if (SUCCEEDED(Entered))
            CoUninitialize();
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

private:
    HRESULT Entered;
};
