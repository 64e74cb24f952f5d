# Read by CTest as it gathers the tests (its "program", "prefix", "launcher" and "long_suites" are
# set by the file that includes this one): lists the cases of a GoogleTest program and adds one test
# a case, "<prefix>.<Suite>.<Case>", run through the launcher. A case of a suite named in
# long_suites has an hour and goes first; the others half an hour.
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
    list(FIND long_suites "${bare}" long)
    if(NOT long EQUAL -1)
      set_tests_properties("${prefix}.${name}" PROPERTIES TIMEOUT 3600 COST 100000)
    endif()
  endif()
endforeach()
