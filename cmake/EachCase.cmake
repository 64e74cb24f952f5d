# Read by CTest as it gathers the tests (its "program", "prefix", "launcher" and "long_suites" are
# set by the file that includes this one): lists the cases of a GoogleTest program and adds one test
# a case, "<prefix>.<Suite>.<Case>", run through the launcher. A case named in long_suites, by its
# suite or as "Suite.Case", has an hour and goes first, in the order of the list (the longest first,
# so that it does not end the run alone); the others half an hour.
if(NOT EXISTS "${program}")
  add_test("${prefix}_NOT_BUILT" "${program}")
  return()
endif()
execute_process(COMMAND "${program}" --gtest_list_tests OUTPUT_VARIABLE listing RESULT_VARIABLE status
                TIMEOUT 120)
if(NOT status EQUAL 0)
  add_test("${prefix}_NOT_LISTED" "${program}" --gtest_list_tests)
  return()
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(suite)
foreach(line IN LISTS lines)
  string(REGEX REPLACE " *#.*" "" line "${line}")  # a parameter's value, printed after the name
  if(line MATCHES "^([^ ].*\\.)$")
    set(suite "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^  ([^ ]+)$" AND suite)
    set(name "${suite}${CMAKE_MATCH_1}")
    add_test("${prefix}.${name}" ${launcher} "${program}" "--gtest_filter=${name}")
    # A case drives the real program on software rendering: two cores each.
    set_tests_properties("${prefix}.${name}" PROPERTIES ENVIRONMENT "VELMARIS_HEADLESS=1" TIMEOUT 1800 PROCESSORS 2)
    string(REGEX REPLACE "^([^.]*/)?([^./]+).*" "\\2" bare "${suite}")
    string(REGEX REPLACE "^.*\\." "" case "${name}")
    list(FIND long_suites "${bare}.${case}" long)
    if(long EQUAL -1)
      list(FIND long_suites "${bare}" long)
    endif()
    if(NOT long EQUAL -1)
      math(EXPR cost "100000 - 1000 * ${long}")
      set_tests_properties("${prefix}.${name}" PROPERTIES TIMEOUT 3600 COST ${cost})
    endif()
  endif()
endforeach()
