#include "lists.hpp"

namespace kyr_python {

std::size_t member_list::position(std::ptrdiff_t index) const
{
    const auto size = static_cast<std::ptrdiff_t>(m_do.size());
    // Negative indexes count from the end, as for any Python sequence.
    const std::ptrdiff_t at = index < 0 ? index + size : index;
    if (at < 0 || at >= size)
        throw py::index_error("list index out of range");
    return static_cast<std::size_t>(at);
}

std::size_t member_list::size() const
{
    m_parent.check();
    return m_do.size();
}

py::object member_list::get(std::ptrdiff_t index) const
{
    m_parent.check();
    return m_do.get(position(index));
}

void member_list::set(std::ptrdiff_t index, const py::object& value) const
{
    m_parent.check();
    m_do.set(position(index), value);
}

py::object member_list::push_back(const py::object& value) const
{
    m_parent.check();
    return m_do.push_back(value);
}

void member_list::erase(std::ptrdiff_t index) const
{
    m_parent.check();
    m_do.erase(position(index));
}

void member_list::clear() const
{
    m_parent.check();
    m_do.clear();
}

py::list member_list::items() const
{
    m_parent.check();
    py::list result;
    for (std::size_t i = 0, n = m_do.size(); i < n; ++i)
        result.append(m_do.get(i));
    return result;
}

template <class Class>
void bind_common(Class& c)
{
    c.def("__len__", &member_list::size)
        .def("__getitem__", &member_list::get)
        .def("__delitem__", &member_list::erase)
        .def("__iter__", [](const member_list& list) { return py::iter(list.items()); })
        .def("__repr__", [](const member_list& list) { return py::repr(list.items()); })
        .def("erase", &member_list::erase)
        .def("clear", &member_list::clear);
}

void bind_lists(py::module_& m)
{
    py::class_<member_list> base(m, "MemberList", "A live view of a repeated member of a document.");
    bind_common(base);
    py::class_<child_list_object, member_list> children(m, "ChildList",
                                                        "The repeated children of one member.");
    children.def("push_back", &member_list::push_back, py::arg("copy_of") = py::none(),
                 "Adds a default child, or a copy of `copy_of`, at the end and returns it.");
    py::class_<value_list_object, member_list> values(m, "ValueList", "The repeated values of one member.");
    values.def("push_back", &member_list::push_back, py::arg("value"), "Adds `value` at the end.")
        .def("__setitem__", &member_list::set);
}

} // namespace kyr_python
