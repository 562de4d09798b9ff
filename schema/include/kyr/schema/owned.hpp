// Owning holders for the children of generated classes.
//
// owned<T> is a nullable owning pointer that copies deeply; boxed<T> an
// optional child kept out of line; owned_list<T> an ordered list of owned
// children that never holds null. Both only need T to
// be complete where their members are instantiated, which is in the generated
// .cpp files, so class headers can hold children of types they only declare.
#ifndef KYR_SCHEMA_OWNED_HPP
#define KYR_SCHEMA_OWNED_HPP

#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

namespace kyr { namespace schema {

template <typename T, typename = void>
struct has_clone : std::false_type {};
template <typename T>
struct has_clone<T, std::void_t<decltype(std::declval<const T&>().clone())>> : std::true_type {};

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

template <typename T>
class owned_list
{
public:
    owned_list() = default;
    owned_list(const owned_list& other)
    {
        m_items.reserve(other.m_items.size());
        for (const T* item : other.m_items)
            m_items.push_back(duplicate(*item));
    }
    owned_list& operator=(const owned_list& other)
    {
        owned_list copy(other);
        swap(copy);
        return *this;
    }
    ~owned_list() { clear(); }

    void swap(owned_list& other) noexcept { m_items.swap(other.m_items); }
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
    T& append()
    {
        m_items.push_back(nullptr);
        m_items.back() = new T;
        return *m_items.back();
    }
    // Inserts before index, or appends when index is past the end.
    T& insert(std::size_t index)
    {
        if (index >= m_items.size())
            return append();
        T* item = new T;
        m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(index), item);
        return *item;
    }
    void erase(std::size_t index)
    {
        delete m_items[index];
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
    }
    // Destroys the entries from the last to the first.
    void clear()
    {
        while (!m_items.empty()) {
            delete m_items.back();
            m_items.pop_back();
        }
    }
    // Gives back the pointer array's spare room once a list has been read.
    void shrink_to_fit() { m_items.shrink_to_fit(); }
    T& back() { return *m_items.back(); }

    typename std::vector<T*>::const_iterator begin() const { return m_items.begin(); }
    typename std::vector<T*>::const_iterator end() const { return m_items.end(); }

private:
    std::vector<T*> m_items;
};

}} // namespace kyr::schema

#endif
