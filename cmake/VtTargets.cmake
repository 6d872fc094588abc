# Helpers that give every target of ours the same warnings, layout and test wiring.

set(VT_WARNINGS -Wall -Wextra)
# The presets (and so CI) turn warnings into errors; a plain build from
# source must not stop on a warning that a newer compiler invents.
if(VT_WERROR)
  list(APPEND VT_WARNINGS -Werror)
endif()
# GCC 12 at -O1 with the sanitizers reports "may be used uninitialized"
# inside the standard library's own std::regex/std::function code: a false
# report that would stop those builds.
if(VT_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND VT_WARNINGS -Wno-maybe-uninitialized)
endif()

# Our own code: warnings as errors, hidden symbols.
function(vt_code target)
  target_compile_options(${target} PRIVATE ${VT_WARNINGS})
  set_target_properties(${target} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    C_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# A shared library that exports exactly the names in its linker map.
#   vt_shared_library(NAME dravik CORE dravik_core MAP ${CMAKE_CURRENT_SOURCE_DIR}/exports.map)
# The core is a static library holding the exports and everything behind them;
# tests link the core, the program links the shared library.
function(vt_shared_library)
  cmake_parse_arguments(A "" "NAME;CORE;MAP" "SOURCES" ${ARGN})
  # A shared library needs one source of its own; everything else is the core.
  set(stub ${CMAKE_CURRENT_BINARY_DIR}/${A_NAME}_module.cpp)
  file(CONFIGURE OUTPUT ${stub} CONTENT "// ${A_NAME}: every export lives in its core library.\n")
  add_library(${A_NAME} SHARED ${stub} ${A_SOURCES})
  vt_code(${A_NAME})
  # The exports live in the core; take all of it so the map can pick them.
  target_link_libraries(${A_NAME} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${A_CORE}>")
  target_link_options(${A_NAME} PRIVATE
    "LINKER:--version-script=${A_MAP}")
  if(NOT VT_SANITIZE)
    # Sanitizer runtimes live in the executable, so only plain builds can insist.
    target_link_options(${A_NAME} PRIVATE "LINKER:--no-undefined")
  endif()
  set_target_properties(${A_NAME} PROPERTIES LINK_DEPENDS ${A_MAP})
  install(TARGETS ${A_NAME} LIBRARY DESTINATION .)
endfunction()

# A GoogleTest program; LABELS picks the CI configurations that run it
# ("lib" tests also run under ThreadSanitizer, "gui" tests need Qt offscreen).
function(vt_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  vt_code(${name})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # Tests read the resource files from Lib/, so they are copied first.
  add_dependencies(${name} vt_resources)
  # Where tests find the build's binaries and the source tree's fixtures.
  # (Test programs sit beside a link to bin/Lib, so Lib/ lookup works as installed.)
  target_compile_definitions(${name} PRIVATE
    VT_BIN_DIR="${VT_BIN_DIR}" VT_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  # One variable only: gtest_discover_tests splits a list-valued ENVIRONMENT.
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    NO_PRETTY_VALUES
    PROPERTIES LABELS "${A_LABELS}" ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# A fuzz target over a parser. With VT_FUZZ it links libFuzzer; otherwise it
# links a replay main and CTest runs it over the stored corpus.
function(vt_fuzz_target name)
  cmake_parse_arguments(A "" "CORPUS" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  vt_code(${name})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  add_dependencies(${name} vt_resources)
  if(VT_FUZZ)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_link_libraries(${name} PRIVATE vt_fuzz_replay)
    add_test(NAME ${name}_corpus COMMAND ${name} ${A_CORPUS})
    set_tests_properties(${name}_corpus PROPERTIES LABELS "${A_LABELS}")
  endif()
endfunction()

# Copies a data folder into the build tree's Lib/ and installs it there.
function(vt_lib_resources subdir)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}/${subdir}
       ${CMAKE_CURRENT_SOURCE_DIR}/${subdir}/*)
  set(outputs)
  foreach(f ${files})
    set(out ${VT_LIB_RESOURCE_DIR}/${subdir}/${f})
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_SOURCE_DIR}/${subdir}/${f} ${out}
      DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${subdir}/${f})
    list(APPEND outputs ${out})
  endforeach()
  add_custom_target(vt_resources_${subdir} ALL DEPENDS ${outputs})
  install(DIRECTORY ${subdir} DESTINATION Lib)
endfunction()
