# pelorin_precompiled_headers()
#   Makes the two precompiled headers every target reuses: pelorin_pch (system and standard
#   headers) for the libraries and programs, pelorin_test_pch (the same and the test framework) for
#   the test programs and benchmarks. Reading them in place of the headers saves most of the
#   time a source takes to compile.
function(pelorin_precompiled_headers)
  add_library(pelorin_pch STATIC ${PROJECT_SOURCE_DIR}/cmake/pch/Empty.cpp)
  target_include_directories(pelorin_pch PRIVATE ${PROJECT_SOURCE_DIR})
  target_precompile_headers(pelorin_pch PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${PROJECT_SOURCE_DIR}/cmake/pch/System.h>)
  add_library(pelorin_test_pch STATIC ${PROJECT_SOURCE_DIR}/cmake/pch/Empty.cpp)
  target_include_directories(pelorin_test_pch PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(pelorin_test_pch PRIVATE gtest)
  target_precompile_headers(pelorin_test_pch PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${PROJECT_SOURCE_DIR}/cmake/pch/Tests.h>)
endfunction()

# pelorin_use_pch(TARGET [TESTS])
#   Lets TARGET reuse the libraries' precompiled header, or with TESTS the test programs' one.
function(pelorin_use_pch target)
  cmake_parse_arguments(arg "TESTS" "" "" ${ARGN})
  if(arg_TESTS)
    target_precompile_headers(${target} REUSE_FROM pelorin_test_pch)
  else()
    target_precompile_headers(${target} REUSE_FROM pelorin_pch)
  endif()
endfunction()

# pelorin_library(NAME SOURCES... [DEPENDS libs...])
#   A static library of one folder; its headers are included as "folder/Unit.h".
function(pelorin_library name)
  cmake_parse_arguments(arg "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${arg_SOURCES})
  pelorin_use_pch(${name})
  # Compiled sixteen sources at a time: the project's own headers, which the precompiled header
  # does not hold, are then read once for sixteen sources instead of once for each, which halves
  # the time a build from scratch takes on two processors. A source's file-local names must not
  # clash with those of the other sources of its folder. A class of a header that holds a member
  # of a source's own type then counts as the source's (-Wsubobject-linkage).
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 16)
  target_compile_options(${name} PRIVATE -Wno-subobject-linkage)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${arg_DEPENDS})
endfunction()

# pelorin_form_texts(TARGET FILES...)
#   Builds the form text of each window (UNIT.dfm beside its unit) into TARGET as the character
#   array UNITFormText, which the unit declares and reads with ReadComponentFromText.
function(pelorin_form_texts target)
  foreach(file IN LISTS ARGN)
    get_filename_component(input ${file} ABSOLUTE)
    get_filename_component(unit ${file} NAME_WE)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/forms/${unit}FormText.cpp)
    add_custom_command(
      OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${unit}FormText
              -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFormText.cmake
      DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/EmbedFormText.cmake
      COMMENT "Building the form text ${unit}.dfm"
      VERBATIM)
    target_sources(${target} PRIVATE ${output})
  endforeach()
endfunction()

# pelorin_test(NAME SOURCES... [DEPENDS libs...] [GUI])
#   One test program run as one Wine process; GoogleTest inside it runs its cases.
function(pelorin_test name)
  cmake_parse_arguments(arg "GUI" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  pelorin_use_pch(${name} TESTS)
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
  # One source per program puts each file's helpers beside the shared test headers' classes
  # (subobject linkage), and the compiler's bounds analysis of the string literals that tests are
  # full of reports offsets the strings never reach, and at the tests' optimisation level the
  # standard library's function objects and string copies are reported as used uninitialised or
  # read past their end: all of them only bury the warnings worth reading.
  target_compile_options(${name} PRIVATE -Wno-subobject-linkage -Wno-array-bounds -Wno-stringop-overflow
                                         -Wno-stringop-overread -Wno-maybe-uninitialized)
  # The test's own code is optimised less than the program (-Og: a third less compile time than
  # -O1 for the largest sources of the build, where -O0 saves nothing and makes objects five times
  # larger); the code it tests comes from the libraries, built as shipped. The precompiled header
  # made with -O2 serves both.
  target_compile_options(${name} PRIVATE -Og)
  target_link_libraries(${name} PRIVATE ${arg_DEPENDS} pelorin_test_support)
  add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/scripts/on-desktop.sh wine $<TARGET_FILE:${name}> --gtest_color=no)
  # Only a guard against a program that hangs: a busy machine of two processors takes several
  # times as long as a quiet one for the longest programs.
  set_tests_properties(${name} PROPERTIES TIMEOUT 1800)
  if(arg_GUI)
    # Windows that take the focus or the foreground must not race another test's windows: the test
    # takes a desktop of its own (a display and Wine server, scripts/wine-env.sh) while it runs.
    set_tests_properties(${name} PROPERTIES RESOURCE_GROUPS "desktops:1")
  endif()
endfunction()

# pelorin_folder_tests(PREFIX [DEPENDS libs...] [SOURCES shared...] [SKIP folders...] [TARGETS var])
#   One test program per folder below the calling folder's tests/ that holds sources, named
#   PREFIX_<folder>_tests; a folder holding a file named GUI makes a GUI test. SOURCES are
#   compiled into every program; SKIP names folders that are no test program; TARGETS receives
#   the names of the programs made, for steps of the caller's own.
function(pelorin_folder_tests prefix)
  cmake_parse_arguments(arg "" "TARGETS" "DEPENDS;SOURCES;SKIP" ${ARGN})
  file(GLOB dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*)
  set(made)
  foreach(dir IN LISTS dirs)
    get_filename_component(area ${dir} NAME)
    if(NOT IS_DIRECTORY ${dir} OR area IN_LIST arg_SKIP)
      continue()
    endif()
    file(GLOB test_sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(NOT test_sources)
      continue()
    endif()
    set(gui_flag)
    if(EXISTS ${dir}/GUI)
      set(gui_flag GUI)
    endif()
    pelorin_test(${prefix}_${area}_tests SOURCES ${test_sources} ${arg_SOURCES} DEPENDS ${arg_DEPENDS} ${gui_flag})
    list(APPEND made ${prefix}_${area}_tests)
  endforeach()
  if(arg_TARGETS)
    set(${arg_TARGETS} ${made} PARENT_SCOPE)
  endif()
endfunction()

# pelorin_test_library(NAME SOURCES... [DEPENDS libs...])
#   Support code shared by several test programs or benchmarks (checks, drivers, fixtures),
#   compiled once into a library that they link, instead of once into each of them.
function(pelorin_test_library name)
  cmake_parse_arguments(arg "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${arg_SOURCES})
  pelorin_use_pch(${name} TESTS)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${arg_DEPENDS} pelorin_test_support)
endfunction()

# pelorin_benchmark(NAME SOURCES... [DEPENDS libs...])
#   A program that measures a heavy path and prints its figures; never run as a test.
function(pelorin_benchmark name)
  cmake_parse_arguments(arg "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  pelorin_use_pch(${name} TESTS)
  target_link_libraries(${name} PRIVATE ${arg_DEPENDS} gtest)
endfunction()
