// The root of every object, the counted pointer that holds it, and the pattern every
// typed pointer class is made from.
#pragma once
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace dfc::lang {

class DObject;
class DString;
class DStringPtr;

class DObjectPtr {
public:
    DObjectPtr() = default;
    DObjectPtr(std::nullptr_t) {}
    DObjectPtr(DObject* object) { set(object); }
    DObjectPtr(const DObjectPtr& other) { set(other.ptr); }
    virtual ~DObjectPtr() { set(nullptr); }

    DObjectPtr& operator=(const DObjectPtr& other) {
        set(other.ptr);
        return *this;
    }
    DObjectPtr& operator=(DObject* object) {
        set(object);
        return *this;
    }

    // Takes the new object before letting go of the old, so storing the one already held is safe.
    inline void set(DObject* object);
    DObject* get() const { return ptr; }
    DObject* operator->() const {
        if (!ptr) throwNullPointer(u"DObject", __FILE__, __LINE__);
        return ptr;
    }
    bool isNull() const { return ptr == nullptr; }
    explicit operator bool() const { return ptr != nullptr; }

    bool equals(const DObjectPtr& other) const;
    bool notEquals(const DObjectPtr& other) const { return !equals(other); }
    virtual DStringPtr toString() const;

    [[noreturn]] static void throwNullPointer(const char16_t* className, const char* headerPath, int line);

protected:
    DObject* ptr = nullptr;
};

class DObject {
public:
    DObject() = default;
    DObject(const DObject&) : refCount(0) {}
    DObject& operator=(const DObject&) { return *this; }
    virtual void finalize() {}
    virtual const char* className() const { return "DObject"; }
    virtual ~DObject() = default;
    virtual DStringPtr toString();
    virtual int hashCode() { return static_cast<int>(reinterpret_cast<uintptr_t>(this) & 0x7fffffff); }
    virtual bool equals(DObjectPtr other) { return other.get() == this; }
    virtual DObjectPtr nullObjectPtr() { return DObjectPtr(); }

    int32_t getRefCount() const { return refCount; }

private:
    friend class DObjectPtr;
    void addRef() { ++refCount; }
    void release() {
        if (refCount <= 0) return;
        if (--refCount == 0) delete this;
    }

    int32_t refCount = 0;
};

inline void DObjectPtr::set(DObject* object) {
    DObject* old = ptr;
    ptr = object;
    if (object) object->addRef();
    if (old) old->release();
}

// A typed pointer: the pointee's type on dereference, the null check naming the pointee and
// the header the pointer class was declared in. Self supplies pointee(), header() and line().
template <class Self, class T, class Base>
class DPtr : public Base {
public:
    using Pointee = T;

    DPtr() = default;
    DPtr(std::nullptr_t) {}
    // Only objects of the pointer's class take part, so text and other pointers pick their own overloads.
    template <class U>
        requires std::is_convertible_v<U*, T*>
    DPtr(U* object) : Base(object) {}

    template <class U>
        requires std::is_convertible_v<U*, T*>
    Self& operator=(U* object) {
        this->set(object);
        return static_cast<Self&>(*this);
    }
    Self& operator=(std::nullptr_t) {
        this->set(nullptr);
        return static_cast<Self&>(*this);
    }

    T* get() const { return static_cast<T*>(DObjectPtr::get()); }
    T* operator->() const {
        if (!this->ptr) DObjectPtr::throwNullPointer(Self::pointee(), Self::header(), Self::line());
        return get();
    }
    T& operator*() const { return *operator->(); }
    // Arrays index through their pointer: grid[y][x].
    template <class I>
    decltype(auto) operator[](I index) const
        requires requires(T& t) { t[index]; }
    {
        return (*operator->())[index];
    }

    // The pointer's own class for an object known to be of it, such as a collection's element.
    static Self from(const DObjectPtr& object) { return Self(static_cast<T*>(object.get())); }
};

}  // namespace dfc::lang

// Declares the pointer class NamePtr for class Name, deriving from the pointer class of
// Name's base so that a thrown pointer is caught by the pointer class of any base.
#define DFC_DECLARE_PTR(Name, BasePtr)                                              \
    class Name;                                                                     \
    class Name##Ptr : public ::dfc::lang::DPtr<Name##Ptr, Name, BasePtr> {         \
    public:                                                                         \
        using ::dfc::lang::DPtr<Name##Ptr, Name, BasePtr>::DPtr;                    \
        using ::dfc::lang::DPtr<Name##Ptr, Name, BasePtr>::operator=;               \
        Name##Ptr() = default;                                                      \
        static const char16_t* pointee() { return u"" #Name; }                      \
        static const char* header() { return __FILE__; }                            \
        static int line() { return __LINE__; }                                      \
    }
