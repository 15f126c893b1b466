# ptv_library(NAME folder DEPS ...): one static library per subsystem folder.
# Every library also gets a link check: all of its objects are linked into a
# program together with only the libraries it declares, so a call that goes
# the wrong way between subsystems fails the build.
function(ptv_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_SOURCES)
    # A subsystem not written yet: it only passes its dependencies on.
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  set(stub ${CMAKE_BINARY_DIR}/generated/linkcheck_main.cpp)
  if(NOT EXISTS ${stub})
    file(WRITE ${stub} "int main() { return 0; }\n")
  endif()
  add_executable(linkcheck_${name} ${stub})
  target_link_libraries(linkcheck_${name} PRIVATE
    -Wl,--whole-archive ${name} -Wl,--no-whole-archive ${ARG_DEPS})
  set_target_properties(linkcheck_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/linkcheck)
endfunction()

# Sources of a folder; new files are picked up without touching the lists.
function(ptv_sources out dir)
  file(GLOB files CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(${out} ${files} PARENT_SCOPE)
endfunction()
