#include "node.hpp"

#include <algorithm>

namespace kyr_python {

node::node(std::shared_ptr<owner> document) : m_owner(std::move(document))
{
    enter();
}

node::node(const node& parent, const void* object)
    : m_owner(parent.m_owner), m_path(parent.m_path), m_stale(parent.m_stale)
{
    m_path.push_back(object);
    enter();
}

node::node(const node& other) : m_owner(other.m_owner), m_path(other.m_path), m_stale(other.m_stale)
{
    enter();
}

node& node::operator=(const node& other)
{
    if (this != &other) {
        leave();
        m_owner = other.m_owner;
        m_path = other.m_path;
        m_stale = other.m_stale;
        enter();
    }
    return *this;
}

node::~node()
{
    leave();
}

void node::enter()
{
    if (m_owner)
        m_owner->nodes.insert(this);
}

void node::leave()
{
    if (m_owner)
        m_owner->nodes.erase(this);
}

void node::check() const
{
    if (m_stale)
        throw stale_object();
}

void node::forget(const void* object) const
{
    for (node* other : m_owner->nodes)
        if (std::find(other->m_path.begin(), other->m_path.end(), object) != other->m_path.end())
            other->m_stale = true;
}

void node::forget_below() const
{
    const std::size_t depth = m_path.size();
    for (node* other : m_owner->nodes)
        if (other->m_path.size() > depth && std::equal(m_path.begin(), m_path.end(), other->m_path.begin()))
            other->m_stale = true;
}

} // namespace kyr_python
