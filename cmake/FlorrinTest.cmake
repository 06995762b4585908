# florrin_add_test(NAME <target> SOURCES <files...> LIBS <libs...>)
# A GoogleTest program whose cases CTest lists one by one; in the Windows build they run through Wine.
function(florrin_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  if(FLORRIN_FUZZ)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main)
  # PRE_TEST: listing the cases at build time would run Wine before any prefix exists.
  gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES TIMEOUT 300)
endfunction()
