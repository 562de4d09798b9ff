#include "output_target.hpp"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace kyr::io {

output_target::output_target(const std::string& path) : path_(path) {
  // A name with a NUL inside would create a file of a shorter name.
  if (path.find('\0') != std::string::npos) return;
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd_ >= 0) {
    created_ = true;
  } else if (errno == EEXIST) {
    fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  }
}

output_target::~output_target() {
  if (fd_ < 0) return;
  ::close(fd_);
  if (created_) ::unlink(path_.c_str());
}

bool output_target::replace_content(const std::string& bytes) {
  if (fd_ < 0) return false;
  bool ok = ::ftruncate(fd_, 0) == 0;
  for (std::size_t done = 0; ok && done < bytes.size();) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<std::size_t>(n);
  }
  ok = ::close(fd_) == 0 && ok;
  fd_ = -1;
  // A half-written file is worse than none.
  if (!ok) ::unlink(path_.c_str());
  return ok;
}

}  // namespace kyr::io
