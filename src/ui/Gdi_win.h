#pragma once
// Small owners for the GDI objects of paint code: each frees what it holds, or puts back
// what it replaced, on every path out of its scope, an exception's included.
#include <windows.h>

namespace kelo {

// A pen, brush, font, bitmap or region, deleted at the end of the scope.
template <typename Handle>
class GdiObject {
   public:
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() {
        if (handle_ != nullptr) DeleteObject(handle_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    operator Handle() const { return handle_; }

   private:
    Handle handle_;
};

// A memory device context, deleted at the end of the scope.
class MemoryDc {
   public:
    explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDc() {
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    operator HDC() const { return dc_; }

   private:
    HDC dc_;
};

// Selects an object into a device context and puts back the one it replaced at the end of
// the scope, so that the object can be deleted after it. Declared after the object's owner.
class Selected {
   public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

   private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace kelo
