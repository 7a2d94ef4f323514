// A fresh private directory under $TMPDIR (or /tmp), removed with everything in
// it when its owner goes. Links in it are removed, never followed.
#pragma once

#include <string>

namespace scenario {

class TemporaryDirectory {
 public:
  explicit TemporaryDirectory(const std::string& namePrefix);
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

}  // namespace scenario
