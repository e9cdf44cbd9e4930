// Owners for Win32 handles, GDI objects, device contexts, COM pointers and COM-allocated
// strings: each frees what it holds exactly once; copying is deleted, moving hands the
// resource over. Used by every layer and by the tests.
#pragma once
#include <windows.h>

#include <objbase.h>

#include <cstdint>
#include <type_traits>
#include <utility>

namespace base {

// `Invalid` is the handle's empty value: null for most, INVALID_HANDLE_VALUE for files and
// file searches.
template <typename T, auto Close, auto Invalid = T{}>
class Unique {
public:
    Unique() = default;
    explicit Unique(T value) : value_(value) {}
    ~Unique() { reset(); }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : value_(std::exchange(other.value_, Empty())) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) reset(std::exchange(other.value_, Empty()));
        return *this;
    }
    T get() const { return value_; }
    explicit operator bool() const { return value_ != Empty(); }
    void reset(T value = Empty()) {
        if (*this) Close(value_);
        value_ = value;
    }
    T release() { return std::exchange(value_, Empty()); }

private:
    static T Empty() {
        if constexpr (std::is_pointer_v<T> && std::is_integral_v<decltype(Invalid)>)
            return reinterpret_cast<T>(static_cast<intptr_t>(Invalid));
        else
            return T(Invalid);
    }
    T value_ = Empty();
};

inline void DeleteGdiObject(HGDIOBJ h) { DeleteObject(h); }
inline void DestroyMenuHandle(HMENU h) { DestroyMenu(h); }

inline void CloseHandleOf(HANDLE h) { CloseHandle(h); }
inline void CloseFindHandle(HANDLE h) { FindClose(h); }

using ScopedFont = Unique<HFONT, DeleteGdiObject>;
using ScopedMenu = Unique<HMENU, DestroyMenuHandle>;
// A kernel object (process, mutex): empty is null.
using ScopedHandle = Unique<HANDLE, CloseHandleOf>;
// An open file: empty is INVALID_HANDLE_VALUE, as CreateFileW gives it.
using ScopedFile = Unique<HANDLE, CloseHandleOf, -1>;
using ScopedFind = Unique<HANDLE, CloseFindHandle, -1>;

// A device context got with GetDC, released to its window.
class ScopedDc {
public:
    explicit ScopedDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScopedDc(const ScopedDc&) = delete;
    ScopedDc& operator=(const ScopedDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A string the shell allocated with CoTaskMemAlloc (a folder dialog's path).
class CoTaskMemString {
public:
    CoTaskMemString() = default;
    ~CoTaskMemString() { CoTaskMemFree(text_); }
    CoTaskMemString(const CoTaskMemString&) = delete;
    CoTaskMemString& operator=(const CoTaskMemString&) = delete;
    wchar_t** put() {
        CoTaskMemFree(std::exchange(text_, nullptr));
        return &text_;
    }
    const wchar_t* get() const { return text_; }

private:
    wchar_t* text_ = nullptr;
};

// A COM interface pointer, released once.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T** put() {
        reset();
        return &p_;
    }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }

private:
    T* p_ = nullptr;
};

}  // namespace base
