// Repeated members as Python sequences. One Python class serves every list of children
// (ChildList) and one every list of values (ValueList): each holds its parent's node and the
// operations of its own member, so the module needs no class per member.
#ifndef KYR_PYTHON_LISTS_HPP
#define KYR_PYTHON_LISTS_HPP

#include "node.hpp"

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cstddef>
#include <functional>
#include <string>
#include <type_traits>

namespace kyr_python {

namespace py = pybind11;

/// The operations of one repeated member, on the parent the node points to.
struct list_operations
{
    std::function<std::size_t()> size;
    std::function<py::object(std::size_t)> get;
    std::function<void(std::size_t, const py::object&)> set; // values only
    std::function<py::object(const py::object&)> push_back;  // a value, or a child to copy (or None)
    std::function<void(std::size_t)> erase;
    std::function<void()> clear;
};

/// A live view of a repeated member: it follows the document, never a copy of it.
class member_list
{
public:
    member_list(const node& parent, list_operations operations)
        : m_parent(parent), m_do(std::move(operations))
    {
    }

    std::size_t size() const;
    py::object get(std::ptrdiff_t index) const;
    void set(std::ptrdiff_t index, const py::object& value) const;
    py::object push_back(const py::object& value) const;
    void erase(std::ptrdiff_t index) const;
    void clear() const;
    py::list items() const;

private:
    std::size_t position(std::ptrdiff_t index) const;

    node m_parent;
    list_operations m_do;
};

/// The Python classes: ChildList (push_back copies a child, or adds a default one) and
/// ValueList (push_back and item assignment take values).
struct child_list_object : member_list
{
    using member_list::member_list;
};
struct value_list_object : member_list
{
    using member_list::member_list;
};

/// Registers ChildList and ValueList.
void bind_lists(py::module_& m);

/// The children of one member of `parent` as a ChildList.
template <class List>
py::object make_child_list(const node& parent, List list)
{
    using model = std::remove_reference_t<decltype(list.at(0).generated())>;
    list_operations ops;
    ops.size = [list] { return list.size(); };
    ops.get = [list, parent](std::size_t i) { return wrap(parent, list.at(i).generated()); };
    ops.push_back = [list, parent](const py::object& copy_of) {
        if (copy_of.is_none())
            return wrap(parent, list.push_back().generated());
        model copy(copy_of.cast<const typename wrapper_of<model>::type&>().handle().generated());
        auto added = list.push_back();
        added.generated().swap(copy);
        return wrap(parent, added.generated());
    };
    ops.erase = [list, parent](std::size_t i) {
        parent.forget(identity(list.at(i).generated()));
        list.erase(i);
    };
    ops.clear = [list, parent] {
        for (std::size_t i = 0; i < list.size(); ++i)
            parent.forget(identity(list.at(i).generated()));
        list.clear();
    };
    return py::cast(child_list_object(parent, std::move(ops)));
}

/// The values of one member of `parent` as a ValueList.
template <class List>
py::object make_value_list(const node& parent, List list)
{
    using value = typename List::value_type;
    list_operations ops;
    ops.size = [list] { return list.size(); };
    ops.get = [list](std::size_t i) { return py::cast(list.at(i)); };
    ops.set = [list](std::size_t i, const py::object& v) { list.set(i, v.cast<value>()); };
    ops.push_back = [list](const py::object& v) {
        list.push_back(v.cast<value>());
        return py::object(py::none());
    };
    ops.erase = [list](std::size_t i) { list.erase(i); };
    ops.clear = [list] { list.clear(); };
    return py::cast(value_list_object(parent, std::move(ops)));
}

} // namespace kyr_python

#endif
