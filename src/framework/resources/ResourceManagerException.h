// Thrown by the resource manager's lookups for an id that is not loaded; carries the
// manager's error text at the moment of the throw.
#pragma once

#include <exception>
#include <string>

namespace Tesk {

class ResourceManagerException : public std::exception {
 public:
  explicit ResourceManagerException(const std::string& theWhat) : mWhat(theWhat) {}

  // Read this, not what(): what() is std::exception's own.
  std::string mWhat;
};

}  // namespace Tesk
