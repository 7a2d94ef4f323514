# tavrin_library(NAME DIRS d... INCLUDES i... LINKS l...)
# A static library of every .cpp in the given directories. A directory that is
# missing or holds no sources stops the configuration.
function(tavrin_library name)
  cmake_parse_arguments(L "" "" "DIRS;INCLUDES;LINKS" ${ARGN})
  set(sources)
  foreach(dir ${L_DIRS})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(NOT found)
      message(FATAL_ERROR "tavrin_library(${name}): no .cpp files in ${dir}")
    endif()
    list(APPEND sources ${found})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${L_INCLUDES})
  target_link_libraries(${name} PUBLIC ${L_LINKS})
endfunction()

# tavrin_gtest(NAME [UNIT] SOURCES s... LIBS l...): a GoogleTest program whose
# tests CTest lists one by one. UNIT: its tests carry the label "unit", which
# the test command runs on the release build as well, so that faults of timing
# the sanitizers' slowness hides show there; the target unit_tests builds
# every such program and nothing else.
function(tavrin_gtest name)
  cmake_parse_arguments(T "UNIT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest_main GTest::gmock ${T_LIBS})
  if(T_UNIT)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS unit)
    if(NOT TARGET unit_tests)
      add_custom_target(unit_tests)
    endif()
    add_dependencies(unit_tests ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
