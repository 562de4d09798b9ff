// What every generated handle builds on: the handle itself, the text conversions,
// the checks that turn codes into kyr::error, and the ranges of repeated children.
#ifndef KYR_API_HANDLE_HPP
#define KYR_API_HANDLE_HPP

#include <kyr/export.hpp>

#include <kyr/api/error.hpp>
#include <kyr/lmx/binary.hpp>
#include <kyr/lmx/datetime.hpp>

#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

namespace kyr {

/// T, const when M is: a handle on a const object hands out const children.
template <class M, class T>
using like = std::conditional_t<std::is_const_v<M>, const T, T>;

/// The base of every generated handle: a pointer to the generated object it works on.
/// Handles are cheap to copy; the object must outlive them and must not be removed from
/// its parent while they are used.
template <class M>
class handle
{
public:
    /// A handle on `object`.
    explicit handle(M& object) : m_model(&object) {}
    /// The generated object, for what only the generated interface offers.
    M& generated() const { return *m_model; }

protected:
    M* m_model;
};

namespace detail {

/// UTF-16 (as the generated classes hold it) to UTF-8; surrogate pairs become one character.
KYR_API std::string utf8(const std::wstring& text);
/// UTF-8 to UTF-16; kyr::error (ELMX_BAD_CHAR_ENCODING) when `text` is not UTF-8.
KYR_API std::wstring wide(std::string_view text);
/// A date-time stamp from its text; kyr::error (ELMX_VALUE_BAD_FORMAT) when it is not one.
KYR_API lmx::c_datetime stamp(std::string_view text);
/// Throws kyr::error naming `item` unless `code` is ELMX_OK.
KYR_API void check(lmx::elmx_error code, const char* item);
/// Throws kyr::error (ELMX_VALUE_NOT_ENUMERATED) naming `item` unless `stored`.
KYR_API void check_enum(bool stored, const char* item);
/// Throws std::out_of_range naming `item` unless `index` < `size`.
KYR_API void check_index(std::size_t index, std::size_t size, const char* item);

inline std::string to_api(const std::wstring& value)
{
    return utf8(value);
}
inline std::string to_api(const lmx::c_datetime& value)
{
    return value.get_as_string();
}
template <class T>
const T& to_api(const T& value)
{
    return value;
}

/// What a value list takes: text for strings and stamps, else the value itself.
template <class T>
struct taken
{
    using type = T;
    static const T& convert(const T& value) { return value; }
};
template <>
struct taken<std::wstring>
{
    using type = std::string_view;
    static std::wstring convert(std::string_view value) { return wide(value); }
};
template <>
struct taken<lmx::c_datetime>
{
    using type = std::string_view;
    static lmx::c_datetime convert(std::string_view value) { return stamp(value); }
};

/// An iterator that hands out values made from a parent and an index.
template <class Range>
class index_iterator
{
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = typename Range::value_type;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = value_type;

    index_iterator(const Range* range, std::size_t index) : m_range(range), m_index(index) {}
    value_type operator*() const { return m_range->at(m_index); }
    index_iterator& operator++()
    {
        ++m_index;
        return *this;
    }
    index_iterator operator++(int)
    {
        index_iterator before = *this;
        ++m_index;
        return before;
    }
    bool operator==(const index_iterator& other) const { return m_index == other.m_index; }
    bool operator!=(const index_iterator& other) const { return m_index != other.m_index; }

private:
    const Range* m_range;
    std::size_t m_index;
};

} // namespace detail

/// The repeated complex children of one member, as a range of handles. `at` checks the
/// index; push_back adds a default child at the end and returns a handle on it.
template <template <class> class Handle, class Parent, class Access>
class child_list
{
    using model = like<Parent, typename Access::value>;

public:
    using value_type = Handle<model>;
    using iterator = detail::index_iterator<child_list>;

    /// The children of `parent`.
    explicit child_list(Parent& parent) : m_parent(&parent) {}

    std::size_t size() const { return Access::size(*m_parent); }
    bool empty() const { return size() == 0; }
    /// Child `index`; std::out_of_range when there is none.
    value_type at(std::size_t index) const
    {
        detail::check_index(index, size(), Access::name);
        return value_type(Access::get(*m_parent, index));
    }
    value_type front() const { return at(0); }
    value_type back() const { return at(size() - 1); }
    iterator begin() const { return iterator(this, 0); }
    iterator end() const { return iterator(this, size()); }

    /// Adds a default child at the end and returns it.
    value_type push_back() const
    {
        Access::append(*m_parent);
        return back();
    }
    /// Adds a copy of `child` at the end and returns it.
    template <class N>
    value_type push_back(const Handle<N>& child) const
    {
        typename Access::value copy(child.generated());
        value_type added = push_back();
        added.generated().swap(copy);
        return added;
    }
    /// Removes child `index`; std::out_of_range when there is none.
    void erase(std::size_t index) const
    {
        detail::check_index(index, size(), Access::name);
        Access::erase(*m_parent, index);
    }
    void clear() const { Access::clear(*m_parent); }

private:
    Parent* m_parent;
};

/// The repeated simple children of one member, as a range of values (UTF-8 text for strings
/// and stamps). Values are checked against their facets as they are stored.
template <class Parent, class Access>
class value_list
{
    using model = typename Access::value;
    using taken = detail::taken<model>;

public:
    using value_type = std::decay_t<decltype(detail::to_api(std::declval<const model&>()))>;
    using iterator = detail::index_iterator<value_list>;

    /// The values of `parent`.
    explicit value_list(Parent& parent) : m_parent(&parent) {}

    std::size_t size() const { return Access::size(*m_parent); }
    bool empty() const { return size() == 0; }
    /// Value `index`; std::out_of_range when there is none.
    value_type at(std::size_t index) const
    {
        detail::check_index(index, size(), Access::name);
        return detail::to_api(Access::get(*m_parent, index));
    }
    value_type front() const { return at(0); }
    value_type back() const { return at(size() - 1); }
    iterator begin() const { return iterator(this, 0); }
    iterator end() const { return iterator(this, size()); }

    /// Adds `value` at the end; kyr::error when it breaks a facet.
    void push_back(typename taken::type value) const
    {
        detail::check(Access::append(*m_parent, taken::convert(value)), Access::name);
    }
    /// Replaces value `index`; std::out_of_range when there is none.
    void set(std::size_t index, typename taken::type value) const
    {
        detail::check_index(index, size(), Access::name);
        detail::check(Access::set(*m_parent, index, taken::convert(value)), Access::name);
    }
    /// Removes value `index`; std::out_of_range when there is none.
    void erase(std::size_t index) const
    {
        detail::check_index(index, size(), Access::name);
        Access::erase(*m_parent, index);
    }
    void clear() const { Access::clear(*m_parent); }

private:
    Parent* m_parent;
};

} // namespace kyr

#endif
