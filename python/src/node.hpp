// Where a Python object sits in its document. Every wrapper holds a node: the document's owner
// (kept alive as long as any of its objects is reachable from Python) and the path of objects
// from the document element down to its own. Removing an object (erase, clear, unset, a
// changed choice) marks every node on or below it stale, so that using it raises
// ReferenceError instead of touching freed memory.
#ifndef KYR_PYTHON_NODE_HPP
#define KYR_PYTHON_NODE_HPP

#include <kyr/api/classes/Kyr.hpp>

#include <pybind11/pybind11.h>

#include <memory>
#include <stdexcept>
#include <type_traits>
#include <unordered_set>
#include <vector>

namespace kyr_python {

namespace py = pybind11;

class node;

/// Raised as Python's ReferenceError: the object was removed from its document.
struct stale_object : std::runtime_error
{
    stale_object() : std::runtime_error("this object was removed from its document") {}
};

/// A document and the nodes that point into it.
struct owner
{
    kyr::Document document;
    std::unordered_set<node*> nodes;
};

/// The address that names an object: the whole object's, whatever base it is seen through.
template <class T>
const void* identity(const T& object)
{
    if constexpr (std::is_polymorphic_v<T>)
        return dynamic_cast<const void*>(&object);
    else
        return &object;
}

class node
{
public:
    /// The place above the document element of `document`.
    explicit node(std::shared_ptr<owner> document);
    /// The place of `object`, a child of `parent`'s object.
    node(const node& parent, const void* object);
    node(const node& other);
    node& operator=(const node& other);
    ~node();

    /// Throws ReferenceError when the object was removed from its document.
    void check() const;
    /// Marks stale every node on `object` or below it (before `object` is destroyed).
    void forget(const void* object) const;
    /// Marks stale every node below this one's object (before its content is replaced).
    void forget_below() const;
    const std::shared_ptr<owner>& document() const { return m_owner; }

private:
    void enter();
    void leave();

    std::shared_ptr<owner> m_owner;
    std::vector<const void*> m_path;
    bool m_stale = false;
};

/// The wrapper struct of a generated class; specialised for every class.
template <class Model>
struct wrapper_of;

} // namespace kyr_python

#endif
