#pragma once
// An owned reference to a COM object, released on every path; and the apartment of
// the calling thread, left when it goes.

#include <objbase.h>

template <typename T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    T* operator->() const { return object_; }
    T* Get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // For the functions that hand out a new reference: the one held is released first.
    T** Receive()
    {
        Reset();
        return &object_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    void Reset()
    {
        if (object_) object_->Release();
        object_ = nullptr;
    }

private:
    T* object_ = nullptr;
};

class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComApartment()
    {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    // Usable: entered now, or the thread was in an apartment already.
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};
