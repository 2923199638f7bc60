# Read by cpack for each package it builds. A Debian package needs dpkg-shlibdeps (dpkg-dev)
# and file to find the libraries it depends on; without them cpack would build one that
# depends on nothing, which apt would install on a machine without Qt.
if(CPACK_GENERATOR STREQUAL "DEB")
  foreach(tool dpkg-shlibdeps file)
    # On the PATH, as dpkg-shlibdeps calls them, rather than in a folder CMake would also search.
    find_program(Q9TX_TOOL_${tool} ${tool} NO_CMAKE_SYSTEM_PATH)
    if(NOT Q9TX_TOOL_${tool})
      message(FATAL_ERROR "cpack -G DEB needs ${tool} to find the package's dependencies: "
                          "install dpkg-dev and file (apt install dpkg-dev file)")
    endif()
  endforeach()
endif()
