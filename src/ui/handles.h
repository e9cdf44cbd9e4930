// Owners for Win32 handles, GDI objects and COM pointers: each frees what it holds exactly
// once; copying is deleted, moving hands the resource over.
#pragma once
#include <windows.h>

#include <utility>

namespace ui {

template <typename T, auto Close>
class Unique {
public:
    Unique() = default;
    explicit Unique(T value) : value_(value) {}
    ~Unique() { reset(); }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : value_(std::exchange(other.value_, T{})) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) reset(std::exchange(other.value_, T{}));
        return *this;
    }
    T get() const { return value_; }
    explicit operator bool() const { return value_ != T{}; }
    void reset(T value = T{}) {
        if (*this) Close(value_);
        value_ = value;
    }
    T release() { return std::exchange(value_, T{}); }

private:
    T value_{};
};

inline void DeleteGdiObject(HGDIOBJ h) { DeleteObject(h); }
inline void DestroyMenuHandle(HMENU h) { DestroyMenu(h); }

using ScopedFont = Unique<HFONT, DeleteGdiObject>;
using ScopedMenu = Unique<HMENU, DestroyMenuHandle>;

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

}  // namespace ui
