#pragma once
// Small owners for the GDI objects of paint code: each frees what it holds, or puts back
// what it replaced, on every path out of its scope, an exception's included.
#include <windows.h>

namespace kelo {

// One handle, freed by `Free` at the end of the scope.
template <typename Handle, typename Free>
class Owned {
   public:
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() {
        if (handle_ != nullptr) Free{}(handle_);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    operator Handle() const { return handle_; }

   private:
    Handle handle_;
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DeleteDeviceContext {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

// A pen, brush, font, bitmap or region, deleted at the end of the scope.
template <typename Handle>
using GdiObject = Owned<Handle, DeleteGdiObject>;
// A memory device context (CreateCompatibleDC), deleted at the end of the scope.
using MemoryDc = Owned<HDC, DeleteDeviceContext>;

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
