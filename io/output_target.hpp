// A file about to receive a written document.
//
// The target is opened (or created) before the document is marshalled, so an
// unwritable path is reported first, but its old content is replaced only once
// the new bytes are complete: a failed write never destroys the caller's file,
// and a file this object created is removed again unless it was completed.
#pragma once

#include <string>

namespace kyr::io {

class output_target {
 public:
  explicit output_target(const std::string& path);
  ~output_target();
  output_target(const output_target&) = delete;
  output_target& operator=(const output_target&) = delete;

  bool is_open() const { return fd_ >= 0; }

  // Replaces the file's content with `bytes` and closes it; on failure the
  // file is removed and false returned.
  bool replace_content(const std::string& bytes);

 private:
  std::string path_;
  int fd_ = -1;
  bool created_ = false;
};

}  // namespace kyr::io
