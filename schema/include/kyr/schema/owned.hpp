// Owning holders for the children of generated classes.
//
// owned<T> is a nullable owning pointer that copies deeply; boxed<T> an
// optional child kept out of line; owned_list<T> an ordered list of owned
// children that never holds null. Both only need T to
// be complete where their members are instantiated, which is in the generated
// .cpp files, so class headers can hold children of types they only declare.
#ifndef KYR_SCHEMA_OWNED_HPP
#define KYR_SCHEMA_OWNED_HPP

#include <kyr/schema/slab.hpp>

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

template <typename T, typename = void>
struct has_swap : std::false_type
{
};
template <typename T>
struct has_swap<T, std::void_t<decltype(std::declval<T&>().swap(std::declval<T&>()))>> : std::true_type
{
};

// The children live in blocks of slots, so a long list costs a few allocations rather than
// one per child and keeps its children close together; the pointer array keeps their order.
// Every child is exactly a T. The slots of erased children are reused. An empty list is one
// null pointer: the list's state shares the allocation of its first block, and all of it
// goes when the list is cleared. Once a reader has filled a small list, shrink_to_fit
// gathers it into one block of its exact size.
template <typename T>
class owned_list
{
public:
    owned_list() = default;
    // Delegates so that the destructor frees the children copied so far when one copy throws.
    owned_list(const owned_list& other) : owned_list()
    {
        if (other.empty())
            return;
        m_rep = make_rep(other.size());
        m_rep->items.reserve(other.size());
        for (const T* item : other.m_rep->items)
            keep(m_rep->items.end(), create(*item));
    }
    owned_list& operator=(const owned_list& other)
    {
        owned_list copy(other);
        swap(copy);
        return *this;
    }
    ~owned_list() { clear(); }

    void swap(owned_list& other) noexcept { std::swap(m_rep, other.m_rep); }
    std::size_t size() const { return m_rep ? m_rep->items.size() : 0; }
    bool empty() const { return size() == 0; }

    const T& get(std::size_t index) const { return *m_rep->items[index]; }
    // Writing through an index grows the list with default children.
    T& get(std::size_t index)
    {
        while (size() <= index)
            append();
        return *m_rep->items[index];
    }
    T& append()
    {
        T* item = create();
        return keep(m_rep->items.end(), item);
    }
    // Inserts before index, or appends when index is past the end.
    T& insert(std::size_t index)
    {
        if (index >= size())
            return append();
        T* item = create();
        return keep(m_rep->items.begin() + static_cast<std::ptrdiff_t>(index), item);
    }
    void erase(std::size_t index)
    {
        destroy(m_rep->items[index]);
        m_rep->items.erase(m_rep->items.begin() + static_cast<std::ptrdiff_t>(index));
    }
    // Destroys the entries from the last to the first, then gives back their blocks.
    void clear()
    {
        if (!m_rep)
            return;
        while (!m_rep->items.empty()) {
            m_rep->items.back()->~T();
            m_rep->items.pop_back();
        }
        free_rep(m_rep);
        m_rep = nullptr;
    }
    // Gives back the spare room once a list has been read: a small list moves into one
    // block of its size (children keep their content, not their addresses).
    void shrink_to_fit()
    {
        if (!m_rep)
            return;
        if constexpr (has_swap<T>::value && std::is_default_constructible<T>::value)
            if (size() * sizeof(T) <= k_gathered_bytes && !is_gathered())
                gather();
        m_rep->items.shrink_to_fit();
    }
    T& back() { return *m_rep->items.back(); }

    typename std::vector<T*, slab::allocator<T*>>::const_iterator begin() const { return items().begin(); }
    typename std::vector<T*, slab::allocator<T*>>::const_iterator end() const { return items().end(); }

private:
    // Lists up to this size are gathered into one block; larger ones keep their blocks, so
    // that a long list never needs twice its room at once.
    static constexpr std::size_t k_gathered_bytes = 4096;
    // A block's slots [next, end) follow its header; a free slot holds the address of the next one.
    struct block
    {
        block* previous; // null for the first block, which the list's state holds
        T* next;
        T* end;
    };
    using order = std::vector<T*, slab::allocator<T*>>;
    struct rep
    {
        order items;
        void* free = nullptr; // the first slot of an erased child, or null
        block* last;          // the newest block; each links to the one before
        block first;
    };
    // T is complete only where the members are used, so its layout is asked for here.
    template <typename Header>
    static constexpr std::size_t slots_offset()
    {
        static_assert(alignof(T) <= alignof(std::max_align_t), "blocks come from the slab");
        static_assert(sizeof(T) >= sizeof(void*), "a free slot holds a pointer");
        return (sizeof(Header) + alignof(T) - 1) / alignof(T) * alignof(T);
    }
    static T* slots_after(void* header, std::size_t offset)
    {
        return reinterpret_cast<T*>(static_cast<char*>(header) + offset);
    }

    // The size a block was allocated with, from its header and the end of its slots.
    static std::size_t bytes_of(void* header, const T* end)
    {
        return static_cast<std::size_t>(reinterpret_cast<const char*>(end) - static_cast<char*>(header));
    }

    const order& items() const
    {
        static const order none;
        return m_rep ? m_rep->items : none;
    }
    static rep* make_rep(std::size_t capacity)
    {
        void* memory = slab::allocate(slots_offset<rep>() + capacity * sizeof(T));
        T* slots = slots_after(memory, slots_offset<rep>());
        rep* fresh = ::new (memory) rep{{}, nullptr, nullptr, block{nullptr, slots, slots + capacity}};
        fresh->last = &fresh->first;
        return fresh;
    }
    // Frees the blocks of a list whose children are gone.
    static void free_rep(rep* r)
    {
        for (block* b = r->last; b != &r->first;) {
            block* previous = b->previous;
            slab::release(b, bytes_of(b, b->end));
            b = previous;
        }
        const std::size_t bytes = bytes_of(r, r->first.end);
        r->~rep();
        slab::release(r, bytes);
    }
    bool is_gathered() const
    {
        return m_rep->last == &m_rep->first && m_rep->first.next == m_rep->first.end && !m_rep->free;
    }

    // Moves every child into a fresh single block by swapping it with a default one there;
    // a constructor that throws has the swaps undone, and the list stays as it was.
    void gather()
    {
        const std::size_t count = size();
        rep* fresh;
        try {
            fresh = make_rep(count);
        } catch (...) {
            return;
        }
        T* target = fresh->first.next;
        std::size_t done = 0;
        try {
            for (; done < count; ++done) {
                ::new (target + done) T();
                target[done].swap(*m_rep->items[done]);
            }
        } catch (...) {
            while (done--) {
                target[done].swap(*m_rep->items[done]);
                target[done].~T();
            }
            free_rep(fresh);
            return;
        }
        fresh->first.next = target + count;
        fresh->items.swap(m_rep->items);
        for (std::size_t i = 0; i < count; ++i) {
            fresh->items[i]->~T();
            fresh->items[i] = target + i;
        }
        free_rep(m_rep);
        m_rep = fresh;
    }

    // Puts a new child into the order; one that cannot be placed is destroyed.
    T& keep(typename order::iterator at, T* item)
    {
        try {
            m_rep->items.insert(at, item);
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
            return ::new (slot) T(std::forward<Args>(args)...);
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
        std::memcpy(slot, &m_rep->free, sizeof m_rep->free);
        m_rep->free = slot;
    }
    // A slot for one more child; the pointer array is given room for every slot of a new block.
    void* free_slot()
    {
        if (!m_rep)
            m_rep = make_rep(first_capacity());
        if (m_rep->free) {
            void* slot = m_rep->free;
            std::memcpy(&m_rep->free, slot, sizeof m_rep->free);
            return slot;
        }
        block* last = m_rep->last;
        if (last->next == last->end) {
            // Small lists double, and shrink_to_fit trims them; long ones grow by half.
            const std::size_t count = size();
            const std::size_t capacity =
                std::max<std::size_t>(1, count * sizeof(T) < k_gathered_bytes ? count : count / 2);
            void* memory = slab::allocate(slots_offset<block>() + capacity * sizeof(T));
            T* slots = slots_after(memory, slots_offset<block>());
            last = ::new (memory) block{last, slots, slots + capacity};
            m_rep->last = last;
        }
        if (m_rep->items.capacity() == m_rep->items.size())
            m_rep->items.reserve(m_rep->items.size() + static_cast<std::size_t>(last->end - last->next));
        return last->next++;
    }
    // Room for about 256 bytes of children, and at least one.
    static std::size_t first_capacity() { return std::max<std::size_t>(1, 256 / sizeof(T)); }

    rep* m_rep = nullptr;
};

} // namespace schema
} // namespace kyr

#endif
