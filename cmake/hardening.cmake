# The usual hardening of Debian and Fedora builds (stack protector, FORTIFY, PIE, full RELRO
# with BIND_NOW) for a build whose builder gives no flags of its own: a distribution's build
# flags (CXXFLAGS, LDFLAGS, as dpkg-buildflags sets them) win. Sanitizer and fuzzer builds
# go without, as the sanitizers replace the checked functions themselves.
if(NOT DEFINED Q9TX_HARDENING)
  if(CMAKE_CXX_FLAGS OR CMAKE_EXE_LINKER_FLAGS OR Q9TX_SANITIZE OR Q9TX_FUZZ)
    set(hardening OFF)
  else()
    set(hardening ON)
  endif()
  set(Q9TX_HARDENING ${hardening} CACHE BOOL "Compile and link with the usual hardening flags")
endif()

if(Q9TX_HARDENING)
  include(CheckCXXCompilerFlag)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security
                      "$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  foreach(flag -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "Q9TX_HAS${flag}" result)
    check_cxx_compiler_flag(${flag} ${result})
    if(${result})
      add_compile_options(${flag})
    endif()
  endforeach()
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
