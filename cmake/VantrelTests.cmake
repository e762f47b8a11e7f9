# GoogleTest from Debian's sources, built with whichever toolchain this configuration uses.
set(VANTREL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${VANTREL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(WIN32 OR CMAKE_CROSSCOMPILING)
  # gtest carries warnings of its own on these toolchains; they are not ours.
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
endif()

# Where tests find the checkout (and its test data, tests/data). Under Wine the Unix root is drive Z:.
if(WIN32)
  set(VANTREL_TEST_SOURCE "Z:${CMAKE_SOURCE_DIR}")
  set(VANTREL_TEST_BINARY "Z:${CMAKE_BINARY_DIR}")
else()
  set(VANTREL_TEST_SOURCE "${CMAKE_SOURCE_DIR}")
  set(VANTREL_TEST_BINARY "${CMAKE_BINARY_DIR}")
endif()

# The labels of a test: the room its folder mirrors (tests/<room>/..., two levels for the rooms
# inside controls and imaging), then any other rooms it also guards, so that `ctest -L <room>`
# runs what guards one room.
function(vantrel_test_labels name)
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  string(REPLACE "/" ";" parts "${rel}")
  list(GET parts 0 room)
  list(LENGTH parts depth)
  if(room MATCHES "^(controls|imaging)$" AND depth GREATER 1)
    list(GET parts 1 inner)
    set(room "${room}/${inner}")
  endif()
  set(labels ${room} ${ARGN})
  set_tests_properties(${name} PROPERTIES LABELS "${labels}")
endfunction()

# vantrel_test(name SOURCES ... [PORTABLE] [NOSCREEN] [LIBS ...] [TIMEOUT s] [ROOMS ...])
# One CTest entry per executable. A PORTABLE test touches only window-free code and is built on both
# configurations (natively with the sanitizers, and for Windows under Wine); the others only for Windows.
# Windows tests share one display: they show windows, read screen pixels and move the pointer, so
# they run one at a time unless marked NOSCREEN (no window is ever shown). ROOMS names rooms
# besides its folder's that the test also guards.
function(vantrel_test name)
  cmake_parse_arguments(T "PORTABLE;NOSCREEN" "TIMEOUT" "SOURCES;LIBS;ROOMS" ${ARGN})
  if(NOT WIN32 AND NOT T_PORTABLE)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  if(WIN32)
    target_link_libraries(${name} PRIVATE ${T_LIBS} vantrel_win32 gtest)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} vantrel_portable gtest)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    VANTREL_SOURCE_DIR="${VANTREL_TEST_SOURCE}"
    VANTREL_BINARY_DIR="${VANTREL_TEST_BINARY}")
  if(NOT TARGET vantrel_test_main)
    add_library(vantrel_test_main STATIC ${CMAKE_SOURCE_DIR}/tests/support/test_main.cpp)
    if(WIN32)
      # The leak counter: linked into the tests that use it, never into the program.
      target_sources(vantrel_test_main PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/handle_counter.cpp)
    endif()
    target_link_libraries(vantrel_test_main PUBLIC gtest)
    target_include_directories(vantrel_test_main PUBLIC ${CMAKE_SOURCE_DIR}/tests)
  endif()
  target_link_libraries(${name} PRIVATE vantrel_test_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  vantrel_test_labels(${name} ${T_ROOMS})
  if(WIN32 AND NOT T_PORTABLE AND NOT T_NOSCREEN)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK screen)
  endif()
endfunction()
