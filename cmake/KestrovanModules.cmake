# One static library per folder of the tree, so that a subsystem builds, links and is tested on its own.
# Sources are the folder's *.cpp files; headers are included from the repository root
# ("QuillLib/core/Stream.h", "platform/system/Event.h").

set(KV_ROOT ${CMAKE_SOURCE_DIR})
set(KV_WARNINGS -Wall -Wextra -Werror)
# g++ 12 reports false -Wrestrict overlaps inside its own std::basic_string code once optimised (-O2 and up).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND KV_WARNINGS -Wno-restrict)
endif()

# kv_module(<target> <folder> [DEPS <targets>...])
function(kv_module target folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  # Each module is recorded under the top folder it lives in (platform, QuillLib, client), so that the folder's
  # aggregate library links every module without a hand-kept list.
  string(REGEX REPLACE "/.*" "" group ${folder})
  set_property(GLOBAL APPEND PROPERTY KV_MODULES_${group} ${target})
  file(GLOB sources CONFIGURE_DEPENDS ${KV_ROOT}/${folder}/*.cpp)
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${KV_ROOT})
    target_compile_options(${target} PRIVATE ${KV_WARNINGS})
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
    cmake_language(EVAL CODE "cmake_language(DEFER CALL kv_units [[${target}]])")
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${KV_ROOT})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# kv_aggregate(<name> <top folder>): one interface library linking every module of a top folder.
function(kv_aggregate name group)
  get_property(modules GLOBAL PROPERTY KV_MODULES_${group})
  add_library(${name} INTERFACE)
  target_link_libraries(${name} INTERFACE ${modules})
endfunction()

# kv_units(<target>): the target's own sources compiled up to sixteen to a unit, so that the files of a module,
# a suite or a fuzz target share one parse of the headers they include (and of GoogleTest). Called when its
# folder's CMakeLists.txt has been read (kv_module, kv_test and kv_fuzz defer it), so that it sees the
# definitions and options given to single sources: those sources stay alone, as they must differ between clones
# anyway, and so do those marked SKIP_UNITY_BUILD_INCLUSION (a file whose system headers define macros that
# would reach the files after it). A unit includes its sources by their paths below the tree's root, so that it
# reads alike in every clone and ccache serves a clean clone in another folder. Helpers a file keeps to itself
# (anonymous namespace, static, using-declarations) need names that no other file of its target uses.
function(kv_units target)
  get_target_property(sources ${target} SOURCES)
  set(kept)
  set(batched)
  foreach(source IN LISTS sources)
    get_source_file_property(definitions ${source} COMPILE_DEFINITIONS)
    get_source_file_property(options ${source} COMPILE_OPTIONS)
    get_source_file_property(alone ${source} SKIP_UNITY_BUILD_INCLUSION)
    if(definitions OR options OR alone OR NOT source MATCHES "^${KV_ROOT}/.*\\.cpp$")
      list(APPEND kept ${source})
    else()
      list(APPEND batched ${source})
    endif()
  endforeach()
  list(LENGTH batched count)
  if(count LESS 2)
    return()
  endif()
  set(unit_index 0)
  while(unit_index LESS count)
    list(SUBLIST batched ${unit_index} 16 members)
    set(unit_text)
    foreach(source IN LISTS members)
      file(RELATIVE_PATH relative ${KV_ROOT} ${source})
      string(APPEND unit_text "#include \"${relative}\"\n")
    endforeach()
    math(EXPR unit_number "${unit_index} / 16")
    set(unit ${CMAKE_CURRENT_BINARY_DIR}/units/${target}_${unit_number}.cpp)
    file(CONFIGURE OUTPUT ${unit} CONTENT "${unit_text}")
    list(APPEND kept ${unit})
    math(EXPR unit_index "${unit_index} + 16")
  endwhile()
  set_property(TARGET ${target} PROPERTY SOURCES ${kept})
endfunction()

# kv_test(<target> <folder under tests/> [DEPS <targets>...]): one GoogleTest binary per folder.
function(kv_test target folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${KV_ROOT}/tests/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  target_compile_options(${target} PRIVATE ${KV_WARNINGS})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  # Tests find their checked-in data (golden files, sample packs) below the source tree. Only the sources
  # that use the macro get it: the others then compile alike in every clone, and ccache serves a clean clone
  # in another folder.
  foreach(source ${sources})
    file(STRINGS ${source} uses_source_dir REGEX "KV_SOURCE_DIR" LIMIT_COUNT 1)
    if(uses_source_dir)
      set_property(SOURCE ${source} APPEND PROPERTY COMPILE_DEFINITIONS KV_SOURCE_DIR="${KV_ROOT}")
    endif()
  endforeach()
  # The deferred call's arguments are read when it runs: the name goes in as a literal.
  cmake_language(EVAL CODE "cmake_language(DEFER CALL kv_units [[${target}]])")
  # The OpenGL suites run Mesa's rasteriser threads, under which LeakSanitizer's own tracer now and then crashes
  # as the process ends: they are checked for memory errors but not for leaks, as the program checks under X are.
  set(leaks "ASAN_OPTIONS=reset:")
  if(folder MATCHES "/gl$")
    set(leaks "ASAN_OPTIONS=set:detect_leaks=0")
  endif()
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "KV_SOURCE_DIR=${KV_ROOT}" ENVIRONMENT_MODIFICATION "${leaks}")
endfunction()

# kv_bench(<file stem> [DEPS <targets>...]): one Google Benchmark program per bench/<stem>.cpp.
function(kv_bench stem)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  if(NOT EXISTS ${KV_ROOT}/bench/${stem}.cpp)
    return()
  endif()
  add_executable(bench_${stem} ${KV_ROOT}/bench/${stem}.cpp)
  target_compile_options(bench_${stem} PRIVATE ${KV_WARNINGS})
  target_link_libraries(bench_${stem} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# kv_fuzz(<file stem> [DEPS <targets>...]): one libFuzzer target per tests/fuzz/<stem>.cpp.
function(kv_fuzz stem)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  if(NOT EXISTS ${KV_ROOT}/tests/fuzz/${stem}.cpp)
    return()
  endif()
  add_executable(fuzz_${stem} ${KV_ROOT}/tests/fuzz/${stem}.cpp)
  target_compile_options(fuzz_${stem} PRIVATE ${KV_WARNINGS})
  target_link_libraries(fuzz_${stem} PRIVATE ${ARG_DEPS})
  target_link_options(fuzz_${stem} PRIVATE -fsanitize=fuzzer)
  cmake_language(EVAL CODE "cmake_language(DEFER CALL kv_units [[fuzz_${stem}]])")
endfunction()
