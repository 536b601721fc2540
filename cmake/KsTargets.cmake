# Build settings shared by every target of the project.

# Warnings are errors in our own code only; third-party headers come in as
# system includes and are not judged.
set(KS_WARNINGS -Wall -Wextra -Wnon-virtual-dtor -Wcast-align -Wformat=2
    -Wimplicit-fallthrough -Werror)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND KS_WARNINGS -Wshadow=local)
  # g++ 12 at -O2 reports a memcpy overlap inside libstdc++ for every
  # "literal" + std::string; the warning says nothing about our code there.
  if(CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    list(APPEND KS_WARNINGS -Wno-restrict)
  endif()
endif()

set(KS_SANITIZER_FLAGS "")
if(KS_SANITIZE)
  set(KS_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined
      -fno-omit-frame-pointer)
endif()
if(KS_FUZZ)
  # Libraries get coverage; each fuzz target adds the libFuzzer main itself.
  set(KS_SANITIZER_FLAGS -fsanitize=fuzzer-no-link,address,undefined
      -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
endif()

function(ks_target_defaults target)
  target_compile_options(${target} PRIVATE ${KS_WARNINGS} ${KS_SANITIZER_FLAGS})
  target_link_options(${target} PRIVATE ${KS_SANITIZER_FLAGS})
endfunction()

# A shared library of the stack: versioned SONAME, public headers found by the
# installed layout (include/KsTavik20/), everything else private.
function(ks_add_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_HEADERS;INCLUDE_DIRS" ${ARGN})
  add_library(${target} SHARED ${ARG_SOURCES})
  add_library(KsTavik20::${target} ALIAS ${target})
  ks_target_defaults(${target})
  # Calls inside a library bind to its own functions, so the compiler may
  # inline them and the linker calls them directly, not through the
  # procedure linkage table; nothing interposes the libraries' symbols.
  target_compile_options(${target} PRIVATE -fno-semantic-interposition)
  target_link_options(${target} PRIVATE -Wl,-Bsymbolic-functions)
  set_target_properties(${target} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}
    EXPORT_NAME ${target})
  foreach(dir ${ARG_INCLUDE_DIRS})
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${dir}>)
  endforeach()
  target_include_directories(${target} PUBLIC
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/KsTavik20>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  set_property(GLOBAL APPEND PROPERTY KS_PUBLIC_HEADERS ${ARG_PUBLIC_HEADERS})
  install(TARGETS ${target} EXPORT KsTavik20Targets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${ARG_PUBLIC_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/KsTavik20)
endfunction()

# Sources and public headers of a folder tree: every .cpp is built, every .h
# except *Private.h is installed.
function(ks_collect_sources out_sources out_headers)
  set(srcs)
  set(hdrs)
  foreach(dir ${ARGN})
    file(GLOB_RECURSE s CONFIGURE_DEPENDS ${dir}/*.cpp)
    file(GLOB_RECURSE h CONFIGURE_DEPENDS ${dir}/*.h)
    list(APPEND srcs ${s})
    foreach(f ${h})
      if(NOT f MATCHES "Private\\.h$")
        list(APPEND hdrs ${f})
      endif()
    endforeach()
  endforeach()
  set(${out_sources} ${srcs} PARENT_SCOPE)
  set(${out_headers} ${hdrs} PARENT_SCOPE)
endfunction()
string(REPLACE ";" " " KS_SANITIZER_FLAGS_STRING "${KS_SANITIZER_FLAGS}")
