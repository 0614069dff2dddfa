# The folders whose code uses no Qt, in the order they are built.  Each holds
# a CMakeLists.txt that lists its files; the fuzz build and the build without
# Qt compile these alone.
set(TAVREL_CORE_FOLDERS
  src/platform/core
  src/shared/core
  src/askery/core
  src/gridel/core
  src/aligrid/core
  src/pairo/core
)
