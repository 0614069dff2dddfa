// Permission tests need a user whom file modes restrain.  Run as root, the
// effective user becomes "nobody" while a WithoutRootRights lives; folders
// the test uses must then be open to others (chmod 0755 or similar).
#pragma once

#include <unistd.h>

namespace tavrel::testing {

class WithoutRootRights {
 public:
  WithoutRootRights() {
    if (::geteuid() == 0) switched_ = ::seteuid(65534) == 0;
  }
  ~WithoutRootRights() {
    if (switched_) (void)!::seteuid(0);
  }
  WithoutRootRights(const WithoutRootRights&) = delete;
  WithoutRootRights& operator=(const WithoutRootRights&) = delete;

  // False when file modes would not restrain this process.
  bool Ok() const { return ::geteuid() != 0; }

 private:
  bool switched_ = false;
};

}  // namespace tavrel::testing
