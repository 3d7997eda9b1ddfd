# pelorin_library(NAME SOURCES... [DEPENDS libs...])
#   A static library of one folder; its headers are included as "folder/Unit.h".
function(pelorin_library name)
  cmake_parse_arguments(arg "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${arg_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${arg_DEPENDS})
endfunction()

# pelorin_test(NAME SOURCES... [DEPENDS libs...] [GUI])
#   One test program run as one Wine process; GoogleTest inside it runs its cases.
function(pelorin_test name)
  cmake_parse_arguments(arg "GUI" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_DEPENDS} pelorin_test_support)
  add_test(NAME ${name} COMMAND wine $<TARGET_FILE:${name}> --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  if(arg_GUI)
    # Windows that take the focus or the foreground must not race another test's windows.
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK desktop)
  endif()
endfunction()

# pelorin_benchmark(NAME SOURCES... [DEPENDS libs...])
#   A program that measures a heavy path and prints its figures; never run as a test.
function(pelorin_benchmark name)
  cmake_parse_arguments(arg "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_DEPENDS})
endfunction()
