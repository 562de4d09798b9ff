// The values of a repeated simple-typed member (a change history, semantic
// associations ...), in order.
//
// Most such lists hold one value or none, and a std::vector costs 24 bytes
// either way. A value_list is one pointer: null while the list is empty,
// otherwise a block that starts with the count and the room and goes on with
// the values.
#ifndef KYR_SCHEMA_VALUE_LIST_HPP
#define KYR_SCHEMA_VALUE_LIST_HPP

#include <cstddef>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace kyr {
namespace schema {

template <typename T>
class value_list
{
public:
    using iterator = T*;
    using const_iterator = const T*;

    value_list() = default;
    // Delegates so that the destructor frees the values copied so far when one copy throws.
    value_list(const value_list& other) : value_list()
    {
        if (other.empty())
            return;
        grow_to(other.size());
        for (const T& value : other)
            append_in_room(value);
    }
    value_list(value_list&& other) noexcept : m_rep(other.m_rep) { other.m_rep = nullptr; }
    value_list& operator=(value_list other) noexcept
    {
        swap(other);
        return *this;
    }
    ~value_list() { clear(); }
    void swap(value_list& other) noexcept { std::swap(m_rep, other.m_rep); }

    std::size_t size() const { return m_rep ? m_rep->size : 0; }
    bool empty() const { return size() == 0; }
    const T& operator[](std::size_t index) const { return begin()[index]; }
    T& operator[](std::size_t index) { return begin()[index]; }
    const_iterator begin() const { return m_rep ? items(m_rep) : nullptr; }
    const_iterator end() const { return begin() + size(); }
    iterator begin() { return m_rep ? items(m_rep) : nullptr; }
    iterator end() { return begin() + size(); }

    void push_back(T value) { insert(end(), std::move(value)); }
    // value is taken by value, so that a copy of one of the list's own values stays valid.
    iterator insert(const_iterator at, T value)
    {
        const std::size_t index = static_cast<std::size_t>(at - begin());
        const std::size_t count = size();
        if (count == (m_rep ? m_rep->room : 0))
            grow_to(count ? count * 2 : 1);
        T* values = items(m_rep);
        if (index == count) {
            append_in_room(std::move(value));
            return values + index;
        }
        new (values + count) T(std::move(values[count - 1]));
        ++m_rep->size;
        for (std::size_t i = count - 1; i > index; --i)
            values[i] = std::move(values[i - 1]);
        values[index] = std::move(value);
        return values + index;
    }
    iterator erase(const_iterator at)
    {
        const std::size_t index = static_cast<std::size_t>(at - begin());
        T* values = items(m_rep);
        for (std::size_t i = index + 1; i < m_rep->size; ++i)
            values[i - 1] = std::move(values[i]);
        values[--m_rep->size].~T();
        if (m_rep->size == 0)
            clear();
        return begin() + index;
    }
    void clear()
    {
        if (!m_rep)
            return;
        destroy(m_rep);
        m_rep = nullptr;
    }

private:
    struct rep
    {
        std::uint32_t size;
        std::uint32_t room;
    };
    static_assert(sizeof(rep) % alignof(T) == 0, "the values follow the header");
    static_assert(std::is_nothrow_move_constructible<T>::value && std::is_nothrow_move_assignable<T>::value,
                  "moving values within the block cannot fail");

    static T* items(rep* r) { return reinterpret_cast<T*>(r + 1); }
    static const T* items(const rep* r) { return reinterpret_cast<const T*>(r + 1); }
    static void destroy(rep* r)
    {
        T* values = items(r);
        for (std::uint32_t i = r->size; i-- > 0;)
            values[i].~T();
        ::operator delete(r);
    }
    // Moves the values into a block with room for `room` of them.
    void grow_to(std::size_t room)
    {
        if (room > UINT32_MAX || room > (SIZE_MAX - sizeof(rep)) / sizeof(T))
            throw std::length_error("value_list");
        rep* fresh =
            new (::operator new(sizeof(rep) + room * sizeof(T))) rep{0, static_cast<std::uint32_t>(room)};
        if (m_rep) {
            T* from = items(m_rep);
            for (std::uint32_t i = 0; i < m_rep->size; ++i)
                new (items(fresh) + i) T(std::move(from[i]));
            fresh->size = m_rep->size;
            destroy(m_rep);
        }
        m_rep = fresh;
    }
    template <typename V>
    void append_in_room(V&& value)
    {
        new (items(m_rep) + m_rep->size) T(std::forward<V>(value));
        ++m_rep->size;
    }

    rep* m_rep = nullptr;
};

} // namespace schema
} // namespace kyr

#endif
