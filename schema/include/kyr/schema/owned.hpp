// Owning holders for the children of generated classes.
//
// owned<T> is a nullable owning pointer that copies deeply; boxed<T> an
// optional child kept out of line; owned_list<T> an ordered list of owned
// children that never holds null. Both only need T to
// be complete where their members are instantiated, which is in the generated
// .cpp files, so class headers can hold children of types they only declare.
#ifndef KYR_SCHEMA_OWNED_HPP
#define KYR_SCHEMA_OWNED_HPP

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace kyr {
namespace schema {

template <typename T, typename = void>
struct has_clone : std::false_type
{
};
template <typename T>
struct has_clone<T, std::void_t<decltype(std::declval<const T&>().clone())>> : std::true_type
{
};

// A heap copy of value of its actual type: polymorphic classes copy through clone().
template <typename T>
T* duplicate(const T& value)
{
    if constexpr (has_clone<T>::value)
        return value.clone();
    else
        return new T(value);
}

template <typename T>
class owned
{
public:
    owned() = default;
    owned(const owned& other) : m_ptr(other.m_ptr ? duplicate(*other.m_ptr) : nullptr) {}
    owned& operator=(const owned& other)
    {
        owned copy(other);
        swap(copy);
        return *this;
    }
    ~owned() { delete m_ptr; }

    void swap(owned& other) noexcept { std::swap(m_ptr, other.m_ptr); }
    // Takes ownership of p (which may be null) and deletes the previous object.
    void reset(T* p = nullptr)
    {
        T* old = m_ptr;
        m_ptr = p;
        delete old;
    }
    T* get() const { return m_ptr; }
    T& operator*() const { return *m_ptr; }
    T* operator->() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }

private:
    T* m_ptr = nullptr;
};

// An optional child with element content of its own, most often absent: the
// parent holds one pointer until the child is first written, and reading an
// absent child gives a shared default object, as an embedded one would.
template <typename T>
class boxed
{
public:
    boxed() = default;
    boxed(const boxed& other) : m_ptr(other.m_ptr ? new T(*other.m_ptr) : nullptr) {}
    boxed& operator=(const boxed& other)
    {
        boxed copy(other);
        swap(copy);
        return *this;
    }
    ~boxed() { delete m_ptr; }

    void swap(boxed& other) noexcept { std::swap(m_ptr, other.m_ptr); }
    const T& operator*() const { return m_ptr ? *m_ptr : absent(); }
    const T* operator->() const { return &**this; }
    // Writing access creates the child.
    T& operator*()
    {
        if (!m_ptr)
            m_ptr = new T;
        return *m_ptr;
    }
    T* operator->() { return &**this; }

private:
    static const T& absent()
    {
        static const T object;
        return object;
    }

    T* m_ptr = nullptr;
};

// The children live in blocks of slots, each block half as large as the list before it,
// so a long list costs a few allocations rather than one per child and keeps its children
// close together; the pointer array keeps their order. Every child is exactly a T. The
// slots of erased children are reused, and all blocks go when the list is cleared.
template <typename T>
class owned_list
{
public:
    owned_list() = default;
    // Delegates so that the destructor frees the children copied so far when one copy throws.
    owned_list(const owned_list& other) : owned_list()
    {
        m_items.reserve(other.m_items.size());
        for (const T* item : other.m_items)
            keep(m_items.end(), create(*item));
    }
    owned_list& operator=(const owned_list& other)
    {
        owned_list copy(other);
        swap(copy);
        return *this;
    }
    ~owned_list() { clear(); }

    void swap(owned_list& other) noexcept
    {
        m_items.swap(other.m_items);
        std::swap(m_last, other.m_last);
        std::swap(m_free, other.m_free);
    }
    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }

    const T& get(std::size_t index) const { return *m_items[index]; }
    // Writing through an index grows the list with default children.
    T& get(std::size_t index)
    {
        while (m_items.size() <= index)
            append();
        return *m_items[index];
    }
    T& append() { return keep(m_items.end(), create()); }
    // Inserts before index, or appends when index is past the end.
    T& insert(std::size_t index)
    {
        if (index >= m_items.size())
            return append();
        return keep(m_items.begin() + static_cast<std::ptrdiff_t>(index), create());
    }
    void erase(std::size_t index)
    {
        destroy(m_items[index]);
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
    }
    // Destroys the entries from the last to the first, then gives back their blocks.
    void clear()
    {
        while (!m_items.empty()) {
            m_items.back()->~T();
            m_items.pop_back();
        }
        while (m_last) {
            block* previous = m_last->previous;
            ::operator delete(m_last);
            m_last = previous;
        }
        m_free = nullptr;
    }
    // Gives back the pointer array's spare room once a list has been read.
    void shrink_to_fit() { m_items.shrink_to_fit(); }
    T& back() { return *m_items.back(); }

    typename std::vector<T*>::const_iterator begin() const { return m_items.begin(); }
    typename std::vector<T*>::const_iterator end() const { return m_items.end(); }

private:
    // A block's slots follow its header; a free slot holds the address of the next one.
    struct block
    {
        block* previous;
        std::size_t capacity;
        std::size_t used;
    };
    // T is complete only where the members are used, so its layout is asked for here.
    static constexpr std::size_t header_size()
    {
        static_assert(alignof(T) <= alignof(std::max_align_t), "blocks come from plain operator new");
        static_assert(sizeof(T) >= sizeof(void*), "a free slot holds a pointer");
        return (sizeof(block) + alignof(T) - 1) / alignof(T) * alignof(T);
    }
    static T* slots(block* b) { return reinterpret_cast<T*>(reinterpret_cast<char*>(b) + header_size()); }

    // Puts a new child into the order; one that cannot be placed is destroyed.
    T& keep(typename std::vector<T*>::iterator at, T* item)
    {
        try {
            m_items.insert(at, item);
        } catch (...) {
            destroy(item);
            throw;
        }
        return *item;
    }
    template <typename... Args>
    T* create(Args&&... args)
    {
        void* slot = free_slot();
        try {
            return new (slot) T(std::forward<Args>(args)...);
        } catch (...) {
            release(slot);
            throw;
        }
    }
    void destroy(T* item)
    {
        item->~T();
        release(item);
    }
    void release(void* slot)
    {
        std::memcpy(slot, &m_free, sizeof m_free);
        m_free = slot;
    }
    void* free_slot()
    {
        if (m_free) {
            void* slot = m_free;
            std::memcpy(&m_free, slot, sizeof m_free);
            return slot;
        }
        if (!m_last || m_last->used == m_last->capacity) {
            const std::size_t capacity = std::max<std::size_t>(1, m_items.size() / 2);
            block* fresh = static_cast<block*>(::operator new(header_size() + capacity * sizeof(T)));
            *fresh = block{m_last, capacity, 0};
            m_last = fresh;
        }
        return slots(m_last) + m_last->used++;
    }

    std::vector<T*> m_items;
    block* m_last = nullptr; // the newest block; each links to the one before
    void* m_free = nullptr;  // the first slot of an erased child, or null
};

} // namespace schema
} // namespace kyr

#endif
