// Storage for class identities set through the flat exports.
#include "flat_runtime.hpp"

#include <mutex>
#include <set>

namespace kyr {
namespace interop {

const char* kept_identity(const char* text)
{
    // nodes of a set never move, so the returned address stays valid
    static std::set<std::string> texts;
    static std::mutex guard;
    const std::lock_guard<std::mutex> lock(guard);
    return texts.insert(text).first->c_str();
}

} // namespace interop
} // namespace kyr
