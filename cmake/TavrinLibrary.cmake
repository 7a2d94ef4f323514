# tavrin_library(NAME DIRS d... INCLUDES i... LINKS l...)
# A static library of every .cpp in the given directories. While a directory
# has no sources yet it is an interface library, so the tree still configures.
function(tavrin_library name)
  cmake_parse_arguments(L "" "" "DIRS;INCLUDES;LINKS" ${ARGN})
  set(sources)
  foreach(dir ${L_DIRS})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${L_INCLUDES})
    target_link_libraries(${name} PUBLIC ${L_LINKS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${L_INCLUDES})
    target_link_libraries(${name} INTERFACE ${L_LINKS})
  endif()
endfunction()

# tavrin_gtest(NAME SOURCES s... LIBS l...): a GoogleTest program whose tests
# CTest lists one by one.
function(tavrin_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest_main GTest::gmock ${T_LIBS})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
