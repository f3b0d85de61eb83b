# Helpers shared by every folder's CMakeLists.

# yunt_library(name SOURCES ... [DEPS ...]): a static library of one concern.
function(yunt_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(ARG_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  endif()
  if(ARG_PRIVATE_DEPS)
    target_link_libraries(${name} PRIVATE ${ARG_PRIVATE_DEPS})
  endif()
endfunction()

# yunt_test(label name SOURCES ... DEPS ...): one GoogleTest executable whose
# tests carry the folder label, so `ctest -L serial` runs the serial tests.
function(yunt_test label name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${label}
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
               # A property of its own: a ";" list would be split into property names.
               ENVIRONMENT_MODIFICATION "LSAN_OPTIONS=set:suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp")
endfunction()

# yunt_glob_library(name PATTERNS ... [DEPS ...]): a static library of the
# sources that match the patterns in the current folder (an interface library
# while none exist yet).
function(yunt_glob_library name)
  cmake_parse_arguments(ARG "" "" "PATTERNS;EXCLUDE;DEPS;PRIVATE_DEPS" ${ARGN})
  set(globs)
  foreach(p IN LISTS ARG_PATTERNS)
    list(APPEND globs ${CMAKE_CURRENT_SOURCE_DIR}/${p})
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  foreach(x IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${x})
  endforeach()
  if(sources)
    yunt_library(${name} SOURCES ${sources} DEPS ${ARG_DEPS} PRIVATE_DEPS ${ARG_PRIVATE_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    if(ARG_DEPS)
      target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
  endif()
endfunction()

# yunt_glob_tests(label PATTERNS ... DEPS ...): one test executable per
# matching test_*.cpp file of the current folder.
function(yunt_glob_tests label)
  cmake_parse_arguments(ARG "" "" "PATTERNS;DEPS;EXTRA_SOURCES" ${ARGN})
  set(globs)
  foreach(p IN LISTS ARG_PATTERNS)
    list(APPEND globs ${CMAKE_CURRENT_SOURCE_DIR}/${p})
  endforeach()
  file(GLOB tests CONFIGURE_DEPENDS ${globs})
  foreach(t IN LISTS tests)
    get_filename_component(stem ${t} NAME_WE)
    yunt_test(${label} ${label}_${stem} SOURCES ${t} ${ARG_EXTRA_SOURCES} DEPS ${ARG_DEPS})
  endforeach()
endfunction()
