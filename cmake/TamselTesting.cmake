include(GoogleTest)

# Registers a GoogleTest binary with ctest. Natively every case is its own ctest entry
# (named PREFIX.Suite.Case); under Wine every process start costs seconds, so a
# cross-compiled binary runs once with all its cases.
function(tamsel_add_gtest target prefix)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${target} COMMAND ${target})
    else()
        gtest_discover_tests(${target} TEST_PREFIX "${prefix}." DISCOVERY_MODE PRE_TEST ${ARGN})
    endif()
endfunction()
